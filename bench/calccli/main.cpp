// Batch scoring with `tavlo-cli calc`: 100 000 generated patients through the
// built command (the journal and the calculation of the work window), in
// rows per second against a target of 10 000. The command's start-up (the
// private databases made from the installation's scripts) is measured in
// the same run on a one-row file and taken off. The published SCORE2
// equations evaluated on the same rows are the reference: every row must
// agree within 0.01 percentage points; their speed is shown beside as a
// ratio, for information. Exit 1 on a missed target or any disagreement.

#include "../../tests/model/Score2Reference.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Rows = 100000;
constexpr double RowsPerSecondTarget = 10000;
constexpr double Tolerance = 0.01; // percentage points
using Clock = std::chrono::steady_clock;

struct TRow {
    Score2Reference::Patient Patient;
    double SbpGoal = 0;
    double TcGoal = 0;
};

// Deterministic patients across the model's ages and the factors' usual ranges.
QVector<TRow> MakeRows(int count) {
    quint32 state = 20211;
    auto next = [&](int range) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % quint32(range));
    };
    QVector<TRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        TRow row;
        Score2Reference::Patient& p = row.Patient;
        p.sex = next(2) ? Score2Reference::Sex::Female : Score2Reference::Sex::Male;
        p.age = 40 + next(30);
        p.sbp = 100 + next(101);
        p.tc = (30 + next(61)) / 10.0;
        p.hdl = (6 + next(20)) / 10.0;
        p.smoker = next(3) == 0;
        row.SbpGoal = std::min(p.sbp, 110.0 + next(31));
        row.TcGoal = std::min(p.tc, (30 + next(31)) / 10.0);
        rows << row;
    }
    return rows;
}

QByteArray Csv(const QVector<TRow>& rows, int count) {
    QByteArray text = "Sex,Age,Blood pressure,Cholesterol,HDL,Smoking,Blood pressure goal,Cholesterol goal\n";
    text.reserve(count * 40);
    char line[128];
    for (int i = 0; i < count; ++i) {
        const TRow& r = rows.at(i);
        const Score2Reference::Patient& p = r.Patient;
        // Integers and tenths only: the text is exact whatever the locale.
        std::snprintf(line, sizeof line, "%c,%d,%d,%d.%d,%d.%d,%d,%d,%d.%d\n",
                      p.sex == Score2Reference::Sex::Male ? 'M' : 'F', int(p.age), int(p.sbp),
                      int(std::lround(p.tc * 10)) / 10, int(std::lround(p.tc * 10)) % 10,
                      int(std::lround(p.hdl * 10)) / 10, int(std::lround(p.hdl * 10)) % 10, p.smoker ? 2 : 0,
                      int(r.SbpGoal), int(std::lround(r.TcGoal * 10)) / 10, int(std::lround(r.TcGoal * 10)) % 10);
        text += line;
    }
    return text;
}

struct TRun {
    bool Ok = false;
    double Seconds = 0;
    QByteArray Output;
    QString Errors;
};

TRun RunCommand(const QString& exe, const QString& file) {
    TRun run;
    QProcess process;
    const auto start = Clock::now();
    process.start(exe, {"calc", file});
    if (!process.waitForStarted()) {
        run.Errors = process.errorString();
        return run;
    }
    process.closeWriteChannel();
    process.waitForFinished(-1);
    run.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.Output = process.readAllStandardOutput();
    run.Errors = QString::fromUtf8(process.readAllStandardError());
    run.Ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return run;
}

// The result columns of an output line (no field of these rows is quoted).
bool Results(const QByteArray& line, double& examination, double& treatment, QByteArray& calculated) {
    const QList<QByteArray> fields = line.split(',');
    if (fields.size() != 13)
        return false;
    bool ok1 = false, ok2 = false;
    examination = fields.at(8).toDouble(&ok1); // written with "." always
    treatment = fields.at(9).toDouble(&ok2);
    calculated = fields.at(11);
    return ok1 && ok2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString exe = QDir(QCoreApplication::applicationDirPath()).filePath("tavlo-cli");
    if (!QFileInfo::exists(exe)) {
        std::printf("calccli: %s is not built\n", qPrintable(exe));
        return 1;
    }
    QTemporaryDir dir;
    const QVector<TRow> rows = MakeRows(Rows);
    const QString oneFile = dir.filePath("one.csv"), allFile = dir.filePath("all.csv");
    for (const auto& [path, count] : {std::pair{oneFile, 1}, std::pair{allFile, Rows}}) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(Csv(rows, count)) < 0) {
            std::printf("calccli: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }

    // The start-up alone, best of three: the machine is shared.
    double startup = 1e9;
    for (int i = 0; i < 3; ++i) {
        const TRun one = RunCommand(exe, oneFile);
        if (!one.Ok) {
            std::printf("calccli: the one-row run failed: %s\n", qPrintable(one.Errors));
            return 1;
        }
        startup = std::min(startup, one.Seconds);
    }
    const TRun all = RunCommand(exe, allFile);
    if (!all.Ok) {
        std::printf("calccli: the run failed: %s\n", qPrintable(all.Errors.left(2000)));
        return 1;
    }

    // The reference on the same rows, in process.
    QVector<double> reference(Rows * 2);
    const auto start = Clock::now();
    for (int i = 0; i < Rows; ++i) {
        const TRow& r = rows.at(i);
        Score2Reference::Patient goals = r.Patient;
        goals.sbp = r.SbpGoal;
        goals.tc = r.TcGoal;
        reference[2 * i] = 100 * Score2Reference::TenYearRisk(r.Patient, Score2Reference::Region::Low);
        reference[2 * i + 1] = 100 * Score2Reference::TenYearRisk(goals, Score2Reference::Region::Low);
    }
    const double referenceSeconds = std::max(1e-9, std::chrono::duration<double>(Clock::now() - start).count());

    const QList<QByteArray> lines = all.Output.split('\n');
    int differing = 0;
    double worst = 0;
    for (int i = 0; i < Rows; ++i) {
        double examination = 0, treatment = 0;
        QByteArray calculated;
        const QByteArray line = lines.value(i + 1);
        if (!Results(line, examination, treatment, calculated) || calculated != "1") {
            if (differing++ < 5)
                std::printf("calccli: row %d not calculated: %s\n", i + 1, line.constData());
            continue;
        }
        const double off = std::max(std::fabs(examination - reference[2 * i]), std::fabs(treatment - reference[2 * i + 1]));
        worst = std::max(worst, off);
        if (off > Tolerance && differing++ < 5)
            std::printf("calccli: row %d differs by %.4f points: %s\n", i + 1, off, line.constData());
    }

    const double scoring = std::max(1e-9, all.Seconds - startup);
    const double rowsPerSecond = Rows / scoring;
    const bool fast = rowsPerSecond >= RowsPerSecondTarget;
    std::printf("calccli: %d rows in %.2f s, start-up %.2f s\n", Rows, all.Seconds, startup);
    std::printf("calccli: %.0f rows/s (target >= %.0f) %s\n", rowsPerSecond, RowsPerSecondTarget, fast ? "ok" : "MISSED");
    std::printf("calccli: %.0f rows/s with the start-up\n", Rows / all.Seconds);
    std::printf("calccli: the equations alone %.0f rows/s; the command takes %.0fx their time (information)\n",
                Rows / referenceSeconds, scoring / referenceSeconds);
    std::printf("calccli: largest difference from the equations %.5f points (target <= %.2f), %d rows off %s\n", worst,
                Tolerance, differing, differing ? "MISSED" : "ok");
    return fast && differing == 0 ? 0 : 1;
}
