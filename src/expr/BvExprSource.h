#pragma once
// The expression source: the function list that formulas may call, with the
// built-in functions of every source.

#include "BvExprNode.h"
#include "Component.h"

#include <functional>

class TBvExprSource : public TComponent {
    Q_OBJECT
public:
    // A source made at run time comes with the built-in functions; a source
    // meant to offer no functions at all passes false.
    explicit TBvExprSource(QObject* AOwner = nullptr, bool builtIns = true);

    TFuncList& FuncList() { return FFuncList; }
    const TFuncList& FuncList() const { return FFuncList; }

    // The nineteen built-ins, in their fixed order.
    void RegisterBuiltInFunctions();

private:
    TFuncList FFuncList;
};

// Where WriteLn and the DEBUG output go. WriteLn defaults to the process's
// standard output; DEBUG to a modal message box when there is a window
// system with a screen, else to standard error. Tests and headless hosts may
// replace them.
using TExprTextOutput = std::function<void(const QString& text)>;
TExprTextOutput& ExprWriteLnOutput();
TExprTextOutput& ExprDebugOutput();
void ExprWriteLn(const QString& text);
void ExprShowDebug(const QString& text);
