// `tavlo-cli calc` as the built command: CSV rows scored through the work
// window's journal and calculation, checked against the published SCORE2
// equations, with its handling of missing values, goals, other columns,
// quoting and bad input.

#include "TestMain.h"
#include "../model/Score2Reference.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct TCliResult {
    int Status = -1;
    QByteArray Output;
    QString Errors;
};

TCliResult RunCalc(const QStringList& arguments, const QByteArray& input,
                   const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QDir(QCoreApplication::applicationDirPath()).filePath("tavlo-cli"), QStringList{"calc"} + arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    TCliResult result;
    result.Status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.Output = process.readAllStandardOutput();
    result.Errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The records of the command's output, quoted fields read as RFC 4180 has them.
QList<QStringList> ReadCsv(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record << field;
            field.clear();
        } else if (c == '\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        records << (record << field);
    return records;
}

// One column of the output's rows, by its header name.
QStringList Column(const QList<QStringList>& records, const QString& name) {
    QStringList values;
    if (records.isEmpty())
        return values;
    const int at = records.first().indexOf(name);
    for (int i = 1; i < records.size(); ++i)
        values << records.at(i).value(at);
    return values;
}

double Percent(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok); // the command always writes "."
    return ok ? value : -1;
}

const QByteArray Header = "Sex,Age,Blood pressure,Cholesterol,HDL,Smoking";

} // namespace

class TestCliCalc : public QObject {
    Q_OBJECT
private slots:
    // The risks are those of the published equations, for men and women, in
    // the model and variant asked for, with goals in place for the treatment risk.
    void againstReference_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("region");
        QTest::addColumn<bool>("diabetes");
        QTest::addColumn<QByteArray>("sex"); // M or F
        QTest::addColumn<double>("age");
        QTest::addColumn<double>("sbp");
        QTest::addColumn<double>("tc");
        QTest::addColumn<double>("hdl");
        QTest::addColumn<bool>("smoker");
        QTest::addColumn<double>("sbpGoal");
        QTest::addColumn<bool>("smokerGoal");
        QTest::newRow("a man") << QStringList{"-"} << QByteArray(Header + "\nM,55,140,5.5,1.2,0\n") << 1 << false
                               << QByteArray("M") << 55.0 << 140.0 << 5.5 << 1.2 << false << 140.0 << false;
        QTest::newRow("a woman who smokes, with goals")
            << QStringList{} << QByteArray(Header + ",Blood pressure goal,Smoking goal\nFemale,62,150,6.5,1.1,2,130,0\n")
            << 1 << false << QByteArray("F") << 62.0 << 150.0 << 6.5 << 1.1 << true << 130.0 << false;
        QTest::newRow("sex as 1, high-risk model")
            << QStringList{"--model", "3"} << QByteArray(Header + "\n1,45,125,4.8,1.6,2\n") << 3 << false
            << QByteArray("F") << 45.0 << 125.0 << 4.8 << 1.6 << true << 125.0 << true;
        QTest::newRow("a diabetic man, Danish country")
            << QStringList{"--diabetes", "--country", "2"} << QByteArray(Header + ",Diabetes\nmale,68,160,7.1,0.9,0,1\n")
            << 1 << true << QByteArray("M") << 68.0 << 160.0 << 7.1 << 0.9 << false << 160.0 << false;
    }
    void againstReference() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, region);
        QFETCH(bool, diabetes);
        QFETCH(QByteArray, sex);
        QFETCH(double, age);
        QFETCH(double, sbp);
        QFETCH(double, tc);
        QFETCH(double, hdl);
        QFETCH(bool, smoker);
        QFETCH(double, sbpGoal);
        QFETCH(bool, smokerGoal);
        const TCliResult result = RunCalc(arguments, input);
        QVERIFY2(result.Status == 0, qPrintable(result.Errors));
        const QList<QStringList> records = ReadCsv(result.Output);
        QCOMPARE(records.size(), 2);
        QCOMPARE(Column(records, "Calculated"), QStringList{"1"});
        QCOMPARE(Column(records, "Error"), QStringList{""});
        using namespace Score2Reference;
        const Sex group = sex == "M" ? Sex::Male : Sex::Female;
        const Patient patient{group, age, sbp, tc, hdl, smoker, diabetes};
        const Patient goals{group, age, sbpGoal, tc, hdl, smokerGoal, diabetes};
        const double examination = 100 * TenYearRisk(patient, Region(region));
        const double treatment = 100 * TenYearRisk(goals, Region(region));
        const QString examinationText = Column(records, "Examination risk").value(0);
        QVERIFY2(qAbs(Percent(examinationText) - examination) < 0.0001, qPrintable(examinationText));
        QCOMPARE(examinationText.section('.', 1).size(), 4);
        QVERIFY(qAbs(Percent(Column(records, "Treatment risk").value(0)) - treatment) < 0.0001);
        const double difference = examination - treatment;
        const QString nnt = difference > 0 ? QString::number(qRound(100 / difference)) : QString("0");
        QCOMPARE(Column(records, "NNT").value(0), nnt);
    }

    // The prediction period asked for is the one calculated: five years
    // give a smaller risk than ten for the same patient.
    void predictionPeriod() {
        const QByteArray input = Header + "\nM,55,140,5.5,1.2,0\n";
        const TCliResult ten = RunCalc({}, input);
        const TCliResult five = RunCalc({"--years", "5"}, input);
        QVERIFY2(five.Status == 0, qPrintable(five.Errors));
        const double tenYears = Percent(Column(ReadCsv(ten.Output), "Examination risk").value(0));
        const double fiveYears = Percent(Column(ReadCsv(five.Output), "Examination risk").value(0));
        QVERIFY2(fiveYears > 0 && fiveYears < tenYears, qPrintable(QString("%1 %2").arg(fiveYears).arg(tenYears)));
    }

    // A factor without a column takes its default (cholesterol 5, HDL 1.5);
    // an empty cell is no value either.
    void missingFactorsTakeTheirDefaults() {
        const TCliResult result = RunCalc({}, "Age,Sex,Blood pressure,HDL\n60,F,140,\n");
        QVERIFY2(result.Status == 0, qPrintable(result.Errors));
        const QList<QStringList> records = ReadCsv(result.Output);
        using namespace Score2Reference;
        const double expected = 100 * TenYearRisk({Sex::Female, 60, 140, 5, 1.5, false, false}, Region::Low);
        QVERIFY(qAbs(Percent(Column(records, "Examination risk").value(0)) - expected) < 0.0001);
        // No goals: the treatment risk is the examination risk.
        QCOMPARE(Column(records, "Treatment risk"), Column(records, "Examination risk"));
        QCOMPARE(Column(records, "NNT"), QStringList{"0"});
    }

    // Every input column comes back in its place and as it was, quoted
    // where it has to be; the results follow.
    void passThroughAndQuoting() {
        QTemporaryDir dir;
        const QString path = dir.filePath("patients.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Name,Sex,Note,Age,Blood pressure,Room\r\n"
                   "\"Berg, Anna\",F,\"said \"\"hi\"\"\nand left\",60,150,\r\n"
                   "Dahl,M,,50,130,7\r\n");
        file.close();
        const TCliResult result = RunCalc({path}, {});
        QVERIFY2(result.Status == 0, qPrintable(result.Errors));
        QVERIFY(result.Output.startsWith("Name,Sex,Note,Age,Blood pressure,Room,Examination risk,Treatment risk,"
                                         "NNT,Calculated,Error\n\"Berg, Anna\",F,\"said \"\"hi\"\"\nand left\",60,150,,"));
        const QList<QStringList> records = ReadCsv(result.Output);
        QCOMPARE(records.size(), 3);
        QCOMPARE(records.at(1).mid(0, 6), (QStringList{"Berg, Anna", "F", "said \"hi\"\nand left", "60", "150", ""}));
        QCOMPARE(records.at(2).mid(0, 6), (QStringList{"Dahl", "M", "", "50", "130", "7"}));
        QCOMPARE(Column(records, "Calculated"), (QStringList{"1", "1"}));
    }

    // One patient and examination serve every row: a file gives each row
    // what the row gives alone, whatever the rows before it left.
    void fileEqualsEachRowAlone() {
        const QByteArray header = Header + ",Blood pressure goal,Cholesterol goal,Note";
        const QList<QByteArray> rows{"M,45,170,7.5,0.8,2,130,5,first",
                                     "F,66,120,4.0,2.1,0,,,",
                                     "F,52,,,,2,,4,empty cells",
                                     "M,30,140,5,1.3,0,,,too young",
                                     "M,69,200,9.5,0.7,1,140,,former smoker",
                                     "M,69,200,9.5,0.7,1,140,,again"};
        const TCliResult whole = RunCalc({}, header + '\n' + rows.join('\n') + '\n');
        QCOMPARE(whole.Status, 1); // the young patient
        const QList<QStringList> records = ReadCsv(whole.Output);
        QCOMPARE(records.size(), rows.size() + 1);
        for (int i = 0; i < rows.size(); ++i) {
            const TCliResult alone = RunCalc({}, header + '\n' + rows.at(i) + '\n');
            const QList<QStringList> single = ReadCsv(alone.Output);
            QCOMPARE(single.value(1), records.at(i + 1));
        }
        QCOMPARE(Column(records, "Calculated"), (QStringList{"1", "1", "1", "0", "1", "1"}));
        QVERIFY(Column(records, "Error").value(3).contains("between 40 and 69"));
        QCOMPARE(records.at(6).mid(9), records.at(5).mid(9));
    }

    // The run works on databases of its own: the user's folders (settings,
    // aliases, databases) are neither read nor written.
    void leavesTheUsersFoldersAlone() {
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
            QDir(home.path()).mkdir(name);
            environment.insert(name, home.filePath(name));
        }
        const TCliResult result = RunCalc({}, Header + "\nM,55,140,5,1.3,0\n", environment);
        QVERIFY2(result.Status == 0, qPrintable(result.Errors));
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
            QVERIFY2(QDir(home.filePath(name)).isEmpty(), name);
    }

    // A bad row is told in its Error and the others are scored (exit 1);
    // a bad option or input the command cannot read stops it (exit 2) with
    // a message naming what and where.
    void badInput_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("rowError"); // of the first row, when rows are written
        QTest::addColumn<QString>("message");  // on the error output
        QTest::newRow("bad number") << QStringList{} << QByteArray(Header + "\nM,55,1a0,5,1.3,0\nF,60,140,5,1.3,0\n") << 1
                                    << "Blood pressure: '1a0' is not a number" << "1 of 2 rows";
        QTest::newRow("decimal comma") << QStringList{} << QByteArray(Header + "\nM,55,140,\"5,5\",1.3,0\n") << 1
                                       << "Cholesterol: '5,5' is not a number" << "";
        QTest::newRow("bad sex") << QStringList{} << QByteArray(Header + "\nX,55,140,5,1.3,0\n") << 1
                                 << "Sex: 'X' is none of M, F, Male, Female, 0, 1" << "";
        QTest::newRow("age not whole") << QStringList{} << QByteArray(Header + "\nM,55.5,140,5,1.3,0\n") << 1
                                       << "Age: '55.5' is not a whole number of years above 0" << "";
        QTest::newRow("outside the factor's range") << QStringList{} << QByteArray(Header + "\nM,55,400,5,1.3,0\n") << 1
                                                    << "Blood pressure: 400 is outside 70 to 250" << "";
        QTest::newRow("age in hex") << QStringList{} << QByteArray(Header + "\nM,$37,140,5,1.3,0\n") << 1
                                    << "Age: '$37' is not a whole number of years above 0" << "";
        QTest::newRow("too few fields") << QStringList{} << QByteArray(Header + "\nM,55,140\n") << 1
                                        << "line 2 has 3 fields, the header 6" << "";
        QTest::newRow("diabetic without --diabetes") << QStringList{} << QByteArray(Header + ",Diabetes\nM,55,140,5,1.3,0,1\n")
                                                     << 1 << "Diabetes 1: diabetic patients are calculated with --diabetes" << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << QByteArray(Header + "\n") << 2 << ""
                                        << "unknown option --frobnicate";
        QTest::newRow("option without its number") << QStringList{"--years"} << QByteArray() << 2 << ""
                                                   << "--years needs a number";
        QTest::newRow("a period not offered") << QStringList{"--years", "7"} << QByteArray(Header + "\n") << 2 << ""
                                              << "--years 7: the periods offered are 5, 10";
        QTest::newRow("no such model") << QStringList{"--model", "99"} << QByteArray(Header + "\n") << 2 << ""
                                       << "--model 99: there is no such model";
        QTest::newRow("no such country") << QStringList{"--country", "7"} << QByteArray(Header + "\n") << 2 << ""
                                         << "--country 7: there is no such country";
        QTest::newRow("unreadable file") << QStringList{"/nonexistent/rows.csv"} << QByteArray() << 2 << ""
                                         << "cannot read /nonexistent/rows.csv";
        QTest::newRow("quote never closed") << QStringList{} << QByteArray(Header + "\nM,55,140,5,1.3,0\n\"F,60\n") << 2
                                            << "" << "line 3: the quoted field is never closed";
        QTest::newRow("no Age column") << QStringList{} << QByteArray("Sex,Blood pressure\nM,140\n") << 2 << ""
                                       << "line 1: there is no column Age";
        QTest::newRow("empty input") << QStringList{} << QByteArray() << 2 << "" << "the input has no header row";
        QTest::newRow("not UTF-8") << QStringList{} << QByteArray(Header + "\n\xff\xfe,55,140,5,1.3,0\n") << 2 << ""
                                   << "the input is not UTF-8 text";
    }
    void badInput() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, rowError);
        QFETCH(QString, message);
        const TCliResult result = RunCalc(arguments, input);
        QCOMPARE(result.Status, status);
        QVERIFY2(result.Errors.contains(message), qPrintable(result.Errors));
        const QList<QStringList> records = ReadCsv(result.Output);
        if (status == 2) {
            QVERIFY(result.Output.isEmpty());
            return;
        }
        QVERIFY(records.size() >= 2);
        QCOMPARE(Column(records, "Error").value(0), rowError);
        QCOMPARE(Column(records, "Calculated").value(0), QString("0"));
        QCOMPARE(Column(records, "Examination risk").value(0), QString());
        // The rows after a bad one are scored.
        for (int i = 2; i < records.size(); ++i)
            QCOMPARE(records.at(i).value(records.first().indexOf("Calculated")), QString("1"));
    }
};

TAVLO_TEST(TestCliCalc);

#include "tst_CliCalc.moc"
