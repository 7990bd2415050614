// The sortable grid over the program's own patient table, a hundred thousand
// patients, against a bare QSqlQuery doing the least the same view needs, in
// the same run:
//   1. opening the archive sorted by name and showing its first page,
//      against reading the row identities in that order and the first page;
//   2. scrolling to the end page by page, painting each page, and making the
//      last row current, against reading every row in that order (what
//      filling widgets with the rows would cost at the least);
//   3. switching the sort to birth date, back to name, and to first name
//      (which has no index of its own), against reading the row identities
//      in the other order;
//   4. typing a name into the sorted grid's incremental search, key by key,
//      against the nearest-key query and the count that places its row.
// Each figure is printed with its targets: an absolute one (well under a
// second) and a ratio to the baseline. The exit code is 1 when any is missed.

#include "UserFolders.h"
#include "BvDBGrid.h"
#include "DatabaseSetup.h"
#include "DateTime.h"
#include "TableStore.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Patients = 100000;
// Raise it whenever the generated rows change, so a cached file is made anew.
constexpr int GeneratorVersion = 1;
constexpr int ScrollPages = 20;
constexpr int MinSamples = 3, MaxSamples = 9;
constexpr double SampleBudgetMs = 2000;

// Targets: absolute in milliseconds, ratios to the baseline. Opening and
// sorting read the first rows whole and then the identities (two queries to
// the baseline's one) and paint; scrolling reads only the pages shown, so it
// stays below one bare read of every row; a key of the search costs no more
// than three times the bare nearest key and the count that places it.
constexpr double OpenMsTarget = 400, OpenRatioTarget = 3;
constexpr double ScrollMsTarget = 300, ScrollRatioTarget = 1;
constexpr double SortMsTarget = 400, SortRatioTarget = 4;
constexpr double KeyMsTarget = 30, KeyRatioTarget = 3;

const QString SearchName = QStringLiteral("sørensen"); // typed in lower case, a letter beyond ASCII
const QString DbName = QStringLiteral("BenchGrid");

// ---------------------------------------------------------------- the database

class TRandom {
public:
    explicit TRandom(quint64 seed) : FState(seed) {}
    quint64 Next() {
        quint64 z = (FState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Skewed(int n) { // early entries more often, as names are spread
        const double u = double(Next() >> 11) / double(1ull << 53);
        return qMin(n - 1, int(n * u * u));
    }

private:
    quint64 FState;
};

const QStringList FirstNames = {"Peter", "Jens", "Lars", "Michael", "Henrik", "Søren", "Thomas", "Jan", "Niels",
                                "Anders", "Anne", "Kirsten", "Mette", "Hanne", "Anna", "Helle", "Susanne", "Lene",
                                "Maria", "Marianne", "Åse", "Øjvind", "Ærenlund"};
const QStringList LastNames = {"Nielsen", "Jensen", "Hansen", "Pedersen", "Andersen", "Christensen", "Larsen",
                               "Sørensen", "Rasmussen", "Jørgensen", "Petersen", "Madsen", "Kristensen", "Olsen",
                               "Thomsen", "Poulsen", "Johansen", "Møller", "Mortensen", "Knudsen", "Jakobsen",
                               "Mikkelsen", "Olesen", "Frederiksen", "Laursen", "Lund", "Schmidt", "Holm",
                               "Østergaard", "Kjær", "Vestergaard", "Nørgaard", "Dahl", "Skov", "Ågesen",
                               "de Neergaard", "von Holstein"};

[[noreturn]] void Fail(const QString& what, const QSqlError& error) {
    throw Exception(QStringLiteral("bench database: %1: %2").arg(what, error.text()));
}

void Fill(const QString& file) {
    const QString connection = QStringLiteral("bench-grid-fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        if (!db.open())
            Fail(file, db.lastError());
        db.transaction();
        QSqlQuery q(db);
        if (!q.prepare("INSERT INTO Patient (\"Patient id\", \"Identity\", \"Auto\", \"Birth date\", \"Sequence id\", "
                       "\"First name\", \"Last name\", \"Export\", \"Test\") VALUES (?, ?, 0, ?, ?, ?, ?, 0, 0)"))
            Fail("prepare", q.lastError());
        TRandom random(20261211);
        const TDateTime firstBirth = EncodeDate(1920, 1, 1);
        constexpr int BirthDays = 31000;
        for (int p = 1; p <= Patients; ++p) {
            const TDateTime birth = firstBirth + (qint64(p) * 7919) % BirthDays;
            const QString sequence = QString::asprintf("%04d", 1000 + (p / BirthDays) * 1234 % 9000);
            q.bindValue(0, p);
            q.bindValue(1, QString::asprintf("%06d", p) + sequence);
            q.bindValue(2, birth);
            q.bindValue(3, sequence);
            q.bindValue(4, FirstNames.at(random.Skewed(int(FirstNames.size()))));
            q.bindValue(5, LastNames.at(random.Skewed(int(LastNames.size()))));
            if (!q.exec())
                Fail("patient", q.lastError());
        }
        if (!db.commit())
            Fail("commit", db.lastError());
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

// Made by the program's own database creation from its patient script, then
// filled; kept under a name of the script's hash and the generator version,
// so a rerun reuses it and a changed script makes it anew.
QString PatientFile() {
    const QString folder = QDir::tempPath() + QStringLiteral("/tavlo-bench-grid");
    QDir().mkpath(folder);
    QFile script(SeedFileName(PatientSeedName));
    if (!script.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("bench database: %1 cannot be read").arg(script.fileName()));
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(script.readAll());
    hash.addData(QByteArray::number(GeneratorVersion) + ' ' + QByteArray::number(Patients));
    const QString name = QStringLiteral("patients-%1.db").arg(QString::fromLatin1(hash.result().toHex().left(12)));
    const QString file = folder + '/' + name;
    if (QFile::exists(file))
        return file;
    for (const QString& stale : QDir(folder).entryList({"patients-*"}, QDir::Files))
        QFile::remove(folder + '/' + stale);
    const QString building = folder + QStringLiteral("/building.db");
    for (const QString& f : DatabaseFiles(building))
        QFile::remove(f);
    std::printf("making %s (%d patients) ...\n", qPrintable(file), Patients);
    std::fflush(stdout);
    CreateDatabaseFile(building, SeedFileName(PatientSeedName));
    Fill(building);
    if (!QFile::rename(building, file))
        throw Exception(QStringLiteral("bench database: %1 cannot be renamed").arg(building));
    return file;
}

// ---------------------------------------------------------------- measuring

double Median(const std::function<void()>& setUp, const std::function<void()>& run) {
    QList<double> samples;
    QElapsedTimer total;
    total.start();
    while (samples.size() < MinSamples || (samples.size() < MaxSamples && total.elapsed() < SampleBudgetMs)) {
        if (setUp)
            setUp();
        QElapsedTimer t;
        t.start();
        run();
        samples << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

class TReport {
public:
    void Figure(const QString& name, double ms, double msTarget, double baseMs, double ratioTarget) {
        const double ratio = baseMs > 0 ? ms / baseMs : 0;
        const bool msOk = ms <= msTarget, ratioOk = ratio <= ratioTarget;
        std::printf("%-40s %9.2f ms  target <= %6.0f ms  %s\n", qPrintable(name), ms, msTarget, msOk ? "ok" : "MISSED");
        std::printf("%-40s %9.2f x   target <= %6.1f x   %s   (baseline %.2f ms)\n", "", ratio, ratioTarget,
                    ratioOk ? "ok" : "MISSED", baseMs);
        if (!msOk)
            FMissed << name + " (time)";
        if (!ratioOk)
            FMissed << name + " (ratio)";
        FFigures += 2;
    }
    void Check(bool ok, const QString& what) {
        if (!ok) {
            std::printf("WRONG RESULT: %s\n", qPrintable(what));
            FMissed << what;
        }
    }
    int Finish() {
        std::printf("\nsummary: %lld of %d targets met\n", qlonglong(FFigures - FMissed.size()), FFigures);
        for (const QString& m : FMissed)
            std::printf("  missed: %s\n", qPrintable(m));
        return FMissed.isEmpty() ? 0 : 1;
    }

private:
    QStringList FMissed;
    int FFigures = 0;
};

const char* NameOrder = "\"Last name\", \"First name\", rowid";
const char* BirthOrder = "\"Birth date\", \"Sequence id\", rowid";
const char* FirstNameOrder = "\"First name\", \"Last name\", rowid";

// The least a view of the sorted rows needs: their identities in order.
QVector<qint64> BareIds(const QSqlDatabase& c, const char* order) {
    QSqlQuery q(c);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT rowid FROM Patient ORDER BY %1").arg(QLatin1String(order))))
        Fail("bare ids", q.lastError());
    QVector<qint64> ids;
    ids.reserve(Patients);
    while (q.next())
        ids << q.value(0).toLongLong();
    return ids;
}

int BarePage(const QSqlDatabase& c, const QVector<qint64>& ids, int from, int count) {
    QStringList marks;
    for (int i = from; i < qMin(int(ids.size()), from + count); ++i)
        marks << QString::number(ids[i]);
    QSqlQuery q(c);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT rowid, \"Last name\", \"First name\", \"Birth date\" FROM Patient WHERE rowid IN (%1)")
                    .arg(marks.join(','))))
        Fail("bare page", q.lastError());
    int rows = 0;
    while (q.next())
        rows += q.value(1).toString().isEmpty() ? 0 : 1;
    return rows;
}

void Paint(TBvDBGrid& grid) { grid.viewport()->grab(); }

void TypeKey(QWidget* widget, QChar c) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
}

void Escape(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    QApplication::sendEvent(widget, &press);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    PointUserFoldersInto(home.path());
    QApplication app(argc, argv);
    TReport report;
    try {
        const QString file = PatientFile();
        std::printf("patient database %s (%d patients)\n\n", qPrintable(file), Patients);
        Session().AddAlias("BenchGridAlias", {"TYPE=SQLITE", "PATH=" + QFileInfo(file).absolutePath(),
                                              "DATABASE NAME=" + QFileInfo(file).fileName()});
        TDatabase db;
        db.SetDatabaseName(DbName);
        db.SetAliasName("BenchGridAlias");
        db.Open();
        QSqlDatabase bare = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-grid-bare"));
        bare.setDatabaseName(file);
        if (!bare.open())
            Fail(file, bare.lastError());

        TTable patient;
        patient.SetDatabaseName(DbName);
        patient.SetTableName("Patient");
        patient.SetIndexFieldNames("Last name;First name");
        TDataSource source;
        source.SetDataSet(&patient);
        TBvDBGrid grid;
        grid.AllowSort = true;
        grid.AllowSearch = true;
        grid.SetRowSelect(true);
        grid.AddColumn("Last name")->SetIndexFieldNames("Last name;First name");
        grid.AddColumn("First name")->SetIndexFieldNames("First name;Last name");
        grid.AddColumn("Birth date")->SetIndexName("DEFAULT_ORDER");
        grid.resize(700, 600);
        grid.show();
        const int pageRows = grid.viewport()->height() / grid.verticalHeader()->defaultSectionSize() + 1;

        // 1. Opening.
        const double openMs = Median(
            [&] {
                grid.SetDataSource(nullptr);
                patient.Close();
            },
            [&] {
                patient.Open();
                grid.SetDataSource(&source);
                Paint(grid);
            });
        report.Check(grid.model()->rowCount() == Patients, "the grid shows every patient");
        const double openBase = Median(nullptr, [&] {
            const QVector<qint64> ids = BareIds(bare, NameOrder);
            BarePage(bare, ids, 0, pageRows);
        });
        report.Figure("open sorted by name, first page", openMs, OpenMsTarget, openBase, OpenRatioTarget);

        // 2. Scrolling to the end.
        QScrollBar* bar = grid.verticalScrollBar();
        const double scrollMs = Median([&] { patient.First(); Paint(grid); },
                                       [&] {
                                           for (int page = 1; page <= ScrollPages; ++page) {
                                               bar->setValue(int(qint64(bar->maximum()) * page / ScrollPages));
                                               Paint(grid);
                                           }
                                           patient.Last();
                                           Paint(grid);
                                       });
        report.Check(grid.currentIndex().row() == Patients - 1, "the last row is current after scrolling");
        const double scrollBase = Median(nullptr, [&] {
            QSqlQuery q(bare);
            q.setForwardOnly(true);
            if (!q.exec(QStringLiteral("SELECT rowid, \"Last name\", \"First name\", \"Birth date\" FROM Patient ORDER BY %1")
                            .arg(QLatin1String(NameOrder))))
                Fail("bare scroll", q.lastError());
            int rows = 0;
            while (q.next())
                ++rows;
        });
        report.Figure(QStringLiteral("scroll to the end (%1 pages)").arg(ScrollPages), scrollMs, ScrollMsTarget,
                      scrollBase, ScrollRatioTarget);

        // 3. Sorting: to birth date and back to name, each shown.
        patient.First();
        const double toBirthMs = Median([&] { grid.SetSortColumn(0); Paint(grid); },
                                        [&] { grid.SetSortColumn(2); Paint(grid); });
        report.Check(grid.SortColumn() == 2 && patient.IndexName() == "DEFAULT_ORDER", "sorted by birth date");
        const double toNameMs = Median([&] { grid.SetSortColumn(2); Paint(grid); },
                                       [&] { grid.SetSortColumn(0); Paint(grid); });
        report.Check(grid.SortColumn() == 0, "sorted by name");
        const double birthBase = Median(nullptr, [&] { BareIds(bare, BirthOrder); });
        const double nameBase = Median(nullptr, [&] { BareIds(bare, NameOrder); });
        report.Figure("sort by birth date", toBirthMs, SortMsTarget, birthBase, SortRatioTarget);
        report.Figure("sort by name", toNameMs, SortMsTarget, nameBase, SortRatioTarget);
        // The patient table has no index of its own for the first name: the
        // engine sorts, and the baseline sorts the same way.
        const double toFirstMs = Median([&] { grid.SetSortColumn(0); Paint(grid); },
                                        [&] { grid.SetSortColumn(1); Paint(grid); });
        report.Check(grid.SortColumn() == 1, "sorted by first name");
        const double firstBase = Median(nullptr, [&] { BareIds(bare, FirstNameOrder); });
        report.Figure("sort by first name (no index)", toFirstMs, SortMsTarget, firstBase, SortRatioTarget);
        grid.SetSortColumn(0);

        // 4. The incremental search, key by key, on the name order.
        grid.setFocus();
        QString reached;
        const double typeMs = Median([&] { Escape(&grid); patient.First(); Paint(grid); },
                                     [&] {
                                         for (QChar c : SearchName) {
                                             TypeKey(&grid, c);
                                             Paint(grid);
                                         }
                                         reached = patient.FieldByName("Last name")->AsString();
                                     });
        report.Check(reached == "Sørensen" && grid.SearchText() == "Sørensen",
                     QStringLiteral("the search reached Sørensen (it reached %1, text %2)").arg(reached, grid.SearchText()));
        const double keyMs = typeMs / SearchName.size();
        const double keyBase = Median(nullptr, [&] {
            QSqlQuery nearest(bare), place(bare);
            nearest.prepare(QStringLiteral("SELECT rowid, \"Last name\", \"First name\" FROM Patient WHERE \"Last name\" >= ? "
                                           "ORDER BY %1 LIMIT 1").arg(QLatin1String(NameOrder)));
            place.prepare(QStringLiteral("SELECT count(*) FROM Patient WHERE \"Last name\" < ?"));
            for (int n = 1; n <= SearchName.size(); ++n) {
                const QString key = QStringLiteral("Sørensen").left(n);
                nearest.bindValue(0, key);
                nearest.exec();
                nearest.next();
                place.bindValue(0, nearest.value(1));
                place.exec();
                place.next();
            }
        }) / SearchName.size();
        report.Figure("incremental search, per key", keyMs, KeyMsTarget, keyBase, KeyRatioTarget);
        Escape(&grid);
        bare.close();
    } catch (const Exception& e) {
        std::printf("bench failed: %s\n", qPrintable(e.Message()));
        return 1;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-grid-bare"));
    return report.Finish();
}
