// The model check on the shipped data, and on copies with one fault of each
// kind it looks for: in process, and through the built `tavlo-cli
// check-model` with its exit status.

#include "Application.h"
#include "BuildMediatorDM.h"
#include "DBTables.h"
#include "Edition.h"
#include "ModelCheck.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

QStringList Texts(const QList<TModelProblem>& problems) {
    QStringList texts;
    for (const TModelProblem& problem : problems)
        texts << problem.Text();
    return texts;
}

struct TCliResult {
    int Status = -1;
    QString Output;
    QString Errors;
};

TCliResult RunCli(const QStringList& arguments) {
    const QString exe = QDir(QCoreApplication::applicationDirPath()).filePath("tavlo-cli");
    if (!QFileInfo::exists(exe))
        return {-1, QString(), "no " + exe};
    QProcess process;
    process.start(exe, QStringList{"check-model"} + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString(), "tavlo-cli did not finish"};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The faults, each as statements on the shipped data and the line that must name it.
struct TFault {
    const char* Name;
    QStringList Sql;
    QString Line;
};

const QList<TFault>& Faults() {
    static const QList<TFault> faults = {
        {"formula that does not compile",
         {"UPDATE Risks_P SET Expression = 'Result := (Beta(''HDL'') * 2' WHERE \"Risk id\" = 19 AND CalcID = 2"},
         "Risks_P row Risk id 19, CalcID 2: Expression: "},
        {"model function with too many arguments",
         {"UPDATE Risks_D SET Adjust = 'Result := Const(''HDL'', 2)' WHERE \"Risk id\" = 19 AND CalcID = 4"},
         "Risks_D row Risk id 19, CalcID 4: Adjust: "},
        {"function the calculation does not offer",
         {"UPDATE Compose_D SET Expression = 'Result := Exam(''HDL'')' WHERE \"Country id\" = 2 AND Name = 'Kvinder'"},
         "Compose_D row Compose id "},
        {"active factor without a formula",
         {"UPDATE Risks_P SET Expression = NULL WHERE \"Risk id\" = 1 AND CalcID = 3"},
         "Risks_P row Risk id 1, CalcID 3: Expression: an active risk factor without a formula"},
        {"model without baseline rows for a group",
         {"DELETE FROM Baseline_D WHERE CalcID = 3 AND \"Group\" = 1"},
         "Baseline_D: CalcID 3 has no baseline rows for group 1"},
        {"coefficient missing for a group",
         {"DELETE FROM Values_P WHERE \"Value id\" = (SELECT MAX(\"Value id\") FROM Values_P "
          "WHERE CalcID = 2 AND \"Risk id\" = 1 AND Type = 1)"},
         "Values_P row Risk id 1, Type 1, CalcID 2: 1 coefficient rows for 2 groups"},
        {"pick list that does not parse",
         {"UPDATE Names SET Name = '[Never;0],[Former;1] [Current;2]' WHERE \"Country id\" = 2 AND \"Risk id\" = 3 "
          "AND Type = 2"},
         "Names row Country id 2, Risk id 3: Pick list: Comma expected"},
        {"pick list range without its end",
         {"UPDATE Names SET Name = '(80;250' WHERE \"Country id\" = 1 AND \"Risk id\" = 1 AND Type = 2"},
         "Names row Country id 1, Risk id 1: Pick list: "},
    };
    return faults;
}

} // namespace

class TestCheckModel : public QObject {
    Q_OBJECT
    std::unique_ptr<TSeedDatabase> FSeed;
    std::unique_ptr<TMediatorDataModule> FMediator;
    QStringList FShown;

private slots:
    void initTestCase() {
        TApplication::OnException = [this](const QString& text) { FShown << text; };
        SetEdition(TEdition::Combined);
        FSeed = std::make_unique<TSeedDatabase>("CheckSeed");
        FMediator = std::make_unique<TMediatorDataModule>();
    }
    void init() {
        FShown.clear();
        FMediator->Database->Close();
        FSeed->Reset();
        FMediator->ConnectDatabases("CheckSeedAlias", true);
    }
    void cleanup() { QVERIFY2(FShown.isEmpty(), qPrintable(FShown.join('\n'))); }
    void cleanupTestCase() {
        FMediator.reset();
        FSeed.reset();
        TApplication::OnException = nullptr;
    }

    void shippedModelsAreClean() { QCOMPARE(Texts(CheckModels()), QStringList()); }

    // Each fault is named with its table and row, and only it.
    void faultIsNamed_data() {
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<QString>("line");
        for (const TFault& fault : Faults())
            QTest::newRow(fault.Name) << fault.Sql << fault.Line;
    }
    void faultIsNamed() {
        QFETCH(QStringList, sql);
        QFETCH(QString, line);
        for (const QString& statement : sql)
            FSeed->Db->ExecSql(statement);
        const QStringList texts = Texts(CheckModels());
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].startsWith(line), qPrintable(texts[0]));
        if (line.endsWith(": ")) // the compiler's or the parser's own message follows
            QVERIFY2(texts[0].size() > line.size(), qPrintable(texts[0]));
    }

    // Every fault at once: none hides another.
    void faultsAreAllListed() {
        for (const TFault& fault : Faults())
            for (const QString& statement : fault.Sql)
                FSeed->Db->ExecSql(statement);
        const QStringList texts = Texts(CheckModels());
        QCOMPARE(texts.size(), Faults().size());
        for (const TFault& fault : Faults())
            QVERIFY2(std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return t.startsWith(fault.Line); }),
                     qPrintable(fault.Line + "\nnot in\n" + texts.join('\n')));
    }

    // The built command: the shipped script, a faulty script and a database
    // file, the exit statuses, and the file it was given left as it was.
    void command() {
        TCliResult clean = RunCli({});
        QCOMPARE(clean.Errors, QString());
        QCOMPARE(clean.Output, QStringLiteral("no problems\n"));
        QCOMPARE(clean.Status, 0);

        QFile shipped(QStringLiteral(TAVLO_SOURCE_DIR "/data/TavloCalc.sql"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QString script = QString::fromUtf8(shipped.readAll());
        const QString smoking = "IF Measure(''Smoking'') = 2 THEN";
        QVERIFY(script.contains(smoking));
        script.replace(smoking, "IF Measure(''Smoking'') = 2 THEM");
        const QString never = "'[Never;0],[Former;1],[Current;2]'";
        QVERIFY(script.contains(never));
        script.replace(never, "'[Never;0],[Former;1],[Current;2'");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString faulty = dir.filePath("Faulty.sql");
        QFile out(faulty);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(script.toUtf8());
        out.close();
        TCliResult bad = RunCli({faulty});
        QCOMPARE(bad.Status, 1);
        const QStringList lines = bad.Output.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8 + 1 + 1); // 4 models in 2 variants, one pick list, the count
        QVERIFY2(lines.contains(QRegularExpression("^Risks_D row Risk id 3, CalcID 4: Expression: .+")),
                 qPrintable(bad.Output));
        QVERIFY2(lines.contains(QRegularExpression("^Names row Country id 1, Risk id 3: Pick list: .+")),
                 qPrintable(bad.Output));
        QCOMPARE(lines.last(), QStringLiteral("9 problem(s)"));

        // A database file: the faults of the file, the file untouched.
        FSeed->Db->ExecSql(Faults()[4].Sql[0]);
        FMediator->Database->Close();
        FSeed->Db->Close();
        const QString file = Session().AliasFileName("CheckSeedAlias");
        QFile before(file);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        before.close();
        TCliResult db = RunCli({file});
        QCOMPARE(db.Errors, QString());
        QCOMPARE(db.Output, Faults()[4].Line + "\n1 problem(s)\n");
        QCOMPARE(db.Status, 1);
        QVERIFY(before.open(QIODevice::ReadOnly));
        QVERIFY(before.readAll() == bytes);
        before.close();
        FSeed->Db->Open();

        TCliResult missing = RunCli({dir.filePath("none.db")});
        QCOMPARE(missing.Status, 1);
        QVERIFY(missing.Errors.contains("none.db"));
        for (const QStringList& usage : {QStringList{"--all"}, QStringList{"a.db", "b.db"}}) {
            TCliResult wrong = RunCli(usage);
            QCOMPARE(wrong.Status, 2);
            QVERIFY(wrong.Errors.contains("usage: tavlo-cli check-model"));
        }
    }
};

TAVLO_TEST(TestCheckModel);
#include "tst_CheckModel.moc"
