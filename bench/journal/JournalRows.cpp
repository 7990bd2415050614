#include "JournalRows.h"

#include "DatabaseSetup.h"
#include "DateTime.h"
#include "Exceptions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace {

// Raise it whenever the generated rows change.
constexpr int GeneratorVersion = 1;

QString Folder() { return QStringLiteral("/tmp/tavlo-bench-journal"); }

// Deterministic, so every run gets the same rows.
class TRandom {
public:
    explicit TRandom(quint64 seed) : FState(seed) {}
    quint64 Next() {
        quint64 z = (FState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return int(Next() % quint64(n)); }

private:
    quint64 FState;
};

void Check(QSqlQuery& query, bool ok) {
    if (!ok)
        throw Exception(query.lastError().text());
}

void Fill(const QString& file) {
    const QString name = QStringLiteral("bench-journal-fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open())
            throw Exception(db.lastError().text());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=OFF"));
        db.transaction();
        QSqlQuery patient(db), journal(db), exam(db), base(db);
        patient.prepare(QStringLiteral("INSERT INTO Patient (\"Patient id\", \"Birth date\", \"Sequence id\", "
                                       "\"First name\", \"Last name\", Export, Test) VALUES (?, ?, ?, ?, ?, 0, 0)"));
        journal.prepare(QStringLiteral("INSERT INTO Journal (\"Journal id\", \"Patient id\", Date, Doctor, CalcID) "
                                       "VALUES (?, ?, ?, 'Anne Holm', 1)"));
        exam.prepare(QStringLiteral("INSERT INTO Exam (\"Journal id\", \"Risk id\", Examination, Treatment, "
                                    "Transferred) VALUES (?, ?, ?, ?, 0)"));
        base.prepare(QStringLiteral("INSERT INTO Base (\"Patient id\", \"Risk id\", Examination) VALUES (?, ?, ?)"));
        TRandom random(20261211);
        const TDateTime firstBirth = EncodeDate(1925, 1, 1);
        const TDateTime firstExam = EncodeDate(2005, 1, 1);
        int journalId = 2; // 1 is the template's
        for (int p = 1; p <= BenchPatients; ++p) {
            patient.bindValue(0, p);
            patient.bindValue(1, firstBirth + p / 4); // four patients a day, told apart by sequence
            patient.bindValue(2, QStringLiteral("%1").arg(p % 4 + 1, 4, 10, QLatin1Char('0')));
            patient.bindValue(3, QStringLiteral("First%1").arg(random.Below(500)));
            patient.bindValue(4, QStringLiteral("Last%1").arg(random.Below(5000)));
            Check(patient, patient.exec());
            for (int risk : BenchBaseRisks) {
                base.bindValue(0, p);
                base.bindValue(1, risk);
                base.bindValue(2, risk == 7 ? random.Below(2) : 150 + random.Below(50));
                Check(base, base.exec());
            }
            TDateTime date = firstExam + random.Below(1000);
            for (int e = 0; e < ExamsPerPatient; ++e, ++journalId) {
                date += 30 + random.Below(300);
                journal.bindValue(0, journalId);
                journal.bindValue(1, p);
                journal.bindValue(2, date);
                Check(journal, journal.exec());
                for (int risk : BenchExamRisks) {
                    exam.bindValue(0, journalId);
                    exam.bindValue(1, risk);
                    exam.bindValue(2, 100 + random.Below(80));
                    exam.bindValue(3, 120);
                    Check(exam, exam.exec());
                }
            }
        }
        if (!db.commit())
            throw Exception(db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

QString JournalBenchDatabase() {
    QFile script(SeedFileName(PatientSeedName));
    if (!script.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("the patient seed script is missing: ") + script.fileName());
    const QByteArray hash = QCryptographicHash::hash(script.readAll(), QCryptographicHash::Sha1).toHex().left(12);
    const QString file = QStringLiteral("%1/patients-%2-v%3.db").arg(Folder(), QString::fromLatin1(hash)).arg(GeneratorVersion);
    if (QFile::exists(file))
        return file;
    QDir().mkpath(Folder());
    std::printf("generating %d patients with %d examinations each into %s ...\n", BenchPatients, ExamsPerPatient,
                qPrintable(file));
    std::fflush(stdout);
    const QString building = file + QStringLiteral(".building");
    for (const QString& f : DatabaseFiles(building))
        QFile::remove(f);
    CreateDatabaseFile(building, SeedFileName(PatientSeedName));
    Fill(building);
    for (const QString& f : DatabaseFiles(building).mid(1))
        QFile::remove(f);
    if (!QFile::rename(building, file))
        throw Exception(QStringLiteral("cannot name the bench database ") + file);
    return file;
}
