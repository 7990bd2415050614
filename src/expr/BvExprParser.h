#pragma once
// The lexer and the compiler of the expression language.

#include "BvExprCode.h"
#include "BvExprNode.h"

#include <QString>

// Token kinds; any other character is a token of its own code.
enum : int { toEOF = 0, toSymbol = 1, toString = 2, toInteger = 3, toFloat = 4 };

class TExprParser {
public:
    // A line with its line end must fit into the lexer's read buffer.
    static constexpr int BufferSize = 4096;

    // Reads the first token.
    explicit TExprParser(const QString& text);

    int Token() const { return FToken; }
    int NextToken();
    // The decoded characters of a string constant, otherwise the token as written.
    const QString& TokenString() const { return FTokenText; }
    bool TokenSymbolIs(QStringView word) const;
    int TokenInt() const;
    double TokenFloat() const;
    int SourceLine() const { return FLine; }

private:
    [[noreturn]] void Error(const char* text) const;
    void CheckLine();
    void ReadStringConstant();

    QString FText;
    qsizetype FPos = 0;
    int FToken = toEOF;
    QString FTokenText;
    int FLine = 1;
};

class TExprCompiler {
public:
    // `functions` may be null: a component without a source.
    TExprCompiler(TExprParser& parser, TExprCode& code, TVarList& vars, const TFuncList* functions);
    // Compiles statements up to the end of the text.
    void CompileAll();

private:
    void Statement();
    void StatementBody(QStringView closing);
    TVarItem& Assignment();
    void KeywordLevel(QStringView keyword, uint8_t opcode, void (TExprCompiler::*operand)());
    void Expression();
    void AndLevel();
    void Comparison();
    void AddLevel();
    void ModLevel();
    void MulLevel();
    void SignLevel();
    void PowerLevel();
    void PowerOperand();
    void Signed(void (TExprCompiler::*operand)());
    void Operand();
    void FunctionCall(int index, uint8_t opcode);

    void Expect(int token, const char* shown);
    void ExpectSymbol(QStringView word, const char* shown);
    [[noreturn]] static void SymbolExpected(const char* shown);
    int FunctionIndex() const;
    int VarIndex(const QString& name);
    int EmitForwardJump(uint8_t opcode);
    void PatchHere(int at);
    void EmitJump(uint8_t opcode, int target);
    void EmitConst(double value);

    TExprParser& FParser;
    TExprCode& FCode;
    TVarList& FVars;
    const TFuncList* FFunctions;
    int FDepth = 0;
};
