#pragma once
// What SQLite itself ran on one connection while counting: statements
// started, rows handed out, full-scan steps, and how often each statement
// text ran. Read through SQLite's trace hook on the handle of the Qt driver,
// so every statement counts, whoever prepared it.

#include <QByteArray>
#include <QHash>
#include <QSqlDatabase>
#include <QString>

struct TSqlCounts {
    qint64 Statements = 0;
    qint64 Rows = 0;
    qint64 FullScanSteps = 0;
    QHash<QByteArray, qint64> Texts; // statement text -> times started
};

class TSqlCounter {
public:
    explicit TSqlCounter(const QSqlDatabase& connection);
    ~TSqlCounter();
    TSqlCounter(const TSqlCounter&) = delete;
    TSqlCounter& operator=(const TSqlCounter&) = delete;

    // False when the driver's SQLite cannot be reached; Problem says why.
    bool Available() const { return FHandle != nullptr; }
    const QString& Problem() const { return FProblem; }

    // Start counts from zero; Resume counts on from where Stop left off.
    void Start() {
        Reset();
        Resume();
    }
    void Resume();
    void Stop();
    void Reset() { FCounts = TSqlCounts(); }
    const TSqlCounts& Counts() const { return FCounts; }

private:
    static int Trace(unsigned kind, void* context, void* p, void* x);
    void* FHandle = nullptr; // sqlite3*
    bool FRunning = false;
    QString FProblem;
    TSqlCounts FCounts;
};
