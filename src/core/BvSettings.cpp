#include "BvSettings.h"

#include <QDir>
#include <QIODevice>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <memory>

namespace {
// The file format of a root. Sections are full key paths; a value line is
// "name"=kind:data with the kinds dword (8 hex digits), hex (bytes as two
// hex digits each, comma-separated) and quoted text.

QString QuoteText(const QString& text) {
    QString result = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': result += QStringLiteral("\\\""); break;
        case '\\': result += QStringLiteral("\\\\"); break;
        case '\n': result += QStringLiteral("\\n"); break;
        case '\r': result += QStringLiteral("\\r"); break;
        case '\t': result += QStringLiteral("\\t"); break;
        default: result += c;
        }
    }
    return result + '"';
}

// Reads a quoted text from `line` at `at`, leaving `at` after it.
bool UnquoteText(const QString& line, qsizetype& at, QString& text) {
    if (at >= line.size() || line.at(at) != '"')
        return false;
    text.clear();
    for (++at; at < line.size(); ++at) {
        QChar c = line.at(at);
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\') {
            if (++at >= line.size())
                return false;
            c = line.at(at);
            c = c == 'n' ? QChar('\n') : c == 'r' ? QChar('\r') : c == 't' ? QChar('\t') : c;
        }
        text += c;
    }
    return false;
}

bool ParseData(const QString& data, QVariant& value) {
    if (data.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const uint number = data.mid(6).toUInt(&ok, 16);
        value = static_cast<int>(number);
        return ok && data.size() == 14;
    }
    if (data.startsWith(QLatin1String("hex:"))) {
        QByteArray bytes;
        const QString list = data.mid(4);
        for (const QString& part : list.split(',', Qt::SkipEmptyParts)) {
            bool ok = false;
            const uint byte = part.trimmed().toUInt(&ok, 16);
            if (!ok || byte > 255)
                return false;
            bytes.append(char(byte));
        }
        value = bytes;
        return true;
    }
    QString text;
    qsizetype at = 0;
    if (!UnquoteText(data, at, text) || at != data.size())
        return false;
    value = text;
    return true;
}

bool ReadRoot(QIODevice& device, QSettings::SettingsMap& map) {
    QTextStream in(&device);
    in.setEncoding(QStringConverter::Utf8);
    QString section;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2).replace('\\', '/');
            continue;
        }
        QString name;
        qsizetype at = 0;
        QVariant value;
        if (section.isEmpty() || !UnquoteText(line, at, name) || at >= line.size() || line.at(at) != '='
            || !ParseData(line.mid(at + 1).trimmed(), value)) {
            // Skip it: one damaged line must not hide the values of the others
            // (a failed read would leave the whole root empty).
            continue;
        }
        map.insert(section + '/' + name, value);
    }
    return true;
}

bool WriteRoot(QIODevice& device, const QSettings::SettingsMap& map) {
    // Values of a key together under its section, whatever the sort order
    // of sub-keys and names.
    QMap<QString, QStringList> sections;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const qsizetype slash = it.key().lastIndexOf('/');
        const QString section = it.key().left(slash).replace('/', '\\');
        const QString name = it.key().mid(slash + 1);
        QString data;
        const QVariant& value = it.value();
        if (value.typeId() == QMetaType::Int) {
            data = QStringLiteral("dword:%1").arg(static_cast<uint>(value.toInt()), 8, 16, QChar('0'));
        } else if (value.typeId() == QMetaType::QByteArray) {
            QStringList bytes;
            for (char b : value.toByteArray())
                bytes << QStringLiteral("%1").arg(uchar(b), 2, 16, QChar('0'));
            data = "hex:" + bytes.join(',');
        } else {
            data = QuoteText(value.toString());
        }
        sections[section] << QuoteText(name) + '=' + data;
    }
    QTextStream out(&device);
    out.setEncoding(QStringConverter::Utf8);
    for (auto it = sections.constBegin(); it != sections.constEnd(); ++it) {
        out << '[' << it.key() << "]\n";
        for (const QString& line : it.value())
            out << line << '\n';
        out << '\n';
    }
    return out.status() == QTextStream::Ok;
}

QSettings::Format RootFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadRoot, WriteRoot);
    return format;
}

std::unique_ptr<QSettings> OpenRoot(bool user) {
    return std::make_unique<QSettings>(TBvSettings::RootFileName(user), RootFormat());
}

// QSettings compares names with regard to case; the store does not. Each
// part of the path takes the spelling already stored, if any, so that one
// key never appears twice in different cases.
QString Stored(const QStringList& existing, const QString& name) {
    for (const QString& candidate : existing)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    return name;
}

// Enters the group of a key path (left entered for the caller).
void EnterKey(QSettings& settings, const QString& keyPath) {
    for (const QString& part : keyPath.split('\\', Qt::SkipEmptyParts))
        settings.beginGroup(Stored(settings.childGroups(), part));
}

QString ValueName(QSettings& settings, const QString& name) { return Stored(settings.childKeys(), name); }

bool Written(QSettings& settings) {
    settings.sync();
    return settings.status() == QSettings::NoError;
}
} // namespace

QString TBvSettings::RootFileName(bool user) {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
           + (user ? QStringLiteral("/User.ini") : QStringLiteral("/Machine.ini"));
}

QString TBvSettings::ProductPath() const {
    QString path = SectionName;
    for (const QString* part : {&ProducerName, &ProductName, &ProductVersion, &ProductSubName})
        if (!part->isEmpty())
            path += '\\' + *part;
    return path;
}

QString TBvSettings::KeyPath(const QString& subKey) const {
    QString key = subKey;
    while (key.startsWith('\\'))
        key.remove(0, 1);
    while (key.endsWith('\\'))
        key.chop(1);
    return key.isEmpty() ? ProductPath() : ProductPath() + '\\' + key;
}

bool TBvSettings::WriteValue(const QString& subKey, const QString& name, const QVariant& data, int kind,
                             int size, bool user) const {
    QVariant stored;
    switch (kind) {
    case skInteger: stored = data.toInt(); break;
    case skBool: stored = data.toBool() ? 1 : 0; break;
    case skString: stored = data.toString(); break;
    case skBytes: {
        QByteArray bytes = data.toByteArray().left(qMax(size, 0));
        bytes.append(qMax(size, 0) - bytes.size(), '\0');
        stored = bytes;
        break;
    }
    default: return false;
    }
    auto settings = OpenRoot(user);
    if (settings->status() != QSettings::NoError)
        return false;
    EnterKey(*settings, KeyPath(subKey));
    settings->setValue(ValueName(*settings, name), stored);
    return Written(*settings);
}

bool TBvSettings::ReadValue(const QString& subKey, const QString& name, QVariant& data, int kind, int size,
                            bool user) const {
    auto settings = OpenRoot(user);
    EnterKey(*settings, KeyPath(subKey));
    const QVariant value = settings->value(ValueName(*settings, name));
    if (!value.isValid())
        return false;
    switch (kind) {
    case skInteger:
    case skBool:
        if (value.typeId() != QMetaType::Int)
            return false;
        data = kind == skBool ? QVariant(value.toInt() != 0) : value;
        return true;
    case skString:
        if (value.typeId() != QMetaType::QString)
            return false;
        data = value;
        return true;
    case skBytes:
        if (value.typeId() != QMetaType::QByteArray || value.toByteArray().size() > size)
            return false;
        data = value;
        return true;
    default: return false;
    }
}

int TBvSettings::ReadInteger(const QString& subKey, const QString& name, int defaultValue, bool user) const {
    QVariant data;
    return ReadValue(subKey, name, data, skInteger, sizeof(qint32), user) ? data.toInt() : defaultValue;
}

bool TBvSettings::ReadBool(const QString& subKey, const QString& name, bool defaultValue, bool user) const {
    QVariant data;
    return ReadValue(subKey, name, data, skBool, sizeof(qint32), user) ? data.toBool() : defaultValue;
}

QString TBvSettings::ReadString(const QString& subKey, const QString& name, const QString& defaultValue,
                                bool user) const {
    QVariant data;
    return ReadValue(subKey, name, data, skString, 0, user) ? data.toString() : defaultValue;
}

QByteArray TBvSettings::ReadBytes(const QString& subKey, const QString& name, int size,
                                  const QByteArray& defaultValue, bool user) const {
    QVariant data;
    return ReadValue(subKey, name, data, skBytes, size, user) ? data.toByteArray() : defaultValue;
}

bool TBvSettings::WriteInteger(const QString& subKey, const QString& name, int value, bool user) const {
    return WriteValue(subKey, name, value, skInteger, sizeof(qint32), user);
}

bool TBvSettings::WriteBool(const QString& subKey, const QString& name, bool value, bool user) const {
    return WriteValue(subKey, name, value, skBool, sizeof(qint32), user);
}

bool TBvSettings::WriteString(const QString& subKey, const QString& name, const QString& value,
                              bool user) const {
    return WriteValue(subKey, name, value, skString, int(value.size()), user);
}

bool TBvSettings::WriteBytes(const QString& subKey, const QString& name, const QByteArray& value, int size,
                             bool user) const {
    return WriteValue(subKey, name, value, skBytes, size, user);
}

bool TBvSettings::KeyExists(const QString& subKey, const QString& name, bool user) const {
    auto settings = OpenRoot(user);
    EnterKey(*settings, KeyPath(subKey));
    return settings->childGroups().contains(name, Qt::CaseInsensitive);
}

bool TBvSettings::ValueExists(const QString& subKey, const QString& name, bool user) const {
    auto settings = OpenRoot(user);
    EnterKey(*settings, KeyPath(subKey));
    return settings->childKeys().contains(name, Qt::CaseInsensitive);
}

bool TBvSettings::DeleteKey(const QString& subKey, bool user) const {
    auto settings = OpenRoot(user);
    EnterKey(*settings, KeyPath(subKey));
    if (settings->childKeys().isEmpty() && settings->childGroups().isEmpty())
        return false;
    // Removing the group takes its values and every sub-key below it.
    settings->remove(QString());
    return Written(*settings);
}
