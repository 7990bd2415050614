#include "BenchDatabases.h"

#include "DatabaseSetup.h"
#include "DateTime.h"
#include "Exceptions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cstdio>
#include <functional>

namespace {

// Raise it whenever the generated rows change, so cached files are made anew.
constexpr int GeneratorVersion = 1;

QString Folder() { return QDir::tempPath() + QStringLiteral("/tavlo-bench-mltable"); }

// Deterministic, so every run and every machine gets the same rows.
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
    double Between(double low, double high) { return low + (high - low) * double(Next() >> 11) / double(1ull << 53); }
    // Early entries much more often than late ones, as names are spread.
    int Skewed(int n) {
        const double u = Between(0, 1);
        return qMin(n - 1, int(n * u * u));
    }

private:
    quint64 FState;
};

const QStringList FirstNames = {
    "Peter", "Jens", "Lars", "Michael", "Henrik", "Søren", "Thomas", "Jan", "Niels", "Anders",
    "Morten", "Jesper", "Mads", "Rasmus", "Per", "Martin", "Christian", "Hans", "Erik", "Poul",
    "Anne", "Kirsten", "Mette", "Hanne", "Anna", "Helle", "Susanne", "Lene", "Maria", "Marianne",
    "Lone", "Camilla", "Pia", "Louise", "Charlotte", "Inge", "Bente", "Karen", "Tina", "Julie"};
const QStringList LastNames = {
    "Nielsen", "Jensen", CommonLastName, "Pedersen", "Andersen", "Christensen", "Larsen", "Sørensen",
    "Rasmussen", "Jørgensen", "Petersen", "Madsen", "Kristensen", "Olsen", "Thomsen", "Christiansen",
    "Poulsen", "Johansen", "Møller", "Mortensen", "Knudsen", "Jakobsen", "Jacobsen", "Mikkelsen",
    "Olesen", "Frederiksen", "Laursen", "Henriksen", "Lund", "Schmidt", "Eriksen", "Holm",
    "Kristiansen", "Clausen", "Simonsen", "Svendsen", "Andreasen", "Iversen", "Jeppesen", "Mogensen",
    "Jespersen", "Nissen", "Lauridsen", "Frandsen", "Østergaard", "Jepsen", "Kjær", "Carlsen",
    "Vestergaard", "Jessen", "Nørgaard", "Dahl", "Christoffersen", "Skov", "Søndergaard", "Bertelsen"};
const QStringList Doctors = {"Anne Holm", "Jens Bach", "Mette Lund", "Peter Skov", "Karen Dahl", "Søren Bruun"};
const QStringList Memos = {"Kontrol om 3 måneder.", "Ryger stadig; henvist til rygestop.",
                           "Blodtryk målt to gange, siddende.", "Kostvejledning givet.",
                           "Patienten ønsker ikke medicin endnu."};

// Birth dates over this many days; together with the block number of the
// sequence id every (birth date, sequence id) pair is unique.
constexpr int BirthDays = 31000;

[[noreturn]] void Fail(const QString& what, const QSqlError& error) {
    throw Exception(QStringLiteral("bench database: %1: %2").arg(what, error.text()));
}

QSqlQuery Prepare(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.prepare(sql))
        Fail(sql, q.lastError());
    return q;
}

void Exec(QSqlQuery& q, const char* what) {
    if (!q.exec())
        Fail(QString::fromLatin1(what), q.lastError());
}

void FillPatients(QSqlDatabase& db, int patients) {
    QSqlQuery patient = Prepare(db, "INSERT INTO Patient (\"Patient id\", \"Identity\", \"Auto\", \"Birth date\", "
                                    "\"Sequence id\", \"First name\", \"Last name\", \"Export\", \"Test\") "
                                    "VALUES (?, ?, 0, ?, ?, ?, ?, 0, 0)");
    QSqlQuery journal = Prepare(db, "INSERT INTO Journal (\"Journal id\", \"Patient id\", \"Date\", \"Doctor\", "
                                    "\"Memo\", \"CalcID\") VALUES (?, ?, ?, ?, ?, 1)");
    QSqlQuery base = Prepare(db, "INSERT INTO Base (\"Patient id\", \"Risk id\", \"Examination\") VALUES (?, ?, ?)");
    QSqlQuery exam = Prepare(db, "INSERT INTO Exam (\"Journal id\", \"Risk id\", \"Examination\", \"Treatment\", "
                                 "\"Transferred\") VALUES (?, ?, ?, ?, ?)");
    QSqlQuery doctor = Prepare(db, "INSERT INTO Doctors (\"Name\") VALUES (?)");
    for (const QString& name : Doctors) {
        doctor.bindValue(0, name);
        Exec(doctor, "doctor");
    }
    TRandom random(20261211);
    const TDateTime firstBirth = EncodeDate(1920, 1, 1), firstVisit = EncodeDate(2005, 1, 1);
    int journalId = 1; // Journal id 1 is reserved for the template of a first examination
    QElapsedTimer shown;
    shown.start();
    for (int p = 1; p <= patients; ++p) {
        const TDateTime birth = firstBirth + (qint64(p) * 7919) % BirthDays;
        const QString sequence = QString::asprintf("%04d", 1000 + (p / BirthDays) * 1234 % 9000);
        int year, month, day;
        DecodeDate(birth, year, month, day);
        patient.bindValue(0, p);
        patient.bindValue(1, QString::asprintf("%02d%02d%02d", day, month, year % 100) + sequence);
        patient.bindValue(2, birth);
        patient.bindValue(3, sequence);
        patient.bindValue(4, FirstNames.at(random.Skewed(int(FirstNames.size()))));
        patient.bindValue(5, p > patients - RarePatients ? RareLastName
                                                         : LastNames.at(random.Skewed(int(LastNames.size()))));
        Exec(patient, "patient");
        for (int risk : BaseRisks) {
            base.bindValue(0, p);
            base.bindValue(1, risk);
            base.bindValue(2, risk == 7 ? double(random.Below(10) == 0) : risk == 19 ? double(random.Below(2))
                                                                                      : random.Between(150, 200));
            Exec(base, "base value");
        }
        TDateTime visit = firstVisit + random.Below(2000);
        const int examinations = 1 + random.Below(6);
        for (int j = 0; j < examinations; ++j) {
            journal.bindValue(0, ++journalId);
            journal.bindValue(1, p);
            journal.bindValue(2, visit);
            journal.bindValue(3, Doctors.at(random.Below(int(Doctors.size()))));
            journal.bindValue(4, random.Below(3) == 0 ? QVariant(Memos.at(random.Below(int(Memos.size())))) : QVariant());
            Exec(journal, "examination");
            visit += 60 + random.Below(340);
            for (int risk : ExamRisks) {
                const double value = risk == 1   ? random.Between(110, 190)
                                     : risk == 2 ? random.Between(3.5, 8.5)
                                     : risk == 3 ? random.Between(0.7, 2.3)
                                     : risk == 4 ? double(random.Below(2))
                                                 : random.Between(0, 120);
                exam.bindValue(0, journalId);
                exam.bindValue(1, risk);
                exam.bindValue(2, value);
                exam.bindValue(3, risk == 4 ? 0.0 : value * 0.9);
                exam.bindValue(4, j > 0 && random.Below(4) == 0);
                Exec(exam, "examination value");
            }
        }
        if (shown.elapsed() > 5000) {
            std::printf("  %d patients\n", p);
            std::fflush(stdout);
            shown.restart();
        }
    }
}

void FillModel(QSqlDatabase& db) {
    TRandom random(4711);
    for (const char* suffix : {"_P", "_D"}) {
        QSqlQuery value = Prepare(db, QStringLiteral("INSERT INTO \"Values%1\" (\"Risk id\", \"Type\", \"Value\", "
                                                     "\"CalcID\") VALUES (?, ?, ?, 1)").arg(suffix));
        for (int i = 0; i < 300; ++i) {
            value.bindValue(0, ExamRisks[i % std::size(ExamRisks)]);
            value.bindValue(1, i % 3);
            value.bindValue(2, random.Between(-1, 1));
            Exec(value, "model value");
        }
        QSqlQuery baseline = Prepare(db, QStringLiteral("INSERT INTO \"Baseline%1\" (\"Group\", \"Age\", \"Value\", "
                                                        "\"CalcID\") VALUES (?, ?, ?, 1)").arg(suffix));
        for (int group = 1; group <= 2; ++group)
            for (int age = 20; age < 100; ++age) {
                baseline.bindValue(0, group);
                baseline.bindValue(1, age);
                baseline.bindValue(2, 1.0 - age / 400.0);
                Exec(baseline, "baseline");
            }
    }
}

void RemoveFile(const QString& fileName) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(fileName + QLatin1String(suffix));
}

// The cached file for a script and a fill; made when missing.
QString Cached(const QString& prefix, const QString& scriptName, const QString& fillName,
               const std::function<void(QSqlDatabase&)>& fill) {
    const QString script = SeedFileName(scriptName);
    QFile in(script);
    if (!in.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("bench database: the script '%1' cannot be read").arg(script));
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(in.readAll());
    hash.addData(QStringLiteral("\ngenerator %1 %2").arg(GeneratorVersion).arg(fillName).toUtf8());
    const QString file = QStringLiteral("%1/%2-%3.db").arg(Folder(), prefix, QString::fromLatin1(hash.result().toHex().left(12)));
    if (QFile::exists(file))
        return file;

    QDir().mkpath(Folder());
    for (const QString& stale : QDir(Folder()).entryList({prefix + "-*"}, QDir::Files))
        QFile::remove(Folder() + '/' + stale);
    std::printf("generating %s from %s into %s\n", qPrintable(fillName), qPrintable(script), qPrintable(file));
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    // Made under another name and renamed when complete, so an interrupted
    // run leaves no file that looks finished.
    const QString building = file + QStringLiteral(".building");
    RemoveFile(building);
    CreateDatabaseFile(building, script);
    const QString connection = QStringLiteral("bench-generate");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(building);
        if (!db.open())
            Fail(building, db.lastError());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=OFF"));
        db.transaction();
        try {
            fill(db);
            if (!db.commit())
                Fail(QStringLiteral("commit"), db.lastError());
        } catch (const std::exception& e) {
            db.rollback();
            error = QString::fromUtf8(e.what());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (error.isEmpty() && !QFile::rename(building, file))
        error = QStringLiteral("bench database: '%1' cannot be renamed").arg(building);
    if (!error.isEmpty()) {
        RemoveFile(building);
        throw Exception(error);
    }
    std::printf("  generated in %.1f s\n", timer.elapsed() / 1000.0);
    return file;
}

} // namespace

QString PatientDatabase(int patients) {
    return Cached(QStringLiteral("patients-%1").arg(patients), PatientSeedName,
                  QStringLiteral("%1 patients").arg(patients), [patients](QSqlDatabase& db) { FillPatients(db, patients); });
}

QString ApplicationDatabase() {
    return Cached(QStringLiteral("application"), ApplicationSeedName, QStringLiteral("model rows"), FillModel);
}
