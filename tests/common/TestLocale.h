#pragma once
// The C library locale of a desktop: Qt sets it from the environment at
// start, so a Danish or German desktop runs the program with a decimal
// comma in LC_NUMERIC. Number texts of the program must not follow it.

#include <QByteArray>
#include <QTest>
#include <clocale>

// Switches LC_ALL for the scope and back.
class TCLocaleScope {
public:
    explicit TCLocaleScope(const char* name) : FSaved(std::setlocale(LC_ALL, nullptr)) {
        FSwitched = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~TCLocaleScope() { std::setlocale(LC_ALL, FSaved.constData()); }
    TCLocaleScope(const TCLocaleScope&) = delete;
    TCLocaleScope& operator=(const TCLocaleScope&) = delete;

    bool Switched() const { return FSwitched; }

private:
    QByteArray FSaved;
    bool FSwitched = false;
};

// Runs a case's checks once in C and once in each decimal-comma locale. A
// missing locale fails the case: it is a broken test machine, never a
// reason to skip (./tavlo installs Debian's locales-all).
template <class TChecks>
void InEveryLocale(TChecks&& checks) {
    for (const char* locale : {"C", "da_DK.UTF-8", "de_DE.UTF-8"}) {
        TCLocaleScope scope(locale);
        if (!scope.Switched())
            QFAIL(qPrintable(QStringLiteral("the locale %1 is not installed").arg(QLatin1String(locale))));
        if (locale[0] != 'C' && std::localeconv()->decimal_point[0] != ',')
            QFAIL(qPrintable(QStringLiteral("the locale %1 has no decimal comma").arg(QLatin1String(locale))));
        checks();
        if (QTest::currentTestFailed()) {
            qWarning("the case failed in the locale %s", locale);
            return;
        }
    }
}
