#include "TestMain.h"
#include "UserFolders.h"

#include "Application.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

namespace {
struct Entry {
    const char* name;
    TestRegistry::Factory factory;
};
std::vector<Entry>& entries() {
    static std::vector<Entry> list;
    return list;
}

// An exception that escapes a test past Qt Test's own catch (thrown from an
// event handler, say) ends the run at once with its message: the abort of
// the default handler can send Qt Test's crash handler round in a loop
// until the suite's timeout.
[[noreturn]] void EndOnUnhandledException() {
    const char* what = "not a std::exception";
    try {
        if (const std::exception_ptr current = std::current_exception())
            std::rethrow_exception(current);
        what = "none (std::terminate was called)";
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    std::fprintf(stderr, "FAIL!  : unhandled exception: %s\n", what);
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(3);
}
} // namespace

bool TestRegistry::add(const char* name, Factory factory) {
    entries().push_back({name, std::move(factory)});
    return true;
}

// Runs every registered class. "-class NAME" picks one class; the remaining
// arguments go to Qt Test as usual (test function names, -v2, ...).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home(QDir::tempPath() + "/tavlo-test-XXXXXX");
    if (!home.isValid()) {
        std::fprintf(stderr, "%s: cannot create a temporary home folder: %s\n", argv[0],
                     qPrintable(home.errorString()));
        return 1;
    }
    PointUserFoldersInto(home.path());
    std::set_terminate(EndOnUnhandledException);
    int failed = 0;
    {
        // Qt's test mode keeps the folders apart from the program's own names
        // as well; both lie inside the temporary home.
        QStandardPaths::setTestModeEnabled(true);
        TApplication app(argc, argv);
        QApplication::setOrganizationName("Brovik");
        QApplication::setApplicationName("TavloTest");

        QStringList args = app.arguments();
        QString only;
        const int at = args.indexOf("-class");
        if (at >= 0 && at + 1 < args.size()) {
            only = args.at(at + 1);
            args.remove(at, 2);
        }
        bool ran = false;
        for (const Entry& entry : entries()) {
            if (!only.isEmpty() && only != QLatin1String(entry.name))
                continue;
            ran = true;
            std::unique_ptr<QObject> test = entry.factory();
            failed += QTest::qExec(test.get(), args);
        }
        if (!ran) {
            std::fprintf(stderr, "%s: no test class is named %s\n", argv[0], qPrintable(only));
            return 1;
        }
    }
    std::printf("%s: %d test class(es) failed\n", argv[0], failed);
    return failed == 0 ? 0 : 1;
}
