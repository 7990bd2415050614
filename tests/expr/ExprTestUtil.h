#pragma once
// Small fixtures of the expression tests: a value as a short text, and a
// formula compiled and run in one go.

#include "BvExpr.h"
#include "Conversions.h"

#include <QString>
#include <QStringList>

// "number 5", "text ab", "boolean TRUE" or "empty".
inline QString Describe(const TDataNode& node) {
    switch (node.Type) {
    case dtString:
        return QStringLiteral("text ") + node.Text;
    case dtNumber:
        return QStringLiteral("number ") + FloatToStr(node.Number, QLatin1Char('.'));
    case dtBoolean:
        return node.Boolean ? QStringLiteral("boolean TRUE") : QStringLiteral("boolean FALSE");
    default:
        return QStringLiteral("empty");
    }
}

// Collects the text output of WriteLn and DEBUG for a test, then restores
// the previous hooks.
class TCapturedOutput {
public:
    TCapturedOutput()
        : FWriteLn(std::exchange(ExprWriteLnOutput(), [this](const QString& t) { WriteLn << t; })),
          FDebug(std::exchange(ExprDebugOutput(), [this](const QString& t) { Debug << t; })) {}
    ~TCapturedOutput() {
        ExprWriteLnOutput() = std::move(FWriteLn);
        ExprDebugOutput() = std::move(FDebug);
    }
    QStringList WriteLn, Debug;

private:
    TExprTextOutput FWriteLn, FDebug;
};

// A formula over `text`, with a source of the built-in functions unless told otherwise.
struct TFormulaFixture {
    explicit TFormulaFixture(const QString& text, bool withSource = true) {
        if (withSource)
            Formula.SetSource(&Source);
        Formula.SetExpressionText(text);
    }
    TBvExprSource Source;
    TBvExprMain Formula;
};

// Compiles `text`, runs it once and describes the variable `name`; a failure
// gives "compile: MESSAGE" or "run: MESSAGE".
inline QString RunFormula(const QString& text, const QString& name = QStringLiteral("x"),
                          bool withSource = true) {
    TFormulaFixture fixture(text, withSource);
    TBvExprMain& formula = fixture.Formula;
    try {
        formula.Compile();
    } catch (const Exception& e) {
        return QStringLiteral("compile: ") + e.Message();
    }
    try {
        formula.Execute();
    } catch (const Exception& e) {
        return QStringLiteral("run: ") + e.Message();
    }
    TVarItem* var = formula.VarList().Find(name);
    return var ? Describe(var->Node()) : QStringLiteral("no variable");
}
