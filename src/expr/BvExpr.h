#pragma once
// The expression components: a formula's text, its compiled code, its value
// stack and its variables, and the stack machine that runs the code.

#include "BvExprCode.h"
#include "BvExprNode.h"
#include "BvExprParser.h"
#include "BvExprSource.h"
#include "Component.h"

#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class TBvExprMain : public TComponent {
    Q_OBJECT
public:
    explicit TBvExprMain(QObject* AOwner = nullptr);
    ~TBvExprMain() override;

    // The source whose functions the formula may call, or none. A destroyed
    // source is forgotten. Names are resolved by Compile; the code goes on
    // calling the functions of the source it was compiled against.
    TBvExprSource* Source() const { return FSource; }
    void SetSource(TBvExprSource* source) { FSource = source; }

    const QStringList& Expression() const { return FExpression; }
    void SetExpression(const QStringList& lines) { FExpression = lines; }
    // The formula as one text, split at its line ends.
    void SetExpressionText(const QString& text);

    TVarList& VarList() { return FVarList; }
    const TVarList& VarList() const { return FVarList; }
    TExprCode& Code() { return FCode; }
    TExprStack& Stack() { return FStack; }
    // The text constant the machine read last (the composed-text hosts use it).
    QString LastStringConst() const { return FCode.LastStringConst(); }

    // Called by Compile after the variables were emptied and before the first
    // statement is compiled: a host creates here the variables its formulas use.
    virtual void PrepareVariables() {}
    // Compiles Expression into the code and fills VarList. A failure leaves
    // the variables as far as they got and no code to run.
    virtual void Compile();
    // Runs the code once from its start; the variables keep their values.
    virtual void Execute();

    // A run stops with "Formula runs too long" once its loops have gone
    // through this many bytes of code again (some 20 to 100 million
    // instructions), so that an endless loop cannot freeze the program. Code
    // without loops runs once through; a real model needs a few thousand.
    static constexpr int64_t DefaultInstructionBudget = 100'000'000;
    int64_t InstructionBudget() const { return FInstructionBudget; }
    void SetInstructionBudget(int64_t budget) { FInstructionBudget = budget; }

private:
    struct TCallFrame;

    void Run(bool argument);
    void CallFunction(bool inExpression);
    void PopInto(TVarItem& var);

    QPointer<TBvExprSource> FSource;
    QPointer<TBvExprSource> FCodeSource; // the source the code's function references name
    QStringList FExpression;
    TVarList FVarList;
    TExprCode FCode;
    TExprStack FStack;
    TDataNode FLeft, FRight; // scratch values of the general operators
    // One parameter list and result per call depth, reused from call to call.
    std::vector<std::unique_ptr<TCallFrame>> FFrames;
    int FCallDepth = 0;
    bool FRunning = false;
    int64_t FInstructionBudget = DefaultInstructionBudget;
    int64_t FStepsLeft = 0; // of the current run, shared by its argument runs
};

// A formula that leaves its value in the variable Result.
class TBvExprResult : public TBvExprMain {
    Q_OBJECT
public:
    using TBvExprMain::TBvExprMain;

    // The variable named RESULT; none before the first Compile.
    TVarItem* ResultItem() const { return FResultItem; }
    void Compile() override;
    // Execute, then the result variable.
    virtual TVarItem& Evaluate();

private:
    TVarItem* FResultItem = nullptr;
};
