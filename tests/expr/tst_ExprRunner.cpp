// The formula runner of `tavlo-cli expr`, in process and as the built command.

#include "ExprRunner.h"
#include "ExprTestUtil.h"
#include "FormatSettings.h"
#include "TestMain.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct TRunResult {
    int Status;
    QString Output;
    QString Errors;
};

TRunResult Run(const QStringList& arguments, const QByteArray& input) {
    QBuffer in, out, err;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    int status = RunExprCommand(arguments, in, out, err);
    return {status, QString::fromUtf8(out.data()), QString::fromUtf8(err.data())};
}
} // namespace

class TestExprRunner : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void runs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("formula");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::newRow("run failure prints only the error")
            << QStringList{"-"} << QByteArray("b := 'x' + #9 + 'y'\na := 2.5 * 2\nc := a > 1\nd := e\n") << 1
            << "error\tVariabel 'e' isn't assigned, can't use get node\n";
        QTest::newRow("types")
            << QStringList{"-"} << QByteArray("b := 'x'\na := 2.5 * 2\nc := a > 1\nIF FALSE THEN d := 1") << 0
            << "b\ttext\tx\na\tnumber\t5\nc\tboolean\tTRUE\nd\tempty\t\n";
        QTest::newRow("WriteLn first")
            << QStringList{"-"} << QByteArray("WriteLn('hello') x := 1E20 WriteLn(0.5)") << 0
            << "hello\n0.5\nx\tnumber\t1E20\n";
        QTest::newRow("settings")
            << QStringList{"--set", "n=2.5", "--set", "t=TRUE", "--set", "s=2,5", "--set", "new=abc", "-"}
            << QByteArray("x := n * 2 IF t THEN y := s + '!'") << 0
            << "x\tnumber\t5\nn\tnumber\t2.5\nt\tboolean\tTRUE\ny\ttext\t2,5!\ns\ttext\t2,5\nnew\ttext\tabc\n";
        QTest::newRow("compile failure")
            << QStringList{"-"} << QByteArray("x = 1") << 1 << "error\tSymbol expected :=\n";
        QTest::newRow("lexical failure")
            << QStringList{"-"} << QByteArray("x := 1\n{ don't }") << 1 << "error\tInvalid string constant on line 2\n";
        QTest::newRow("run failure after output")
            << QStringList{"-"} << QByteArray("WriteLn(1) x := 7 DIV 0.4") << 1 << "1\nerror\tDivision by zero\n";
        QTest::newRow("no source")
            << QStringList{"--no-source", "-"} << QByteArray("x := Max") << 1
            << "error\tVariabel 'Max' isn't assigned, can't use get node\n";
        QTest::newRow("source")
            << QStringList{"-"} << QByteArray("x := Max") << 1 << "error\tSymbol expected (\n";
        QTest::newRow("UTF-8 text")
            << QStringList{"-"} << QByteArray("x := StrUpper('s\xc3\xb8')") << 0 << QString::fromUtf8("x\ttext\tS\xc3\x98\n");
        QTest::newRow("texts escaped, one line each")
            << QStringList{"-"} << QByteArray("a := 'x' + #9 + 'y' + #13#10 + 'z\\'\nb := 'plain'") << 0
            << "a\ttext\tx\\ty\\r\\nz\\\\\nb\ttext\tplain\n";
        QTest::newRow("error message escaped")
            << QStringList{"-"} << QByteArray("x := StrToNum('1' + #10 + '2')") << 1
            << "error\t'1\\n2' is not a valid floating point value\n";
        QTest::newRow("ANSI file")
            << QStringList{"-"} << QByteArray("x := StrUpper('s\xf8')") << 0 << QString::fromUtf8("x\ttext\tS\xc3\x98\n");
    }
    void runs() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, formula);
        QFETCH(int, status);
        QFETCH(QString, output);
        TRunResult result = Run(arguments, formula);
        QCOMPARE(result.Output, output);
        QCOMPARE(result.Status, status);
    }

    void numbersWithPointWhateverTheLocale() {
        FormatSettings().DecimalSeparator = ',';
        TRunResult result = Run({"--set", "n=0.25", "-"}, "x := n + 1");
        QCOMPARE(result.Output, QStringLiteral("x\tnumber\t1.25\nn\tnumber\t0.25\n"));
    }

    void debugGoesToErrors() {
        TRunResult result = Run({"-"}, "DEBUG 'look' x := 1");
        QCOMPARE(result.Output, QStringLiteral("x\tnumber\t1\n"));
        QCOMPARE(result.Errors, QStringLiteral("look\n"));
    }

    void usage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no file") << QStringList{};
        QTest::newRow("two files") << QStringList{"a", "b"};
        QTest::newRow("unknown option") << QStringList{"--fast", "-"};
        QTest::newRow("set without value") << QStringList{"--set"};
        QTest::newRow("set without =") << QStringList{"--set", "n", "-"};
    }
    void usage() {
        QFETCH(QStringList, arguments);
        TRunResult result = Run(arguments, "");
        QCOMPARE(result.Status, 2);
        QCOMPARE(result.Output, QString());
        QVERIFY(result.Errors.contains(ExprCommandUsage()));
    }

    void missingFile() {
        TRunResult result = Run({"/nonexistent/formula.txt"}, "");
        QCOMPARE(result.Status, 1);
        QVERIFY(result.Output.startsWith("error\tCannot open file \"/nonexistent/formula.txt\""));
    }

    // The built command, end to end: a file argument, standard output and the exit status.
    void command() {
        QString exe = QDir(QCoreApplication::applicationDirPath()).filePath("tavlo-cli");
        QVERIFY2(QFileInfo::exists(exe), qPrintable(exe));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString file = dir.filePath("risk.txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{ a linear term }\r\nIF age > 60 THEN Result := 0.05 * age + Max(chol, 5)\r\nELSE Result := 0\r\n"
                "WriteLn(NumToStr(Result))\r\n");
        f.close();

        QProcess process;
        process.start(exe, {"expr", "--set", "age=70", "--set", "chol=6.5", file});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
                 QStringLiteral("10\nage\tnumber\t70\nResult\tnumber\t10\nchol\tnumber\t6.5\n"));
        QCOMPARE(process.exitCode(), 0);

        process.start(exe, {"expr", "-"});
        process.write("x := 1 +\n'a'");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
                 QStringLiteral("error\tThe stack dosen't contain 2 numbers\n"));
        QCOMPARE(process.exitCode(), 1);

        process.start(exe, {"help"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 2);
    }
};

TAVLO_TEST(TestExprRunner);
#include "tst_ExprRunner.moc"
