#include "TestMain.h"

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

// Points HOME and every XDG folder the program reads into one fresh folder,
// so a test never touches a real user's settings or data, nor another test
// executable's when CTest runs them side by side.
void UseOwnFolders(const QTemporaryDir& home) {
    const QString root = home.path();
    const auto set = [&](const char* name, const QString& sub) {
        const QString path = root + sub;
        QDir().mkpath(path);
        qputenv(name, QFile::encodeName(path));
    };
    set("HOME", QString());
    set("XDG_CONFIG_HOME", "/.config");
    set("XDG_DATA_HOME", "/.local/share");
    set("XDG_CACHE_HOME", "/.cache");
    set("XDG_STATE_HOME", "/.local/state");
    set("XDG_CONFIG_DIRS", "/etc/xdg");
    set("XDG_DATA_DIRS", "/usr/share");
    set("XDG_RUNTIME_DIR", "/run");
    QFile::setPermissions(root + "/run", QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                             | QFileDevice::ExeOwner);
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
    UseOwnFolders(home);
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
