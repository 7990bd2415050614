#include "BvExprParser.h"

#include "CodePages.h"
#include "Conversions.h"
#include "ParserError.h"

namespace {
inline bool IsLetter(char16_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
inline bool IsDigit(char16_t c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(char16_t c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
inline unsigned HexValue(char16_t c) {
    return IsDigit(c) ? unsigned(c - '0') : unsigned((c | 0x20) - 'a' + 10);
}
// A number token swallows all of these, so "1-2" is one (bad) token.
inline bool IsNumberChar(char16_t c) {
    return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e';
}

// Deep nesting would exhaust the native stack; no real formula comes near.
constexpr int MaxNesting = 200;

struct TNestingGuard {
    explicit TNestingGuard(int& depth) : FDepth(depth) {
        if (++FDepth > MaxNesting)
            throw EExprError(QStringLiteral("Expression nested too deeply"));
    }
    ~TNestingGuard() { --FDepth; }
    int& FDepth;
};
} // namespace

// --- TExprParser ---

TExprParser::TExprParser(const QString& text) : FText(text) {
    CheckLine();
    NextToken();
}

void TExprParser::Error(const char* text) const {
    throw EParserError(QStringLiteral("%1 on line %2").arg(QLatin1String(text)).arg(FLine));
}

// Called at the start of every line: the line and its line end must fit
// into the read buffer.
void TExprParser::CheckLine() {
    qsizetype end = FText.indexOf(QLatin1Char('\n'), FPos);
    qsizetype length = (end < 0 ? FText.size() : end + 1) - FPos;
    if (length > BufferSize)
        Error("Line too long");
}

int TExprParser::NextToken() {
    const qsizetype n = FText.size();
    const QChar* text = FText.constData();
    while (FPos < n && text[FPos].unicode() <= 32) {
        if (text[FPos++].unicode() == '\n') {
            ++FLine;
            CheckLine();
        }
    }
    if (FPos >= n) {
        FToken = toEOF;
        FTokenText.clear();
        return FToken;
    }
    qsizetype start = FPos;
    char16_t c = text[FPos].unicode();
    if (IsLetter(c)) {
        while (FPos < n && (IsLetter(text[FPos].unicode()) || IsDigit(text[FPos].unicode())))
            ++FPos;
        FToken = toSymbol;
        FTokenText = FText.mid(start, FPos - start);
    } else if (c == '\'' || c == '#') {
        ReadStringConstant();
    } else if (c == '$') {
        ++FPos;
        while (FPos < n && IsHexDigit(text[FPos].unicode()))
            ++FPos;
        FToken = toInteger;
        FTokenText = FText.mid(start, FPos - start);
    } else if (IsDigit(c)) {
        while (FPos < n && IsDigit(text[FPos].unicode()))
            ++FPos;
        FToken = toInteger;
        if (FPos < n && IsNumberChar(text[FPos].unicode())) {
            while (FPos < n && IsNumberChar(text[FPos].unicode()))
                ++FPos;
            FToken = toFloat;
        }
        FTokenText = FText.mid(start, FPos - start);
    } else {
        ++FPos;
        FToken = c;
        FTokenText = QString(QChar(c));
    }
    return FToken;
}

void TExprParser::ReadStringConstant() {
    const qsizetype n = FText.size();
    const QChar* text = FText.constData();
    QString value;
    for (;;) {
        if (FPos < n && text[FPos] == QLatin1Char('\'')) {
            ++FPos;
            for (;;) {
                if (FPos >= n || text[FPos] == QLatin1Char('\r') || text[FPos] == QLatin1Char('\n'))
                    Error("Invalid string constant");
                if (text[FPos] == QLatin1Char('\'')) {
                    ++FPos;
                    if (FPos < n && text[FPos] == QLatin1Char('\'')) {
                        value += QLatin1Char('\'');
                        ++FPos;
                        continue;
                    }
                    break;
                }
                value += text[FPos++];
            }
        } else if (FPos < n && text[FPos] == QLatin1Char('#')) {
            ++FPos;
            unsigned code = 0;
            while (FPos < n && IsDigit(text[FPos].unicode()))
                code = (code * 10 + unsigned(text[FPos++].unicode() - '0')) % 256;
            // A character code is a byte of the ANSI code page.
            value += code < 128 ? QString(QChar(char16_t(code)))
                                : AnsiToStr(QByteArray(1, char(code)));
        } else {
            break;
        }
    }
    FToken = toString;
    FTokenText = value;
}

bool TExprParser::TokenSymbolIs(QStringView word) const {
    return FToken == toSymbol && SameNameText(FTokenText, word);
}

// "$" and up to 32 bits of hexadecimal digits: the 32-bit signed integer of
// that bit pattern ($FFFFFFFF is -1), as the platform reads it.
int TExprParser::TokenInt() const {
    if (!FTokenText.startsWith(QLatin1Char('$')))
        return StrToInt(FTokenText);
    uint64_t value = 0;
    for (qsizetype i = 1; i < FTokenText.size() && value <= 0xFFFFFFFFu; ++i)
        value = value * 16 + HexValue(FTokenText[i].unicode());
    if (FTokenText.size() == 1 || value > 0xFFFFFFFFu)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(FTokenText));
    return int(int32_t(uint32_t(value)));
}

double TExprParser::TokenFloat() const { return StrToFloat(FTokenText); }

// --- TExprCompiler ---

TExprCompiler::TExprCompiler(TExprParser& parser, TExprCode& code, TVarList& vars,
                             const TFuncList* functions)
    : FParser(parser), FCode(code), FVars(vars), FFunctions(functions) {}

void TExprCompiler::CompileAll() {
    while (FParser.Token() != toEOF)
        Statement();
}

void TExprCompiler::SymbolExpected(const char* shown) {
    throw EExprError(QStringLiteral("Symbol expected %1").arg(QLatin1String(shown)));
}

void TExprCompiler::Expect(int token, const char* shown) {
    if (FParser.Token() != token)
        SymbolExpected(shown);
}

void TExprCompiler::ExpectSymbol(QStringView word, const char* shown) {
    if (!FParser.TokenSymbolIs(word))
        SymbolExpected(shown);
}

int TExprCompiler::FunctionIndex() const {
    if (FParser.Token() != toSymbol || !FFunctions)
        return -1;
    return FFunctions->IndexOf(FParser.TokenString());
}

int TExprCompiler::VarIndex(const QString& name) {
    FVars.FindOrAdd(name);
    return FVars.IndexOf(name);
}

int TExprCompiler::EmitForwardJump(uint8_t opcode) {
    FCode.WriteByte(opcode);
    int at = FCode.Position();
    FCode.WriteInt32(0);
    return at;
}

void TExprCompiler::PatchHere(int at) { FCode.PatchInt32(at, FCode.Position()); }

void TExprCompiler::EmitJump(uint8_t opcode, int target) {
    FCode.WriteByte(opcode);
    FCode.WriteInt32(target);
}

void TExprCompiler::EmitConst(double value) {
    FCode.WriteByte(opConst);
    FCode.WriteByte(dtNumber);
    FCode.WriteDouble(value);
}

void TExprCompiler::StatementBody(QStringView closing) {
    while (FParser.Token() == toSymbol && !FParser.TokenSymbolIs(closing))
        Statement();
}

void TExprCompiler::Statement() {
    TNestingGuard guard(FDepth);
    TExprParser& p = FParser;
    if (p.Token() == '{') {
        // The comment's text is tokenised: an apostrophe in it starts a string.
        while (p.NextToken() != toEOF && p.Token() != '}') {
        }
        if (p.Token() == '}')
            p.NextToken();
    } else if (p.TokenSymbolIs(u"DEBUG")) {
        p.NextToken();
        Expression();
        FCode.WriteByte(opDebug);
    } else if (p.TokenSymbolIs(u"IF")) {
        p.NextToken();
        Expression();
        ExpectSymbol(u"THEN", "THEN");
        p.NextToken();
        int toElse = EmitForwardJump(opJumpFalse);
        Statement();
        if (p.TokenSymbolIs(u"ELSE")) {
            int toEnd = EmitForwardJump(opJump);
            PatchHere(toElse);
            p.NextToken();
            Statement();
            PatchHere(toEnd);
        } else {
            PatchHere(toElse);
        }
    } else if (p.TokenSymbolIs(u"FOR")) {
        p.NextToken();
        TVarItem& loopVar = Assignment();
        int var = FVars.IndexOf(loopVar.Name);
        bool down = false;
        if (p.TokenSymbolIs(u"DOWNTO"))
            down = true;
        else if (!p.TokenSymbolIs(u"TO"))
            SymbolExpected("TO/DOWNTO");
        int loopStart = FCode.Position();
        FCode.WriteByte(opLoad);
        FCode.WriteInt32(var);
        p.NextToken();
        Expression(); // the limit, read again before every pass
        FCode.WriteByte(down ? opGe : opLe);
        int toEnd = EmitForwardJump(opJumpFalse);
        double step = 1;
        if (p.TokenSymbolIs(u"STEP")) {
            p.NextToken();
            if (p.Token() == toInteger)
                step = p.TokenInt();
            else if (p.Token() == toFloat)
                step = p.TokenFloat();
            else
                SymbolExpected("Number");
            // The variable would never move.
            if (step == 0)
                throw EExprError(QStringLiteral("FOR loop with STEP 0 never ends"));
            p.NextToken();
        }
        ExpectSymbol(u"DO", "DO");
        p.NextToken();
        Statement();
        FCode.WriteByte(opLoad);
        FCode.WriteInt32(var);
        EmitConst(step);
        FCode.WriteByte(down ? opSub : opAdd);
        FCode.WriteByte(opStore);
        FCode.WriteInt32(var);
        EmitJump(opJump, loopStart);
        PatchHere(toEnd);
    } else if (p.TokenSymbolIs(u"WHILE")) {
        int loopStart = FCode.Position();
        p.NextToken();
        Expression();
        int toEnd = EmitForwardJump(opJumpFalse);
        ExpectSymbol(u"DO", "DO");
        p.NextToken();
        Statement();
        EmitJump(opJump, loopStart);
        PatchHere(toEnd);
    } else if (p.TokenSymbolIs(u"REPEAT")) {
        int loopStart = FCode.Position();
        p.NextToken();
        StatementBody(u"UNTIL");
        ExpectSymbol(u"UNTIL", "UNTIL");
        p.NextToken();
        Expression();
        EmitJump(opJumpFalse, loopStart);
    } else if (p.TokenSymbolIs(u"CASE")) {
        p.NextToken();
        Expression();
        ExpectSymbol(u"OF", "OF");
        p.NextToken();
        // No jump leaves an arm: every arm whose label matches runs.
        while (p.Token() != toEOF && !p.TokenSymbolIs(u"END")) {
            FCode.WriteByte(opDup);
            Expression();
            Expect(':', ":");
            p.NextToken();
            FCode.WriteByte(opEq);
            int pastArm = EmitForwardJump(opJumpFalse);
            Statement();
            PatchHere(pastArm);
        }
        FCode.WriteByte(opDrop);
        ExpectSymbol(u"END", "END");
        p.NextToken();
    } else if (p.TokenSymbolIs(u"BEGIN")) {
        p.NextToken();
        StatementBody(u"END");
        ExpectSymbol(u"END", "END");
        p.NextToken();
    } else if (int function = FunctionIndex(); function >= 0) {
        FunctionCall(function, opCall);
    } else {
        Assignment();
    }
}

TVarItem& TExprCompiler::Assignment() {
    if (FParser.Token() != toSymbol)
        throw EExprError(QStringLiteral("Assignment expected"));
    QString name = FParser.TokenString();
    TVarItem& var = FVars.FindOrAdd(name);
    int index = FVars.IndexOf(name);
    FParser.NextToken();
    Expect(':', ":=");
    FParser.NextToken();
    Expect('=', ":=");
    FParser.NextToken();
    Expression();
    FCode.WriteByte(opStore);
    FCode.WriteInt32(index);
    return var;
}

void TExprCompiler::FunctionCall(int index, uint8_t opcode) {
    FCode.WriteByte(opcode);
    FCode.WriteInt32(index);
    int count = FFunctions->Items(index).ParamCount;
    FParser.NextToken();
    Expect('(', "(");
    for (int i = 0; i < count; ++i) {
        FParser.NextToken();
        Expression();
        FCode.WriteByte(opParam);
        if (i < count - 1)
            Expect(',', ",");
    }
    if (count <= 0)
        FParser.NextToken();
    Expect(')', ")");
    FParser.NextToken();
}

// One left-grouping level whose operator is a keyword.
void TExprCompiler::KeywordLevel(QStringView keyword, uint8_t opcode, void (TExprCompiler::*operand)()) {
    (this->*operand)();
    while (FParser.TokenSymbolIs(keyword)) {
        FParser.NextToken();
        (this->*operand)();
        FCode.WriteByte(opcode);
    }
}

void TExprCompiler::Expression() { KeywordLevel(u"OR", opOr, &TExprCompiler::AndLevel); }

// AND groups to the right: a AND b AND c is a AND (b AND c). Its operands
// are evaluated in order either way, so the opcodes of a chain all follow
// its last operand; a loop, so that a long chain cannot exhaust the stack.
void TExprCompiler::AndLevel() {
    Comparison();
    int pending = 0;
    while (FParser.TokenSymbolIs(u"AND")) {
        FParser.NextToken();
        Comparison();
        ++pending;
    }
    for (; pending > 0; --pending)
        FCode.WriteByte(opAnd);
}

void TExprCompiler::Comparison() {
    AddLevel();
    for (;;) {
        uint8_t opcode;
        int t = FParser.Token();
        if (t == '=') {
            opcode = opEq;
            FParser.NextToken();
        } else if (t == '<') {
            FParser.NextToken();
            opcode = opLt;
            if (FParser.Token() == '=') {
                opcode = opLe;
                FParser.NextToken();
            } else if (FParser.Token() == '>') {
                opcode = opNe;
                FParser.NextToken();
            }
        } else if (t == '>') {
            FParser.NextToken();
            opcode = opGt;
            if (FParser.Token() == '=') {
                opcode = opGe;
                FParser.NextToken();
            }
        } else {
            return;
        }
        AddLevel();
        FCode.WriteByte(opcode);
    }
}

void TExprCompiler::AddLevel() {
    ModLevel();
    for (;;) {
        int t = FParser.Token();
        if (t != '+' && t != '-')
            return;
        FParser.NextToken();
        ModLevel();
        FCode.WriteByte(t == '+' ? opAdd : opSub);
    }
}

// MOD binds less tightly than *, / and DIV.
void TExprCompiler::ModLevel() { KeywordLevel(u"MOD", opMod, &TExprCompiler::MulLevel); }

void TExprCompiler::MulLevel() {
    SignLevel();
    for (;;) {
        uint8_t opcode;
        if (FParser.Token() == '*')
            opcode = opMul;
        else if (FParser.Token() == '/')
            opcode = opDiv;
        else if (FParser.TokenSymbolIs(u"DIV"))
            opcode = opIntDiv;
        else
            return;
        FParser.NextToken();
        SignLevel();
        FCode.WriteByte(opcode);
    }
}

// A leading sign covers the powers after it: -2 ^ 2 is -(2 ^ 2).
void TExprCompiler::SignLevel() {
    if (FParser.Token() == '-' || FParser.Token() == '+')
        Signed(&TExprCompiler::SignLevel);
    else
        PowerLevel();
}

void TExprCompiler::PowerLevel() {
    Operand();
    while (FParser.Token() == '^') {
        FParser.NextToken();
        PowerOperand();
        FCode.WriteByte(opPower);
    }
}

// After ^ and NOT a sign belongs to the one operand: 2 ^ -1 is 0.5.
void TExprCompiler::PowerOperand() {
    if (FParser.Token() == '-' || FParser.Token() == '+')
        Signed(&TExprCompiler::PowerOperand);
    else
        Operand();
}

// -x is 0 - x and +x is 0 + x, so a sign of a text or a boolean fails as
// the subtraction does. A signed number constant becomes one constant.
void TExprCompiler::Signed(void (TExprCompiler::*operand)()) {
    TNestingGuard guard(FDepth);
    const int sign = FParser.Token();
    FParser.NextToken();
    const int start = FCode.Position();
    EmitConst(0);
    const int operandStart = FCode.Position();
    (this->*operand)();
    if (FCode.Position() == operandStart)
        throw EExprError(QStringLiteral("Operand expected after %1").arg(QChar(sign)));
    double value;
    if (FCode.Position() == operandStart + TExprCode::NumberConstSize &&
        FCode.NumberConstAt(operandStart, value)) {
        FCode.Truncate(start);
        EmitConst(sign == '-' ? 0 - value : 0 + value);
    } else {
        FCode.WriteByte(sign == '-' ? opSub : opAdd);
    }
}

void TExprCompiler::Operand() {
    TNestingGuard guard(FDepth);
    TExprParser& p = FParser;
    switch (p.Token()) {
    case toSymbol:
        if (p.TokenSymbolIs(u"NOT")) {
            p.NextToken();
            PowerOperand();
            FCode.WriteByte(opNot);
        } else if (p.TokenSymbolIs(u"TRUE") || p.TokenSymbolIs(u"FALSE")) {
            FCode.WriteByte(opConst);
            FCode.WriteByte(dtBoolean);
            FCode.WriteByte(p.TokenSymbolIs(u"TRUE") ? 1 : 0);
            p.NextToken();
        } else if (int function = FunctionIndex(); function >= 0) {
            FunctionCall(function, opCallFunc);
        } else {
            FCode.WriteByte(opLoad);
            FCode.WriteInt32(VarIndex(p.TokenString()));
            p.NextToken();
        }
        break;
    case toString:
        FCode.WriteByte(opConst);
        FCode.WriteByte(dtString);
        FCode.WriteString(p.TokenString());
        p.NextToken();
        break;
    case toInteger:
        EmitConst(p.TokenInt());
        p.NextToken();
        break;
    case toFloat:
        EmitConst(p.TokenFloat());
        p.NextToken();
        break;
    case '(':
        p.NextToken();
        Expression();
        Expect(')', ")");
        p.NextToken();
        break;
    default:
        // No operand: nothing is emitted and the token is left for the caller.
        break;
    }
}
