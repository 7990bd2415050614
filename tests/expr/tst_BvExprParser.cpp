// The lexer, the compiler's statements and messages, and the code it emits.

#include "BvExpr.h"
#include "ExprTestUtil.h"
#include "FormatSettings.h"
#include "ParserError.h"
#include "TestMain.h"

#include <QTest>

namespace {

// Every token of a text as "kind:text", kinds by number.
QString Tokens(const QString& text) {
    TExprParser parser(text);
    QStringList out;
    while (parser.Token() != toEOF) {
        out << QStringLiteral("%1:%2").arg(parser.Token()).arg(parser.TokenString());
        parser.NextToken();
    }
    return out.join(QLatin1Char(' '));
}

QString CompileError(const QString& text, bool withSource = true) {
    TFormulaFixture fixture(text, withSource);
    try {
        fixture.Formula.Compile();
    } catch (const EParserError& e) {
        return QStringLiteral("EParserError ") + e.Message();
    } catch (const EConvertError& e) {
        return QStringLiteral("EConvertError ") + e.Message();
    } catch (const EExprError& e) {
        return QStringLiteral("EExprError ") + e.Message();
    }
    return QStringLiteral("compiled");
}

// The compiled bytes up to the end of what the compiler wrote.
QByteArray CodeBytes(TBvExprMain& formula) {
    return QByteArray(reinterpret_cast<const char*>(formula.Code().Memory()), formula.Code().CodeSize());
}

QByteArray Int32(int v) {
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
    return b;
}

QByteArray Num(double v) {
    QByteArray b(1, char(opConst));
    b += char(dtNumber);
    b += QByteArray(reinterpret_cast<const char*>(&v), 8);
    return b;
}

QByteArray Op(uint8_t op) { return QByteArray(1, char(op)); }
QByteArray Var(uint8_t op, int index) { return Op(op) + Int32(index); }

} // namespace

class TestBvExprParser : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void tokens_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tokens");
        QTest::newRow("words and digits") << "ab_1 _x Zz9" << "1:ab_1 1:_x 1:Zz9";
        QTest::newRow("integer") << "123" << "3:123";
        QTest::newRow("hex") << "$1aF" << "3:$1aF";
        QTest::newRow("hex without digits") << "$ x" << "3:$ 1:x";
        QTest::newRow("float") << "1.5 2E3 7e-2" << "4:1.5 4:2E3 4:7e-2";
        QTest::newRow("number swallows minus") << "1-2" << "4:1-2";
        QTest::newRow("number swallows plus") << "3+x" << "4:3+ 1:x";
        QTest::newRow("letter ends a number") << "2x" << "3:2 1:x";
        QTest::newRow("assignment is two tokens") << "x:=1" << "1:x 58:: 61:= 3:1";
        QTest::newRow("not equal is two tokens") << "<>" << "60:< 62:>";
        QTest::newRow("braces") << "{ a }" << "123:{ 1:a 125:}";
        QTest::newRow("control characters are blanks") << "a\tb\x01" "c" << "1:a 1:b 1:c";
        QTest::newRow("character above 127") << QString::fromUtf8("a\xc3\xa6") << QString::fromUtf8("1:a 230:\xc3\xa6");
        QTest::newRow("string") << "'ab'" << "2:ab";
        QTest::newRow("doubled apostrophe") << "'it''s'" << "2:it's";
        QTest::newRow("codes and parts") << "'ab'#13#10'cd'" << "2:ab\r\ncd";
        QTest::newRow("code modulo 256") << "#321" << "2:A";
        QTest::newRow("code without digits") << "#" << QStringLiteral("2:") + QChar(0);
        QTest::newRow("code of the ANSI code page") << "#230#128" << QString::fromUtf8("2:\xc3\xa6\xe2\x82\xac");
        QTest::newRow("blank ends a constant") << "'a' 'b'" << "2:a 2:b";
        QTest::newRow("empty string") << "''" << "2:";
    }
    void tokens() {
        QFETCH(QString, text);
        QFETCH(QString, tokens);
        QCOMPARE(Tokens(text), tokens);
    }

    void tokenValues() {
        TExprParser hex("$1F");
        QCOMPARE(hex.TokenInt(), 31);
        TExprParser number("1.5E2");
        QCOMPARE(number.TokenFloat(), 150.0);
        TExprParser bad("1-2");
        QVERIFY_THROWS_EXCEPTION(EConvertError, bad.TokenFloat());
        TExprParser word("Begin");
        QVERIFY(word.TokenSymbolIs(u"BEGIN"));
        QVERIFY(!word.TokenSymbolIs(u"END"));
        TExprParser text("'BEGIN'");
        QVERIFY(!text.TokenSymbolIs(u"BEGIN")); // a string is not a word
    }

    void hexConstants_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("all 32 bits") << "$FFFFFFFF" << -1;
        QTest::newRow("highest positive") << "$7FFFFFFF" << 2147483647;
        QTest::newRow("sign bit") << "$80000000" << int(0x80000000u);
        QTest::newRow("leading zeros") << "$000000000001" << 1;
        QTest::newRow("lower case") << "$ff" << 255;
    }
    void hexConstants() {
        QFETCH(QString, text);
        QFETCH(int, value);
        TExprParser parser(text);
        QCOMPARE(parser.TokenInt(), value);
    }

    // Each AND used to be one more native stack frame, beyond the nesting
    // limit: a long chain ended the process.
    void longAndChain() {
        QString text = QStringLiteral("x := TRUE");
        for (int line = 0; line < 2000; ++line) {
            text += QLatin1Char('\n');
            for (int i = 0; i < 300; ++i)
                text += QStringLiteral(" AND a");
        }
        TBvExprMain formula;
        formula.SetExpressionText(text);
        formula.Compile();
        formula.VarList().SetValue("a", TDataNode::FromBoolean(true));
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"x")->AsBoolean(), true);
    }

    void lineCounting() {
        TExprParser parser("a\r\n\r\nb\n'c");
        QCOMPARE(parser.SourceLine(), 1);
        parser.NextToken();
        QCOMPARE(parser.SourceLine(), 3);
        try {
            parser.NextToken();
            QFAIL("no error");
        } catch (const EParserError& e) {
            QCOMPARE(e.Message(), QStringLiteral("Invalid string constant on line 4"));
        }
    }

    void lineTooLong_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fits with its line end") << 4094 << "compiled";
        QTest::newRow("one more") << 4095 << "EParserError Line too long on line 2";
    }
    void lineTooLong() {
        QFETCH(int, length);
        QFETCH(QString, expected);
        QString line = QStringLiteral("x := 1") + QString(length - 6, QLatin1Char(' '));
        QCOMPARE(CompileError("y := 2\n" + line), expected);
    }

    void compileMessages_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("withSource");
        QTest::addColumn<QString>("expected");
        QTest::newRow("= for :=") << "x = 1" << true << "EExprError Symbol expected :=";
        QTest::newRow(": without =") << "x : 1" << true << "EExprError Symbol expected :=";
        QTest::newRow("THEN") << "IF x y := 1" << true << "EExprError Symbol expected THEN";
        QTest::newRow("TO/DOWNTO") << "FOR i := 1 UPTO 3 DO x := 1" << true << "EExprError Symbol expected TO/DOWNTO";
        QTest::newRow("STEP with sign") << "FOR i := 1 TO 3 STEP -1 DO x := 1" << true << "EExprError Symbol expected Number";
        QTest::newRow("FOR DO") << "FOR i := 1 TO 3 x := 1" << true << "EExprError Symbol expected DO";
        QTest::newRow("FOR needs a word") << "FOR 1 TO 3 DO x := 1" << true << "EExprError Assignment expected";
        QTest::newRow("WHILE DO") << "WHILE x y := 1" << true << "EExprError Symbol expected DO";
        QTest::newRow("UNTIL at end") << "REPEAT x := 1" << true << "EExprError Symbol expected UNTIL";
        QTest::newRow("UNTIL after a number") << "REPEAT x := 1 5" << true << "EExprError Symbol expected UNTIL";
        QTest::newRow("OF") << "CASE k x := 1 END" << true << "EExprError Symbol expected OF";
        QTest::newRow("CASE colon") << "CASE k OF 1 x := 1 END" << true << "EExprError Symbol expected :";
        QTest::newRow("CASE END") << "CASE k OF 1: x := 1" << true << "EExprError Symbol expected END";
        QTest::newRow("BEGIN END") << "BEGIN x := 1" << true << "EExprError Symbol expected END";
        QTest::newRow("comment inside BEGIN") << "BEGIN {note} x := 1 END" << true << "EExprError Symbol expected END";
        QTest::newRow("parenthesis") << "x := (1 + 2" << true << "EExprError Symbol expected )";
        QTest::newRow("comma") << "x := Min(1 2)" << true << "EExprError Symbol expected ,";
        QTest::newRow("too few arguments") << "x := Min(1)" << true << "EExprError Symbol expected ,";
        QTest::newRow("too many arguments") << "x := Min(1, 2, 3)" << true << "EExprError Symbol expected )";
        QTest::newRow("argument to Time") << "x := Time(1)" << true << "EExprError Symbol expected )";
        QTest::newRow("function without parentheses") << "x := Time" << true << "EExprError Symbol expected (";
        QTest::newRow("function assigned") << "Time := 1" << true << "EExprError Symbol expected (";
        QTest::newRow("number statement") << "5 := 1" << true << "EExprError Assignment expected";
        QTest::newRow("closing brace") << "} x := 1" << true << "EExprError Assignment expected";
        QTest::newRow("apostrophe in comment") << "{ don't }\nx := 1" << true << "EParserError Invalid string constant on line 1";
        QTest::newRow("open string") << "x := 1\nx := 'abc" << true << "EParserError Invalid string constant on line 2";
        QTest::newRow("no operator after number") << "x := 2*3-1" << true << "EConvertError '3-1' is not a valid floating point value";
        QTest::newRow("bad float") << "x := 1-2" << true << "EConvertError '1-2' is not a valid floating point value";
        QTest::newRow("integer too large") << "x := 99999999999" << true << "EConvertError '99999999999' is not a valid integer value";
        QTest::newRow("bare dollar") << "x := $" << true << "EConvertError '$' is not a valid integer value";
        QTest::newRow("nested too deeply") << "x := " + QString(300, '(') + "1" + QString(300, ')') << true << "EExprError Expression nested too deeply";
        QTest::newRow("x : = 1") << "x : = 1" << true << "compiled";
        QTest::newRow("Time as a variable without source") << "x := Time" << false << "compiled";
        QTest::newRow("comment between statements") << "x := 1 { a note } y := 2" << true << "compiled";
        QTest::newRow("comment to the end") << "x := 1 { never closed" << true << "compiled";
        QTest::newRow("keywords in any case") << "if X then result := 1" << true << "compiled";
        QTest::newRow("negative constant compiles") << "x := -1" << true << "compiled";
        QTest::newRow("STEP 0") << "FOR i := 1 TO 3 STEP 0 DO x := 1" << true << "EExprError FOR loop with STEP 0 never ends";
        QTest::newRow("STEP 0.0") << "FOR i := 3 DOWNTO 1 STEP 0.0 DO x := 1" << true << "EExprError FOR loop with STEP 0 never ends";
        QTest::newRow("STEP 0E5") << "FOR i := 1 TO 3 STEP 0E5 DO x := 1" << true << "EExprError FOR loop with STEP 0 never ends";
        QTest::newRow("sign without operand") << "x := -" << true << "EExprError Operand expected after -";
        QTest::newRow("sign before an operator") << "x := 2 * + * 3" << true << "EExprError Operand expected after +";
        QTest::newRow("sign before a parenthesis") << "x := (1 + -)" << true << "EExprError Operand expected after -";
        QTest::newRow("signs nested too deeply") << "x := " + QString(300, '-') + "1" << true << "EExprError Expression nested too deeply";
        QTest::newRow("hex of 32 bits") << "x := $FFFFFFFF" << true << "compiled";
        QTest::newRow("hex beyond 32 bits") << "x := $100000000" << true << "EConvertError '$100000000' is not a valid integer value";
    }
    void compileMessages() {
        QFETCH(QString, text);
        QFETCH(bool, withSource);
        QFETCH(QString, expected);
        QCOMPARE(CompileError(text, withSource), expected);
    }

    void emptySources_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << "";
        QTest::newRow("blank lines") << "\n  \n";
        QTest::newRow("comments only") << "{ one }\n{ two }";
    }
    void emptySources() {
        QFETCH(QString, text);
        TBvExprMain formula;
        formula.SetExpressionText(text);
        formula.Compile();
        QCOMPARE(formula.Code().CodeSize(), 0);
        QCOMPARE(formula.Code().Size(), TExprCode::InitialSize);
        QCOMPARE(formula.VarList().Count(), 0);
        formula.Execute();
    }

    void codeReset() {
        TExprCode code;
        code.WriteByte(opDup);
        code.Reset();
        QCOMPARE(code.Size(), 250);
        QCOMPARE(code.Position(), 0);
        for (int i = 0; i < code.Size(); ++i)
            QCOMPARE(code.Memory()[i], uint8_t(opEnd));
        code.SetPosition(300);
        QCOMPARE(code.ReadOpcode(), uint8_t(opEnd)); // past the buffer reads as the end
    }

    void codeLayout_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("assignment") << "x := 1" << Num(1) + Var(opStore, 0);
        QTest::newRow("text constant")
            << "x := 'ab'"
            << Op(opConst) + char(dtString) + QByteArray("\x04\x00", 2) + QByteArray("a\0b\0", 4) + Var(opStore, 0);
        QTest::newRow("boolean constant") << "x := TRUE" << Op(opConst) + char(dtBoolean) + char(1) + Var(opStore, 0);
        QTest::newRow("hex constant as a double") << "x := $10" << Num(16) + Var(opStore, 0);
        QTest::newRow("variables in order")
            << "y := x + z" << Var(opLoad, 1) + Var(opLoad, 2) + Op(opAdd) + Var(opStore, 0);
        QTest::newRow("AND groups right")
            << "x := a AND b AND c"
            << Var(opLoad, 1) + Var(opLoad, 2) + Var(opLoad, 3) + Op(opAnd) + Op(opAnd) + Var(opStore, 0);
        QTest::newRow("OR groups left")
            << "x := a OR b OR c"
            << Var(opLoad, 1) + Var(opLoad, 2) + Op(opOr) + Var(opLoad, 3) + Op(opOr) + Var(opStore, 0);
        QTest::newRow("comparisons")
            << "x := a <= b <> c >= d"
            << Var(opLoad, 1) + Var(opLoad, 2) + Op(opLe) + Var(opLoad, 3) + Op(opNe) + Var(opLoad, 4) +
                   Op(opGe) + Var(opStore, 0);
        QTest::newRow("NOT takes one operand")
            << "x := NOT a = b" << Var(opLoad, 1) + Op(opNot) + Var(opLoad, 2) + Op(opEq) + Var(opStore, 0);
        QTest::newRow("IF without ELSE")
            << "IF a THEN b := 1" << Var(opLoad, 0) + Op(opJumpFalse) + Int32(25) + Num(1) + Var(opStore, 1);
        QTest::newRow("IF with ELSE")
            << "IF a THEN b := 1 ELSE b := 2"
            << Var(opLoad, 0) + Op(opJumpFalse) + Int32(30) + Num(1) + Var(opStore, 1) + Op(opJump) +
                   Int32(45) + Num(2) + Var(opStore, 1);
        QTest::newRow("WHILE")
            << "WHILE a DO a := FALSE"
            << Var(opLoad, 0) + Op(opJumpFalse) + Int32(23) + Op(opConst) + char(dtBoolean) + char(0) +
                   Var(opStore, 0) + Op(opJump) + Int32(0);
        QTest::newRow("REPEAT")
            << "REPEAT a := TRUE UNTIL a"
            << Op(opConst) + char(dtBoolean) + char(1) + Var(opStore, 0) + Var(opLoad, 0) + Op(opJumpFalse) +
                   Int32(0);
        QTest::newRow("FOR TO")
            << "FOR i := 1 TO n DO s := i"
            << Num(1) + Var(opStore, 0) + Var(opLoad, 0) + Var(opLoad, 1) + Op(opLe) + Op(opJumpFalse) +
                   Int32(67) + Var(opLoad, 0) + Var(opStore, 2) + Var(opLoad, 0) + Num(1) + Op(opAdd) +
                   Var(opStore, 0) + Op(opJump) + Int32(15);
        QTest::newRow("FOR DOWNTO STEP")
            << "FOR i := 9 DOWNTO 1 STEP 2.5 DO s := i"
            << Num(9) + Var(opStore, 0) + Var(opLoad, 0) + Num(1) + Op(opGe) + Op(opJumpFalse) + Int32(72) +
                   Var(opLoad, 0) + Var(opStore, 1) + Var(opLoad, 0) + Num(2.5) + Op(opSub) + Var(opStore, 0) +
                   Op(opJump) + Int32(15);
        QTest::newRow("CASE")
            << "CASE k OF 1: a := 2 END"
            << Var(opLoad, 0) + Op(opDup) + Num(1) + Op(opEq) + Op(opJumpFalse) + Int32(37) + Num(2) +
                   Var(opStore, 1) + Op(opDrop);
        QTest::newRow("DEBUG") << "DEBUG 1" << Num(1) + Op(opDebug);
        // Debug is a built-in function too, but at statement level the keyword wins.
        QTest::newRow("Debug statement") << "Debug(1)" << Num(1) + Op(opDebug);
        QTest::newRow("procedure call")
            << "WriteLn(1)" << Var(opCall, 2) + Num(1) + Op(opParam);
        QTest::newRow("function call")
            << "x := Max(1, y)"
            << Var(opCallFunc, 5) + Num(1) + Op(opParam) + Var(opLoad, 1) + Op(opParam) + Var(opStore, 0);
        QTest::newRow("no arguments") << "x := Time()" << Var(opCallFunc, 6) + Var(opStore, 0);
        QTest::newRow("signed constant is one constant") << "x := -1" << Num(-1) + Var(opStore, 0);
        QTest::newRow("plus sign of a constant") << "x := +2.5" << Num(2.5) + Var(opStore, 0);
        QTest::newRow("sign of a variable is 0 - it")
            << "x := -a" << Num(0) + Var(opLoad, 1) + Op(opSub) + Var(opStore, 0);
        QTest::newRow("plus sign of a variable is 0 + it")
            << "x := +a" << Num(0) + Var(opLoad, 1) + Op(opAdd) + Var(opStore, 0);
        QTest::newRow("leading sign covers the power")
            << "x := -2 ^ 2" << Num(0) + Num(2) + Num(2) + Op(opPower) + Op(opSub) + Var(opStore, 0);
        QTest::newRow("sign after ^ covers one operand")
            << "x := 2 ^ -a ^ 2"
            << Num(2) + Num(0) + Var(opLoad, 1) + Op(opSub) + Op(opPower) + Num(2) + Op(opPower) + Var(opStore, 0);
        QTest::newRow("sign after *") << "x := a * -3" << Var(opLoad, 1) + Num(-3) + Op(opMul) + Var(opStore, 0);
        QTest::newRow("two signs") << "x := - -3" << Num(3) + Var(opStore, 0);
        QTest::newRow("long AND chain") << "x := a AND b AND c AND d"
            << Var(opLoad, 1) + Var(opLoad, 2) + Var(opLoad, 3) + Var(opLoad, 4) + Op(opAnd) + Op(opAnd) +
                   Op(opAnd) + Var(opStore, 0);
    }
    void codeLayout() {
        QFETCH(QString, text);
        QFETCH(QByteArray, code);
        TBvExprSource source;
        TBvExprMain formula;
        formula.SetSource(&source);
        formula.SetExpressionText(text);
        formula.Compile();
        QCOMPARE(CodeBytes(formula).toHex(' '), code.toHex(' '));
    }

    void functionHidesVariable() {
        TBvExprSource source;
        source.FuncList().AddFunc("Age", 0, [](TVarList&, TVarItem& r) { r.SetNumber(61); });
        TBvExprMain formula;
        formula.SetSource(&source);
        formula.SetExpressionText("x := age()");
        formula.Compile();
        formula.Execute();
        QCOMPARE(formula.VarList().Count(), 1);
        QCOMPARE(formula.VarList().Items(0).AsNumber(), 61.0);
    }

    void decimalSeparator() {
        FormatSettings().DecimalSeparator = ',';
        QCOMPARE(RunFormula("x := 1.5 + 1"), QStringLiteral("number 2.5"));
        QCOMPARE(FormatSettings().DecimalSeparator, QChar(','));
        QVERIFY(RunFormula("x := 1.5 +").startsWith("run:")); // compiles; fails when run
        QCOMPARE(RunFormula("x := 2*3-1"), QStringLiteral("compile: '3-1' is not a valid floating point value"));
        QCOMPARE(FormatSettings().DecimalSeparator, QChar(','));
    }

    void compileEmptiesVariables() {
        TBvExprMain formula;
        formula.VarList().SetValue("old", TDataNode::FromNumber(1));
        formula.SetExpressionText("x := 1");
        formula.Compile();
        QCOMPARE(formula.VarList().Count(), 1);
        QVERIFY(!formula.VarList().Find(u"old"));
    }

    // A failed compile keeps the variables found so far but leaves nothing to
    // run: half-compiled code has unpatched jumps.
    void failedCompileLeavesNoCode() {
        TBvExprMain formula;
        formula.SetExpressionText("x := 1 IF x THEN y = 2");
        QVERIFY_THROWS_EXCEPTION(EExprError, formula.Compile());
        QCOMPARE(formula.VarList().Count(), 2);
        QCOMPARE(formula.Code().CodeSize(), 0);
        formula.Execute();
        QCOMPARE(formula.VarList().Items(0).Type(), dtEmpty);
    }
};

TAVLO_TEST(TestBvExprParser);
#include "tst_BvExprParser.moc"
