// The stack machine: operators, control statements, run-time messages and
// the expression components.

#include "BvDictionary.h"
#include "BvExpr.h"
#include "ExprTestUtil.h"
#include "FormatSettings.h"
#include "TestMain.h"

#include <QGuiApplication>
#include <QTest>

namespace {

// A host that creates the variable X before compiling, as the unit converter does.
class TXFormula : public TBvExprResult {
public:
    using TBvExprResult::TBvExprResult;
    void PrepareVariables() override {
        PreparedWith = VarList().Count();
        X = &VarList().FindOrAdd("X");
    }
    int PreparedWith = -1;
    TVarItem* X = nullptr;
};

// A formula compiled against `source` whose code is then replaced by `code`.
void LoadCode(TBvExprMain& formula, const QByteArray& code) {
    formula.Code().Reset();
    for (char c : code)
        formula.Code().WriteByte(uint8_t(c));
}

QByteArray Int32(int v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }

QString RunError(TBvExprMain& formula) {
    try {
        formula.Execute();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

} // namespace

class TestBvExprMachine : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void precedence_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("* before +") << "x := 2 + 3 * 4" << "number 14";
        QTest::newRow("- groups left") << "x := 10 - 4 - 3" << "number 3";
        QTest::newRow("/ groups left") << "x := 100 / 10 / 5" << "number 2";
        QTest::newRow("DIV and * one level") << "x := 7 DIV 2 * 2" << "number 6";
        QTest::newRow("MOD after *") << "x := 2 * 3 MOD 4" << "number 2";
        QTest::newRow("MOD before *") << "x := 7 MOD 2 * 3" << "number 1";
        QTest::newRow("MOD before DIV") << "x := 7 MOD 10 DIV 3" << "number 1";
        QTest::newRow("+ after MOD") << "x := 1 + 7 MOD 4" << "number 4";
        QTest::newRow("^ groups left") << "x := 2 ^ 3 ^ 2" << "number 64";
        QTest::newRow("^ before *") << "x := 2 * 3 ^ 2" << "number 18";
        QTest::newRow("parentheses") << "x := 2 * (3 + 4)" << "number 14";
        QTest::newRow("+ before =") << "x := 1 + 2 = 3" << "boolean TRUE";
        QTest::newRow("comparisons group left") << "x := 1 < 2 = TRUE" << "boolean TRUE";
        QTest::newRow("comparison before AND") << "x := 1 > 0 AND 2 > 1" << "boolean TRUE";
        QTest::newRow("AND before OR") << "x := TRUE OR FALSE AND FALSE" << "boolean TRUE";
        QTest::newRow("comparison before OR") << "x := 1 > 2 OR 3 > 2" << "boolean TRUE";
        QTest::newRow("NOT binds to the operand") << "x := NOT 1 = 2" << "boolean FALSE";
        QTest::newRow("NOT before AND") << "x := NOT FALSE AND FALSE" << "boolean FALSE";
        QTest::newRow("NOT of parentheses") << "x := NOT (1 = 2)" << "boolean TRUE";
        QTest::newRow("blank inside <=") << "x := 1 < = 1" << "boolean TRUE";
        QTest::newRow("blank inside <>") << "x := 1 < > 2" << "boolean TRUE";
    }
    void precedence() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RunFormula(text), expected);
    }

    void arithmetic_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2 * 3 - 1 with blanks") << "x := 2 * 3 - 1" << "number 5";
        QTest::newRow("difference for negatives") << "x := 0 - 1" << "number -1";
        QTest::newRow("leading minus is a sign") << "x := -1" << "number -1";
        QTest::newRow("float") << "x := 7 - 2.5" << "number 4.5";
        QTest::newRow("hex") << "x := $FF + 1" << "number 256";
        QTest::newRow("exponent") << "x := 1.5E3 * 2" << "number 3000";
        QTest::newRow("/ by zero") << "x := 7 / 0" << "number 0";
        QTest::newRow("DIV by zero") << "x := 7 DIV 0" << "number 0";
        QTest::newRow("MOD by zero") << "x := 7 MOD 0" << "number 0";
        QTest::newRow("DIV rounds 7.5 to 8") << "x := 7.5 DIV 2" << "number 4";
        QTest::newRow("DIV rounds 8.5 to 8") << "x := 8.5 DIV 1" << "number 8";
        QTest::newRow("DIV truncates toward zero") << "x := (0 - 7) DIV 2" << "number -3";
        QTest::newRow("MOD keeps the left sign") << "x := (0 - 7) MOD 2" << "number -1";
        QTest::newRow("MOD of positive by negative") << "x := 7 MOD (0 - 2)" << "number 1";
        QTest::newRow("right 0.6 rounds to 1") << "x := 7 DIV 0.6" << "number 7";
        QTest::newRow("DIV by 0.4") << "x := 7 DIV 0.4" << "run: Division by zero";
        QTest::newRow("MOD by 0.4") << "x := 7 MOD 0.4" << "run: Division by zero";
        QTest::newRow("DIV beyond 64 bits") << "x := 1E19 DIV 3" << "run: Invalid floating point operation";
        QTest::newRow("power") << "x := 2 ^ 3" << "number 8";
        QTest::newRow("square root") << "x := 2 ^ 0.5" << "number 1.4142135623731";
        QTest::newRow("power 0") << "x := 5 ^ 0" << "number 1";
        QTest::newRow("0 ^ 0") << "x := 0 ^ 0" << "number 1";
        QTest::newRow("0 ^ positive") << "x := 0 ^ 2.5" << "number 0";
        QTest::newRow("negative whole exponent") << "x := 2 ^ (0 - 2)" << "number 0.25";
        QTest::newRow("negative base, whole exponent") << "x := (0 - 2) ^ 3" << "number -8";
        QTest::newRow("negative base, fraction") << "x := (0 - 8) ^ 0.5" << "run: Invalid floating point operation";
        QTest::newRow("0 ^ negative") << "x := 0 ^ (0 - 1)" << "run: Floating point division by zero";
        QTest::newRow("power overflow") << "x := 10 ^ 400" << "run: Floating point overflow";
        QTest::newRow("negative power overflow") << "x := 0.1 ^ (0 - 400)" << "run: Floating point overflow";
        QTest::newRow("negative power overflow, signed") << "x := 0.5 ^ -1100" << "run: Floating point overflow";
        QTest::newRow("negative power near the limit") << "x := 0.5 ^ -1023" << "number 8.98846567431158E307";
        QTest::newRow("negative power underflow") << "x := 10 ^ (0 - 400)" << "number 0";
        QTest::newRow("fractional power overflow") << "x := 10 ^ 400.5" << "run: Floating point overflow";
        QTest::newRow("product overflow") << "x := 1E300 * 1E300" << "run: Floating point overflow";
        QTest::newRow("sum overflow") << "x := 1E308 + 1E308" << "run: Floating point overflow";
        QTest::newRow("difference overflow") << "x := 0 - 1E308 - 1E308" << "run: Floating point overflow";
        QTest::newRow("quotient overflow") << "x := 1E308 / 1E-308" << "run: Floating point overflow";
        QTest::newRow("concatenation") << "x := 'a' + 'b'" << "text ab";
        QTest::newRow("text + number") << "x := 'a' + 1" << "run: The stack dosen't contain 2 numbers";
        QTest::newRow("number + text") << "x := 1 + 'a'" << "run: The stack dosen't contain 2 numbers";
        QTest::newRow("boolean + boolean") << "x := TRUE + TRUE" << "run: The stack dosen't contain 2 strings";
        QTest::newRow("text + boolean") << "x := 'a' + TRUE" << "run: The stack dosen't contain 2 strings";
        QTest::newRow("text - text") << "x := 'a' - 'b'" << "run: The stack dosen't contain 2 numbers";
        QTest::newRow("number * boolean") << "x := 2 * TRUE" << "run: The stack dosen't contain 2 numbers";
        QTest::newRow("power of a text") << "x := 'a' ^ 2" << "run: The stack dosen't contain 2 numbers";
    }
    void arithmetic() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RunFormula(text), expected);
    }

    // A sign belongs to its operand; it binds less tightly than ^ and more
    // tightly than everything else.
    void unarySign_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("x := -1") << "x := -1" << "number -1";
        QTest::newRow("x := -0.27") << "x := -0.27" << "number -0.27";
        QTest::newRow("1 = -1") << "x := 1 = -1" << "boolean FALSE";
        QTest::newRow("-1 = -1") << "x := -1 = -1" << "boolean TRUE";
        QTest::newRow("a > -5") << "a := 7  x := a > -5" << "boolean TRUE";
        QTest::newRow("IF a < -5") << "a := 0 - 10 IF a < -5 THEN x := 1 ELSE x := 2" << "number 1";
        QTest::newRow("CASE arm x := -1") << "k := 3 CASE k OF 3: x := -1 END" << "number -1";
        QTest::newRow("CASE label -1") << "k := 0 - 1 x := 0 CASE k OF -1: x := 5 END" << "number 5";
        QTest::newRow("-2 ^ 2") << "x := -2 ^ 2" << "number -4";
        QTest::newRow("(-2) ^ 2") << "x := (-2) ^ 2" << "number 4";
        QTest::newRow("2 ^ -1") << "x := 2 ^ -1" << "number 0.5";
        QTest::newRow("2 ^ -1 ^ 2 groups left") << "x := 2 ^ -1 ^ 2" << "number 0.25";
        QTest::newRow("2 * -3") << "x := 2 * -3" << "number -6";
        QTest::newRow("3 * -2 ^ 2") << "x := 3 * -2 ^ 2" << "number -12";
        QTest::newRow("-7 MOD 2") << "x := -7 MOD 2" << "number -1";
        QTest::newRow("-7 DIV 2") << "x := -7 DIV 2" << "number -3";
        QTest::newRow("1 - -1") << "x := 1 - -1" << "number 2";
        QTest::newRow("1 + -1") << "x := 1 + -1" << "number 0";
        QTest::newRow("- -3") << "x := - -3" << "number 3";
        QTest::newRow("+3") << "x := +3" << "number 3";
        QTest::newRow("-0 is 0") << "x := -0" << "number 0";
        QTest::newRow("sign of a variable") << "a := 2 x := -a * 3" << "number -6";
        QTest::newRow("sign of parentheses") << "x := -(1 + 2)" << "number -3";
        QTest::newRow("sign of a function") << "x := -Max(1, 2)" << "number -2";
        QTest::newRow("sign in an argument") << "x := Min(-1, 2)" << "number -1";
        QTest::newRow("NOT of a sign") << "x := NOT -1" << "boolean TRUE";
        QTest::newRow("sign of a text") << "x := -'a'" << "run: The stack dosen't contain 2 numbers";
        QTest::newRow("plus sign of a text") << "x := +'a'" << "run: The stack dosen't contain 2 numbers";
        QTest::newRow("sign of a boolean") << "x := -TRUE" << "run: The stack dosen't contain 2 numbers";
    }
    void unarySign() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RunFormula(text), expected);
    }

    // Endless loops stop at the run's budget instead of freezing the program.
    void runsTooLong_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("WHILE TRUE") << "WHILE TRUE DO x := 1";
        QTest::newRow("REPEAT UNTIL FALSE") << "REPEAT x := 1 UNTIL FALSE";
        QTest::newRow("variable never moves") << "i := 0 WHILE i < 10 DO x := i";
        QTest::newRow("step too small to change the variable") << "FOR i := 1E20 TO 2E20 DO x := i";
        QTest::newRow("REPEAT on a comparison") << "i := 1 REPEAT x := i UNTIL i > 5";
        QTest::newRow("nested loops") << "FOR i := 1 TO 1000000 DO FOR j := 1 TO 1000000 DO x := i + j";
    }
    void runsTooLong() {
        QFETCH(QString, text);
        TBvExprMain formula;
        formula.SetExpressionText(text);
        formula.Compile();
        formula.SetInstructionBudget(100000);
        QCOMPARE(RunError(formula), QStringLiteral("Formula runs too long"));
        // The next run has its budget again.
        QCOMPARE(RunError(formula), QStringLiteral("Formula runs too long"));
    }

    void defaultBudgetEndsAnEndlessLoop() {
        TBvExprMain formula;
        QCOMPARE(formula.InstructionBudget(), TBvExprMain::DefaultInstructionBudget);
        formula.SetExpressionText("n := 0 WHILE TRUE DO n := n + 1");
        formula.Compile();
        QCOMPARE(RunError(formula), QStringLiteral("Formula runs too long"));
        // Generous: millions of passes before it stops.
        QVERIFY(formula.VarList().Find(u"n")->AsNumber() > 1e6);
    }

    void budgetIsPerRun() {
        TBvExprMain formula;
        formula.SetExpressionText("s := 0 FOR i := 1 TO 100 DO s := s + i");
        formula.Compile();
        formula.SetInstructionBudget(10000);
        formula.Execute();
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"s")->AsNumber(), 5050.0);
        formula.SetInstructionBudget(100);
        QCOMPARE(RunError(formula), QStringLiteral("Formula runs too long"));
        formula.SetInstructionBudget(0); // code without loops runs through once
        formula.SetExpressionText("x := 1 + 2 IF x > 2 THEN y := x * 2");
        formula.Compile();
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"y")->AsNumber(), 6.0);
    }

    // Texts are ordered by the rules of the dictionary's language; equal
    // texts are those equal ignoring case, whatever the language.
    void textOrderOfTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString aRing = QString::fromUtf8("\xc3\xa5"), oSlash = QString::fromUtf8("\xc3\xb8"),
                      ae = QString::fromUtf8("\xc3\xa6"), ARing = QString::fromUtf8("\xc3\x85");
        QTest::newRow("Danish: å after ø") << 2 << "x := '" + aRing + "' > '" + oSlash + "'" << "boolean TRUE";
        QTest::newRow("Danish: Å after ø") << 2 << "x := '" + ARing + "' > '" + oSlash + "'" << "boolean TRUE";
        QTest::newRow("Danish: æ before ø") << 2 << "x := '" + ae + "' < '" + oSlash + "'" << "boolean TRUE";
        QTest::newRow("Danish: z before æ") << 2 << "x := 'z' < '" + ae + "'" << "boolean TRUE";
        QTest::newRow("Danish: case ignored") << 2 << "x := 'B' > 'a'" << "boolean TRUE";
        QTest::newRow("Danish: equal ignoring case") << 2 << "x := '" + ARing + "bc' = '" + aRing + "BC'" << "boolean TRUE";
        QTest::newRow("Danish: aa is not å") << 2 << "x := 'aa' = '" + aRing + "'" << "boolean FALSE";
        QTest::newRow("Danish: aa <> å") << 2 << "x := 'aa' <> '" + aRing + "'" << "boolean TRUE";
        QTest::newRow("Danish: number as text") << 2 << "x := 10 < '9'" << "boolean TRUE";
        QTest::newRow("English: å before ø") << 0 << "x := '" + aRing + "' > '" + oSlash + "'" << "boolean FALSE";
        QTest::newRow("English: å before b") << 0 << "x := '" + aRing + "' < 'b'" << "boolean TRUE";
    }
    void textOrderOfTheLanguage() {
        QFETCH(int, language);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        TBvDictionary dictionary;
        dictionary.SetDictionaryName("MainDictionary");
        dictionary.LoadFromText("language 0 en/us \"English\"\nlanguage 1 en/gb \"English (United Kingdom)\"\n"
                                "language 2 da/dk \"Dansk\"\n",
                                "test");
        dictionary.SetCurrentLanguage(language);
        QCOMPARE(RunFormula(text), expected);
    }

    void comparisons_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("number against text compares texts") << "x := 10 < '9'" << "boolean TRUE";
        QTest::newRow("texts ignore case") << "x := 'abc' = 'ABC'" << "boolean TRUE";
        QTest::newRow("text order ignores case") << "x := 'b' > 'A'" << "boolean TRUE";
        QTest::newRow("number equals its text") << "x := 1.5 = '1.5'" << "boolean TRUE";
        QTest::newRow("boolean against text") << "x := 'true' = TRUE" << "boolean TRUE";
        QTest::newRow("TRUE > FALSE") << "x := TRUE > FALSE" << "boolean TRUE";
        QTest::newRow("FALSE > TRUE") << "x := FALSE > TRUE" << "boolean TRUE";
        QTest::newRow("FALSE < TRUE never") << "x := FALSE < TRUE" << "boolean FALSE";
        QTest::newRow("TRUE <> FALSE") << "x := TRUE <> FALSE" << "boolean TRUE";
        QTest::newRow("TRUE >= TRUE") << "x := TRUE >= TRUE" << "boolean TRUE";
        QTest::newRow("TRUE = 1") << "x := TRUE = 1" << "boolean TRUE";
        QTest::newRow("FALSE = 0") << "x := FALSE = 0" << "boolean TRUE";
        QTest::newRow("numbers <") << "x := 2 < 10" << "boolean TRUE";
        QTest::newRow("numbers >=") << "x := 2 >= 2" << "boolean TRUE";
        QTest::newRow("numbers <=") << "x := 1 <= 0" << "boolean FALSE";
        QTest::newRow("numbers <>") << "x := 3 <> 3" << "boolean FALSE";
        QTest::newRow("empty against number") << "x := = 0" << "boolean TRUE";
        QTest::newRow("both empty") << "x := =" << "boolean TRUE";
    }
    void comparisons() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RunFormula(text), expected);
    }

    void logic_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text TRUE and positive number") << "x := 'true' AND 1" << "boolean TRUE";
        QTest::newRow("zero or other text") << "x := 0 OR 'yes'" << "boolean FALSE";
        QTest::newRow("negative number is false") << "x := 1 AND (0 - 1)" << "boolean FALSE";
        QTest::newRow("NOT 0") << "x := NOT 0" << "boolean TRUE";
        QTest::newRow("NOT text TRUE") << "x := NOT 'TRUE'" << "boolean FALSE";
        QTest::newRow("no short circuit")
            << "x := FALSE AND Min('a', 1) = 1" << "run: Variabel '1' isn't a number type";
    }
    void logic() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RunFormula(text), expected);
    }

    void statements_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FOR sums") << "s := 0 FOR i := 1 TO 10 DO s := s + i" << "s" << "number 55";
        QTest::newRow("FOR leaves the first failing value") << "FOR i := 1 TO 10 DO s := i" << "i" << "number 11";
        QTest::newRow("FOR without a pass") << "FOR i := 5 TO 1 DO s := i" << "s" << "empty";
        QTest::newRow("FOR re-reads its limit")
            << "n := 5 s := 0 FOR i := 1 TO n DO BEGIN s := s + i n := 3 END" << "s" << "number 6";
        QTest::newRow("FOR STEP") << "s := 0 FOR i := 1 TO 10 STEP 2 DO s := s + i" << "s" << "number 25";
        QTest::newRow("FOR DOWNTO STEP") << "s := 0 FOR i := 10 DOWNTO 1 STEP 3 DO s := s + i" << "s" << "number 22";
        QTest::newRow("FOR DOWNTO end value") << "FOR i := 10 DOWNTO 1 STEP 3 DO s := i" << "i" << "number -2";
        QTest::newRow("FOR float STEP") << "c := 0 FOR i := 0 TO 1 STEP 0.5 DO c := c + 1" << "c" << "number 3";
        QTest::newRow("WHILE") << "i := 0 WHILE i < 5 DO i := i + 1" << "i" << "number 5";
        QTest::newRow("WHILE without a pass") << "i := 9 WHILE i < 5 DO i := i + 1" << "i" << "number 9";
        QTest::newRow("REPEAT until true") << "i := 0 REPEAT i := i + 1 UNTIL i >= 3" << "i" << "number 3";
        QTest::newRow("REPEAT runs once") << "i := 10 REPEAT i := i + 1 UNTIL TRUE" << "i" << "number 11";
        QTest::newRow("REPEAT several statements")
            << "a := 0 b := 0 REPEAT a := a + 1 b := b + 2 UNTIL a = 3" << "b" << "number 6";
        QTest::newRow("CASE arm") << "k := 2 CASE k OF 1: x := 1 2: x := 2 END" << "x" << "number 2";
        QTest::newRow("CASE without a match") << "k := 5 x := 0 CASE k OF 1: x := 1 END" << "x" << "number 0";
        QTest::newRow("CASE text labels") << "k := 'B' CASE k OF 'a': x := 1 'b': x := 2 END" << "x" << "number 2";
        QTest::newRow("CASE label expressions") << "k := 4 CASE k OF 2 * 2: x := 1 END" << "x" << "number 1";
        QTest::newRow("BEGIN block") << "BEGIN x := 1 y := x + 1 END" << "y" << "number 2";
        QTest::newRow("nested blocks") << "IF TRUE THEN BEGIN BEGIN x := 3 END END" << "x" << "number 3";
        QTest::newRow("keywords in any case") << "x := TRUE if X then y := 1" << "y" << "number 1";
        QTest::newRow("variables ignore case") << "Abc := 1 x := aBC + ABC" << "x" << "number 2";
        QTest::newRow("comment between statements") << "x := 1 {note} x := x + 1" << "x" << "number 2";
        QTest::newRow("IF condition number") << "IF 1 THEN y := 2" << "y" << "run: No boolean value on the stack";
        QTest::newRow("WHILE condition text") << "WHILE 'a' DO y := 2" << "y" << "run: No boolean value on the stack";
        QTest::newRow("REPEAT condition number") << "REPEAT y := 2 UNTIL 1" << "y" << "run: No boolean value on the stack";
        QTest::newRow("FOR test of texts") << "FOR i := 'a' TO 'c' DO y := i" << "y" << "run: The stack dosen't contain 2 numbers";
        QTest::newRow("CASE label eats the selector")
            << "k := 1 CASE k OF = 1: y := 2 1: z := 3 END" << "y" << "run: Can't push an empty node";
        QTest::newRow("unassigned variable") << "x := y + 1" << "x" << "run: Variabel 'y' isn't assigned, can't use get node";
        QTest::newRow("unassigned Time without source")
            << "x := Time" << "x" << "run: Variabel 'Time' isn't assigned, can't use get node";
    }
    void statements() {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(RunFormula(text, name, !text.contains("Time")), expected);
    }

    // Code beyond the first 250 bytes and a stack beyond its first 500.
    void growingBuffers() {
        QString text = "x := 0";
        for (int i = 0; i < 50; ++i)
            text += "\nx := x + 1";
        // Right-nested, so that the operands pile up on the stack.
        text += "\ny := ";
        for (int i = 0; i < 100; ++i)
            text += "1 + (";
        text += "1" + QString(100, ')');
        TBvExprMain formula;
        formula.SetExpressionText(text);
        formula.Compile();
        QVERIFY(formula.Code().CodeSize() > 2 * TExprCode::InitialSize);
        QVERIFY(formula.Code().Size() >= formula.Code().CodeSize());
        formula.Code().SetPosition(formula.Code().CodeSize());
        QCOMPARE(formula.Code().ReadOpcode(), uint8_t(opEnd));
        formula.Execute();
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"x")->AsNumber(), 50.0);
        QCOMPARE(formula.VarList().Find(u"y")->AsNumber(), 101.0);
        QVERIFY(formula.Stack().Size() > TExprStack::InitialSize);
    }

    void nestedIfElse_data() {
        QTest::addColumn<bool>("a");
        QTest::addColumn<bool>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("a b") << true << true << 1.0;
        QTest::newRow("a, not b") << true << false << 2.0;
        QTest::newRow("not a, b") << false << true << 3.0;
        QTest::newRow("neither") << false << false << 3.0;
    }
    void nestedIfElse() {
        QFETCH(bool, a);
        QFETCH(bool, b);
        QFETCH(double, expected);
        // The ELSE belongs to the nearest IF.
        TBvExprMain formula;
        formula.SetExpressionText("r := 0\nIF a THEN\n  IF b THEN r := 1 ELSE r := 2\nELSE r := 3");
        formula.Compile();
        formula.VarList().SetValue("a", TDataNode::FromBoolean(a));
        formula.VarList().SetValue("b", TDataNode::FromBoolean(b));
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"r")->AsNumber(), expected);
    }

    void caseFallsThrough() {
        TBvExprMain formula;
        formula.SetExpressionText("a := 0 b := 0 c := 0\nCASE k OF\n 1: a := 1\n 2: b := 2\n 1: c := 3\nEND");
        formula.Compile();
        formula.VarList().SetValue("k", TDataNode::FromNumber(1));
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"a")->AsNumber(), 1.0);
        QCOMPARE(formula.VarList().Find(u"b")->AsNumber(), 0.0);
        QCOMPARE(formula.VarList().Find(u"c")->AsNumber(), 3.0);
        QCOMPARE(formula.Stack().Position(), 0); // the selector is dropped
    }

    void debugOutput() {
        TCapturedOutput output;
        QCOMPARE(RunFormula("DEBUG 1 + 2 Debug('a' + 'b') x := 1"), QStringLiteral("number 1"));
        QCOMPARE(output.Debug, QStringList({"3", "ab"}));
        QCOMPARE(RunFormula("x := Debug(TRUE)"), QStringLiteral("run: Variabel 'Result' isn't assigned, can't use get node"));
        QCOMPARE(output.Debug.last(), QStringLiteral("TRUE"));
    }

    // Without a screen the DEBUG output goes to standard error, never to a
    // modal box that nobody can close.
    void debugWithoutScreen() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
        QCOMPARE(RunFormula("DEBUG 'to standard error' x := 1"), QStringLiteral("number 1"));
    }

    void variablesPersistBetweenRuns() {
        TBvExprMain formula;
        formula.SetExpressionText("n := n + 1");
        formula.Compile();
        formula.VarList().SetValue("n", TDataNode::FromNumber(0));
        formula.Execute();
        formula.Execute();
        QCOMPARE(formula.VarList().Items(0).AsNumber(), 2.0);
    }

    void failedRunKeepsStoredValues() {
        TBvExprMain formula;
        formula.SetExpressionText("a := 1 b := c + 1 d := 4");
        formula.Compile();
        QCOMPARE(RunError(formula), QStringLiteral("Variabel 'c' isn't assigned, can't use get node"));
        QCOMPARE(formula.VarList().Find(u"a")->AsNumber(), 1.0);
        QCOMPARE(formula.VarList().Find(u"d")->Type(), dtEmpty);
        // The next run starts with an empty stack.
        formula.VarList().SetValue("c", TDataNode::FromNumber(1));
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"b")->AsNumber(), 2.0);
        QCOMPARE(formula.Stack().Position(), 0);
    }

    void runAfterFailureStartsClean() {
        // The failing run leaves a value on the stack; the next run must not see it.
        TBvExprMain formula;
        formula.SetExpressionText("IF ok THEN x := 1 + 'a' ELSE x := = 0");
        formula.Compile();
        formula.VarList().SetValue("ok", TDataNode::FromBoolean(true));
        QCOMPARE(RunError(formula), QStringLiteral("The stack dosen't contain 2 numbers"));
        formula.VarList().SetValue("ok", TDataNode::FromBoolean(false));
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"x")->AsBoolean(), true);
    }

    void storingEmptyLeavesVariable() {
        TBvExprMain formula;
        formula.SetExpressionText("x := 5 x :=");
        formula.Compile();
        formula.Execute();
        QCOMPARE(formula.VarList().Items(0).AsNumber(), 5.0);
    }

    void textTooLongForTheStack() {
        TBvExprMain formula;
        formula.SetExpressionText("s := #65 FOR i := 1 TO 17 DO s := s + s");
        formula.Compile();
        QCOMPARE(RunError(formula),
                 QStringLiteral("Text value too long for the expression stack (more than 65535 characters)"));
        QCOMPARE(formula.VarList().Find(u"s")->AsString().size(), 32768);
        QCOMPARE(formula.VarList().Find(u"i")->AsNumber(), 16.0);
    }

    void textOfMaximumLength() {
        TBvExprMain formula;
        formula.SetExpressionText("x := s + 'b'");
        formula.Compile();
        formula.VarList().SetValue("s", TDataNode::FromString(QString(65534, 'a')));
        formula.Execute();
        QCOMPARE(formula.VarList().Find(u"x")->AsString().size(), 65535);
        formula.VarList().SetValue("s", TDataNode::FromString(QString(65536, 'a')));
        QVERIFY(RunError(formula).startsWith("Text value too long"));
    }

    void noInfinityFromHost() {
        // A host may hand in a value that is not finite; it never comes back from arithmetic.
        TBvExprMain formula;
        formula.SetExpressionText("x := y * 1");
        formula.Compile();
        formula.VarList().SetValue("y", TDataNode::FromNumber(std::numeric_limits<double>::quiet_NaN()));
        QCOMPARE(RunError(formula), QStringLiteral("Invalid floating point operation"));
        QCOMPARE(formula.VarList().Find(u"x")->Type(), dtEmpty);
    }

    void lastStringConst() {
        TBvExprMain formula;
        QCOMPARE(formula.LastStringConst(), QString());
        formula.SetExpressionText("x := 'first' y := 'second' + 'third'");
        formula.Compile();
        QCOMPARE(formula.LastStringConst(), QString()); // compiling reads no constant
        formula.Execute();
        QCOMPARE(formula.LastStringConst(), QStringLiteral("third"));
        formula.SetExpressionText("x := 1");
        formula.Compile();
        formula.Execute(); // neither compiling nor running clears it
        QCOMPARE(formula.LastStringConst(), QStringLiteral("third"));
        formula.SetExpressionText("IF FALSE THEN x := 'skipped' ELSE x := 'taken'");
        formula.Compile();
        formula.Execute();
        QCOMPARE(formula.LastStringConst(), QStringLiteral("taken"));
    }

    void resultItem() {
        TBvExprResult formula;
        QVERIFY(!formula.ResultItem());
        try {
            formula.Evaluate();
            QFAIL("no error");
        } catch (const EExprError& e) {
            QCOMPARE(e.Message(), QStringLiteral("The formula is not compiled"));
        }
        formula.SetExpressionText("if TRUE then result := 7");
        formula.Compile();
        QCOMPARE(formula.ResultItem()->Name, QStringLiteral("result"));
        QCOMPARE(formula.Evaluate().AsNumber(), 7.0);
        QCOMPARE(formula.VarList().Count(), 1);

        formula.SetExpressionText("x := 1");
        formula.Compile();
        QCOMPARE(formula.VarList().Count(), 2);
        QCOMPARE(formula.ResultItem()->Name, QStringLiteral("RESULT"));
        try {
            formula.Evaluate().AsNumber();
            QFAIL("no error");
        } catch (const EExprError& e) {
            QCOMPARE(e.Message(), QStringLiteral("Variabel 'RESULT' isn't a number type"));
        }
        formula.SetExpressionText("x = 1");
        QVERIFY_THROWS_EXCEPTION(EExprError, formula.Compile());
        QVERIFY(!formula.ResultItem());
    }

    void prepareVariables() {
        TXFormula formula;
        formula.VarList().SetValue("Y", TDataNode::FromNumber(1));
        formula.SetExpressionText("Result := X * 2");
        formula.Compile();
        QCOMPARE(formula.PreparedWith, 0); // called on an emptied list
        QCOMPARE(formula.VarList().Items(0).Name, QStringLiteral("X"));
        QCOMPARE(formula.VarList().Count(), 2);
        formula.X->SetNumber(21);
        QCOMPARE(formula.Evaluate().AsNumber(), 42.0);
    }

    void sourceDestroyedAfterCompile() {
        TBvExprMain formula;
        auto* source = new TBvExprSource;
        formula.SetSource(source);
        formula.SetExpressionText("x := Max(1, 2)");
        formula.Compile();
        delete source;
        QVERIFY(!formula.Source());
        QCOMPARE(RunError(formula), QStringLiteral("The functions of the formula are no longer available"));
    }

    void stackTypedAccess() {
        TExprStack stack;
        QCOMPARE(stack.Size(), TExprStack::InitialSize);
        QCOMPARE(stack.TopType(), dtEmpty);
        QCOMPARE(stack.PopNode().Type, dtEmpty); // popping an empty stack does not fail
        stack.PushString(QStringLiteral("ab"));
        stack.PushNumber(2.5);
        stack.PushBoolean(true);
        // Layout: text characters, 16-bit length, type; the type is the last byte.
        QCOMPARE(stack.Position(), 4 + 3 + 9 + 2);
        QCOMPARE(stack.Memory()[4], uint8_t(2));
        QCOMPARE(stack.Memory()[6], uint8_t(dtString));
        QCOMPARE(stack.TopType(), dtBoolean);
        QCOMPARE(stack.SecondType(), dtNumber);
        QVERIFY_THROWS_EXCEPTION(EExprError, stack.PopNumber());
        try {
            stack.PopString();
            QFAIL("no error");
        } catch (const EExprError& e) {
            QCOMPARE(e.Message(), QStringLiteral("No string value on the stack"));
        }
        QCOMPARE(stack.PopBoolean(), true);
        try {
            stack.PopBoolean();
            QFAIL("no error");
        } catch (const EExprError& e) {
            QCOMPARE(e.Message(), QStringLiteral("No boolean value on the stack"));
        }
        QCOMPARE(stack.PopNumber(), 2.5);
        try {
            stack.PopNumber();
            QFAIL("no error");
        } catch (const EExprError& e) {
            QCOMPARE(e.Message(), QStringLiteral("No number value on the stack"));
        }
        QCOMPARE(stack.PopString(), QStringLiteral("ab"));
        try {
            stack.PushNode(TDataNode());
            QFAIL("no error");
        } catch (const EExprError& e) {
            QCOMPARE(e.Message(), QStringLiteral("Can't push an empty node"));
        }
        for (int i = 0; i < 200; ++i) // grows past its first 500 bytes
            stack.PushNumber(i);
        QCOMPARE(stack.PopNumber(), 199.0);
    }

    void constantReaders_data() {
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("expected");
        QTest::newRow("number read as text") << int(dtNumber) << int(dtString) << "Const string expected";
        QTest::newRow("text read as number") << int(dtString) << int(dtNumber) << "Const number expected";
        QTest::newRow("number read as boolean") << int(dtNumber) << int(dtBoolean) << "Const boolean expected";
    }
    void constantReaders() {
        QFETCH(int, written);
        QFETCH(int, reader);
        QFETCH(QString, expected);
        TExprCode code;
        code.WriteByte(uint8_t(written));
        code.WriteDouble(1);
        code.SetPosition(0);
        try {
            if (reader == dtString) {
                const char16_t* data;
                int length;
                code.ReadStringConst(data, length);
            } else if (reader == dtNumber) {
                code.ReadNumberConst();
            } else {
                code.ReadBooleanConst();
            }
            QFAIL("no error");
        } catch (const EExprError& e) {
            QCOMPARE(e.Message(), expected);
        }
    }

    // The machine does not trust its code: malformed code fails, it never
    // reads outside the buffer.
    void malformedCode_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("expected");
        QTest::newRow("argument without opParam")
            << QByteArray(1, char(opCallFunc)) + Int32(0) + QByteArray(1, char(opConst)) + char(dtNumber) +
                   QByteArray(8, 0)
            << "Parameter expected";
        QTest::newRow("unknown constant type")
            << QByteArray(1, char(opConst)) + char(7) << "Const number expected";
        QTest::newRow("opDup on an empty stack") << QByteArray(1, char(opDup)) << "Can't push an empty node";
        QTest::newRow("jump past the code") << QByteArray(1, char(opJump)) + Int32(1000)
                                            << "Malformed code: jump target 1000 is outside the code";
        QTest::newRow("negative jump") << QByteArray(1, char(opJump)) + Int32(-1)
                                       << "Malformed code: jump target -1 is outside the code";
        QTest::newRow("unknown opcode") << QByteArray(1, char(99)) << "Malformed code: unknown opcode 99";
        QTest::newRow("variable reference") << QByteArray(1, char(opLoad)) + Int32(12345)
                                            << "Malformed code: invalid variable reference";
        QTest::newRow("function reference") << QByteArray(1, char(opCall)) + Int32(-5)
                                            << "Malformed code: invalid function reference";
        const QByteArray one = QByteArray(1, char(opConst)) + char(dtNumber) + QByteArray("\0\0\0\0\0\0\xf0\x3f", 8);
        QTest::newRow("sum stored to a bad variable")
            << one + one + char(opAdd) + char(opStore) + Int32(999) << "Malformed code: invalid variable reference";
        QTest::newRow("comparison tested by a bad jump")
            << one + one + char(opGt) + char(opJumpFalse) + Int32(5000)
            << "Malformed code: jump target 5000 is outside the code";
        QTest::newRow("variable operand cut by the end")
            << QByteArray(1, char(opJump)) + Int32(TExprCode::InitialSize - 2) +
                   QByteArray(TExprCode::InitialSize - 7, char(opEnd)) + char(opLoad)
            << "Malformed code: an operand runs past the end of the code";
        QTest::newRow("jump operand cut by the end")
            << QByteArray(1, char(opJump)) + Int32(TExprCode::InitialSize - 3) +
                   QByteArray(TExprCode::InitialSize - 8, char(opEnd)) + char(opJumpFalse)
            << "Malformed code: an operand runs past the end of the code";
        QTest::newRow("text longer than the code")
            << QByteArray(1, char(opConst)) + char(dtString) + QByteArray("\xff\xff", 2)
            << "Malformed code: an operand runs past the end of the code";
    }
    void malformedCode() {
        QFETCH(QByteArray, code);
        QFETCH(QString, expected);
        TBvExprSource source;
        TBvExprMain formula;
        formula.SetSource(&source);
        formula.SetExpressionText("x := Max(1, 2)");
        formula.Compile();
        LoadCode(formula, code);
        QCOMPARE(RunError(formula), expected);
    }

    void handlerRunningItsCaller() {
        TBvExprSource source;
        TBvExprMain formula;
        source.FuncList().AddFunc("Again", 0, [&formula](TVarList&, TVarItem& r) {
            formula.Execute();
            r.SetNumber(1);
        });
        formula.SetSource(&source);
        formula.SetExpressionText("x := Again()");
        formula.Compile();
        QCOMPARE(RunError(formula), QStringLiteral("The expression is already running"));
    }
};

TAVLO_TEST(TestBvExprMachine);
#include "tst_BvExprMachine.moc"
