#include "UserFolders.h"

#include <QDir>
#include <QFile>

void PointUserFoldersInto(const QString& root) {
    const auto set = [&](const char* name, const QString& sub) {
        const QString path = root + sub;
        QDir().mkpath(path);
        qputenv(name, QFile::encodeName(path));
    };
    set("HOME", QString());
    set("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    set("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    set("XDG_CACHE_HOME", QStringLiteral("/.cache"));
    set("XDG_STATE_HOME", QStringLiteral("/.local/state"));
    set("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    set("XDG_DATA_DIRS", QStringLiteral("/usr/share"));
    set("XDG_RUNTIME_DIR", QStringLiteral("/run"));
    QFile::setPermissions(root + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
