#include "SqlCounter.h"

#include <QSqlDriver>
#include <QVariant>
#include <dlfcn.h>
#include <sqlite3.h>

namespace {
// The driver loads SQLite itself; the bench takes the same library's
// functions from it rather than linking a second copy.
struct TSqliteApi {
    decltype(&sqlite3_trace_v2) TraceV2 = nullptr;
    decltype(&sqlite3_stmt_status) StmtStatus = nullptr;
    QString Problem;
};

const TSqliteApi& Api() {
    static const TSqliteApi api = [] {
        TSqliteApi a;
        void* library = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (!library) {
            a.Problem = QStringLiteral("the Qt SQLite driver's libsqlite3.so.0 is not loaded");
            return a;
        }
        a.TraceV2 = reinterpret_cast<decltype(&sqlite3_trace_v2)>(dlsym(library, "sqlite3_trace_v2"));
        a.StmtStatus = reinterpret_cast<decltype(&sqlite3_stmt_status)>(dlsym(library, "sqlite3_stmt_status"));
        if (!a.TraceV2 || !a.StmtStatus)
            a.Problem = QStringLiteral("libsqlite3 has no sqlite3_trace_v2");
        return a;
    }();
    return api;
}
} // namespace

TSqlCounter::TSqlCounter(const QSqlDatabase& connection) {
    if (!Api().Problem.isEmpty()) {
        FProblem = Api().Problem;
        return;
    }
    const QVariant handle = connection.driver() ? connection.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        FProblem = QStringLiteral("the connection has no SQLite handle");
        return;
    }
    FHandle = *static_cast<void* const*>(handle.constData());
    if (!FHandle)
        FProblem = QStringLiteral("the connection is not open");
}

TSqlCounter::~TSqlCounter() { Stop(); }

void TSqlCounter::Resume() {
    if (!FHandle || FRunning)
        return;
    Api().TraceV2(static_cast<sqlite3*>(FHandle), SQLITE_TRACE_STMT | SQLITE_TRACE_ROW | SQLITE_TRACE_PROFILE,
                  &TSqlCounter::Trace, this);
    FRunning = true;
}

void TSqlCounter::Stop() {
    if (!FRunning)
        return;
    Api().TraceV2(static_cast<sqlite3*>(FHandle), 0, nullptr, nullptr);
    FRunning = false;
}

int TSqlCounter::Trace(unsigned kind, void* context, void* p, void* x) {
    TSqlCounts& counts = static_cast<TSqlCounter*>(context)->FCounts;
    switch (kind) {
    case SQLITE_TRACE_STMT: {
        const char* text = static_cast<const char*>(x);
        if (text && text[0] == '-' && text[1] == '-')
            break; // a trigger's statement, part of the one that fired it
        ++counts.Statements;
        ++counts.Texts[QByteArray(text ? text : "")];
        break;
    }
    case SQLITE_TRACE_ROW: ++counts.Rows; break;
    case SQLITE_TRACE_PROFILE:
        // The statement's steps through whole tables since its last report.
        counts.FullScanSteps += Api().StmtStatus(static_cast<sqlite3_stmt*>(p), SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
        break;
    default: break;
    }
    return 0;
}
