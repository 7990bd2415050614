// Robustness: random and mutated formulas, a fixed seed and a fixed count.
// Whatever the text, compiling and running it either succeeds or fails with
// one of the system's exceptions carrying a message: never a crash, a hang
// (the run's budget ends every loop) or another kind of exception.

#include "BvExpr.h"
#include "ExprTestUtil.h"
#include "FormatSettings.h"
#include "TestMain.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Texts of the language, well-formed or nearly so.
class TFormulaGenerator {
public:
    explicit TFormulaGenerator(quint32 seed) : FRandom(seed) {}

    int Below(int n) { return int(FRandom.bounded(n)); }
    bool OneIn(int n) { return Below(n) == 0; }
    template <size_t N> const char* Pick(const char* const (&items)[N]) { return items[Below(int(N))]; }

    QString Program() {
        QStringList statements;
        for (int i = Below(6) + 1; i > 0; --i)
            statements << Statement(3);
        return statements.join(OneIn(2) ? QStringLiteral("\n") : QStringLiteral(" "));
    }

    QString Statement(int depth) {
        if (depth <= 0)
            return Variable() + " := " + Expression(2);
        switch (Below(12)) {
        case 0:
            return "IF " + Expression(2) + " THEN " + Statement(depth - 1) +
                   (OneIn(2) ? " ELSE " + Statement(depth - 1) : QString());
        case 1:
            return "FOR " + Variable() + " := " + Expression(1) + (OneIn(2) ? " TO " : " DOWNTO ") +
                   Expression(1) + (OneIn(2) ? " STEP " + Number() : QString()) + " DO " + Statement(depth - 1);
        case 2:
            return "WHILE " + Expression(2) + " DO " + Statement(depth - 1);
        case 3:
            return "REPEAT " + Statement(depth - 1) + " " + Statement(depth - 1) + " UNTIL " + Expression(2);
        case 4: {
            QString arms;
            for (int i = Below(3) + 1; i > 0; --i)
                arms += " " + Expression(1) + ": " + Statement(depth - 1);
            return "CASE " + Expression(1) + " OF" + arms + " END";
        }
        case 5:
            return "BEGIN " + Statement(depth - 1) + " " + Statement(depth - 1) + " END";
        case 6:
            return "{ " + Expression(1) + " } " + Statement(depth - 1);
        case 7:
            return "DEBUG " + Expression(2);
        case 8:
            return Call(2);
        default:
            return Variable() + " := " + Expression(3);
        }
    }

    QString Expression(int depth) {
        if (depth <= 0 || OneIn(4))
            return Operand(depth);
        static const char* const operators[] = {"+", "-", "*", "/", "^", "DIV", "MOD", "=", "<>", "<",
                                                ">", "<=", ">=", "AND", "OR", "+ -", "* -", "^ -"};
        return Expression(depth - 1) + " " + Pick(operators) + " " + Expression(depth - 1);
    }

    QString Operand(int depth) {
        switch (Below(10)) {
        case 0:
            return "(" + Expression(depth - 1) + ")";
        case 1:
            return "NOT " + Operand(depth - 1);
        case 2:
            return (OneIn(2) ? "-" : "+") + Operand(depth - 1);
        case 3:
            return Call(depth - 1);
        case 4:
            return Text();
        case 5:
            return OneIn(2) ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        case 6:
        case 7:
            return Number();
        default:
            return Variable();
        }
    }

    // A built-in, with its own number of arguments most of the time.
    QString Call(int depth) {
        static const char* const names[] = {"NumToStr", "StrToNum", "WriteLn", "Debug", "Min", "Max",
                                            "Time", "Date", "DecToStr", "StrLength", "StrCopy",
                                            "StrDelete", "StrUpper", "StrLower", "StrInsert",
                                            "StrCompare", "IndexChar", "IsLetters", "IsNum"};
        static const int counts[] = {1, 1, 1, 1, 2, 2, 0, 0, 2, 1, 3, 3, 1, 1, 3, 2, 1, 1, 1};
        int which = Below(int(std::size(names)));
        int count = OneIn(8) ? Below(4) : counts[which];
        QStringList arguments;
        for (int i = 0; i < count; ++i)
            arguments << Expression(std::max(depth - 1, 0));
        return QString::fromLatin1(names[which]) + "(" + arguments.join(", ") + ")";
    }

    QString Variable() {
        static const char* const names[] = {"a", "b", "x", "i", "Result", "s"};
        return QString::fromLatin1(Pick(names));
    }

    QString Number() {
        static const char* const numbers[] = {"0", "1", "2", "7", "0.5", "1E300", "1E-300", "$FF",
                                              "$FFFFFFFF", "2147483647", "0.1", "400", "3.5E2"};
        return QString::fromLatin1(Pick(numbers));
    }

    QString Text() {
        static const char* const texts[] = {"''", "'a'", "'ab''c'", "#13#10", "'TRUE'", "'1.5'", "#229",
                                            "'x'#9'y'", "#"};
        return QString::fromLatin1(Pick(texts));
    }

    // A few changes of characters or pieces: the near misses an author types.
    QString Mutated(QString text) {
        static const QString alphabet = QStringLiteral("'#${}()+-*/^=<>:;,. \n\t0123456789aAeEzZ_") +
                                        QChar(0xE5) + QChar(0xF8) + QChar(0);
        static const char* const words[] = {"BEGIN", "END", "IF", "THEN", "ELSE", "FOR", "TO", "DOWNTO",
                                            "STEP", "DO", "WHILE", "REPEAT", "UNTIL", "CASE", "OF",
                                            "DEBUG", "AND", "OR", "NOT", "DIV", "MOD", ":="};
        for (int n = Below(4) + 1; n > 0; --n) {
            qsizetype at = text.isEmpty() ? 0 : Below(int(text.size()) + 1);
            switch (Below(5)) {
            case 0:
                text.remove(at, Below(6) + 1);
                break;
            case 1:
                text.insert(at, alphabet[Below(int(alphabet.size()))]);
                break;
            case 2:
                text.insert(at, QLatin1Char(' ') + QLatin1String(Pick(words)) + QLatin1Char(' '));
                break;
            case 3: { // a piece repeated
                qsizetype length = std::min<qsizetype>(Below(12) + 1, text.size() - at);
                text.insert(at, text.mid(at, length));
                break;
            }
            default:
                if (at < text.size())
                    text[at] = alphabet[Below(int(alphabet.size()))];
            }
        }
        return text;
    }

    QString Noise() {
        QString text;
        for (int n = Below(60); n > 0; --n)
            text += QChar(char16_t(Below(256)));
        return text;
    }

private:
    QRandomGenerator FRandom;
};

// Compiles and runs `text` twice; an empty result or the failure's message.
// Anything other than the system's exceptions fails the test.
QString Try(TBvExprSource& source, const QString& text, int& failures) {
    TBvExprMain formula;
    formula.SetSource(&source);
    formula.SetExpressionText(text);
    formula.SetInstructionBudget(20000);
    try {
        formula.Compile();
        formula.VarList().SetValue("a", TDataNode::FromNumber(3));
        formula.VarList().SetValue("b", TDataNode::FromString("b"));
        formula.Execute();
        formula.Execute();
    } catch (const Exception& e) {
        ++failures;
        if (e.Message().isEmpty())
            return QStringLiteral("a failure without a message");
    } catch (const std::exception& e) {
        return QStringLiteral("std::exception: ") + QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("an unknown exception");
    }
    return QString();
}

} // namespace

class TestExprFuzz : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void randomAndMutatedFormulas_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("generated") << 0;
        QTest::newRow("mutated") << 1;
        QTest::newRow("noise") << 2;
    }
    void randomAndMutatedFormulas() {
        QFETCH(int, kind);
        TCapturedOutput output; // WriteLn and DEBUG write nowhere
        TBvExprSource source;
        TFormulaGenerator generator(20261211 + quint32(kind));
        int failures = 0;
        const int count = 6000;
        for (int i = 0; i < count; ++i) {
            QString text = kind == 0   ? generator.Program()
                           : kind == 1 ? generator.Mutated(generator.Program())
                                       : generator.Noise();
            QString problem = Try(source, text, failures);
            if (!problem.isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1 for the formula:\n%2").arg(problem, text)));
            output.WriteLn.clear();
            output.Debug.clear();
        }
        // Both outcomes are reached: the texts are neither all broken nor all tame.
        QVERIFY2(failures > 0 && failures < count, qPrintable(QString::number(failures)));
    }
};

TAVLO_TEST(TestExprFuzz);
#include "tst_ExprFuzz.moc"
