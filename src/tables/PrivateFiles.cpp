#include "PrivateFiles.h"

#include "BvDictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

static constexpr QFileDevice::Permissions OthersPermissions =
    QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
    QFileDevice::WriteOther | QFileDevice::ExeOther;

bool MakePrivateFolder(const QString& path) {
    if (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(parent))
            return false;
        // Asked for with the private rights, so the folder is never open to
        // others; the umask may take more, which the rights below restore.
        if (!QDir().mkdir(path, PrivateFolderPermissions) && !QFileInfo(path).isDir())
            return false;
    }
    return QFile::setPermissions(path, PrivateFolderPermissions);
}

bool CreatePrivateFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, PrivateFilePermissions))
        return false;
    file.close();
    if (file.setPermissions(PrivateFilePermissions))
        return true;
    file.remove();
    return false;
}

QStringList TightenPrivate(const QStringList& paths) {
    QStringList lines;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists() || info.isSymLink())
            continue;
        const QFileDevice::Permissions rights = info.permissions();
        if (!(rights & OthersPermissions))
            continue;
        const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
        lines << (QFile::setPermissions(path, rights & ~OthersPermissions)
                      ? shown
                      : QStringLiteral("%1 (%2)").arg(shown, TranslateText(QStringLiteral("cannot be changed"))));
    }
    return lines;
}

QString TightenedNotice(const QStringList& tightened) {
    if (tightened.isEmpty())
        return QString();
    return TranslateText(QStringLiteral("Patient data is private, but other users of this computer could read these "
                                        "files and folders; they are now open to you alone:\n%s"))
        .replace(QLatin1String("%s"), tightened.join('\n'));
}
