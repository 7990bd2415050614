#include "TestMain.h"

#include "Application.h"

#include <QStandardPaths>
#include <QTest>
#include <cstdio>
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
    // Never touch a real user's settings or data folder.
    QStandardPaths::setTestModeEnabled(true);
    TApplication app(argc, argv);
    QApplication::setOrganizationName("Brovik");
    QApplication::setApplicationName("TavloTest");

    QStringList args = app.arguments();
    QString only;
    int at = args.indexOf("-class");
    if (at >= 0 && at + 1 < args.size()) {
        only = args.at(at + 1);
        args.remove(at, 2);
    }
    int failed = 0;
    for (const Entry& entry : entries()) {
        if (!only.isEmpty() && only != QLatin1String(entry.name))
            continue;
        std::unique_ptr<QObject> test = entry.factory();
        failed += QTest::qExec(test.get(), args);
    }
    std::printf("%s: %d test class(es) failed\n", argv[0], failed);
    return failed == 0 ? 0 : 1;
}
