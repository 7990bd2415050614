#include "BvSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace {
// A root file is read line by line and kept as its lines: a value the
// program writes replaces its own line only, every other line (comments,
// blank lines, values in the forms a person types) stays as it is. Sections
// are full key paths; a value line is "name"=kind:data with the kinds dword
// (hex digits), hex (bytes as hex digits, comma-separated) and quoted text.

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

bool IsHexDigits(const QString& text, qsizetype minimum, qsizetype maximum) {
    if (text.size() < minimum || text.size() > maximum)
        return false;
    for (QChar c : text)
        if (!isxdigit(c.toLatin1()) || c.unicode() > 127)
            return false;
    return true;
}

const char* const ValueForms =
    "a value is written \"Name\"=dword:00000001 (an integer in hexadecimal digits), \"Name\"=hex:be,fe "
    "(bytes) or \"Name\"=\"text\"";

// The value of the data after "=", or the reason why it is none.
bool ParseData(const QString& data, QVariant& value, QString& reason) {
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        // A person writes "dword:1" as readily as the eight digits.
        const QString digits = data.mid(6).trimmed();
        if (!IsHexDigits(digits, 1, 8)) {
            reason = QStringLiteral("an integer is written dword: and 1 to 8 hexadecimal digits");
            return false;
        }
        value = static_cast<int>(digits.toUInt(nullptr, 16));
        return true;
    }
    if (data.startsWith(QLatin1String("hex:"), Qt::CaseInsensitive)) {
        QByteArray bytes;
        for (const QString& part : data.mid(4).split(',', Qt::SkipEmptyParts)) {
            const QString digits = part.trimmed();
            if (!IsHexDigits(digits, 1, 2)) {
                reason = QStringLiteral("bytes are written hex: and two hexadecimal digits each, "
                                        "separated by commas");
                return false;
            }
            bytes.append(char(digits.toUInt(nullptr, 16)));
        }
        value = bytes;
        return true;
    }
    QString text;
    qsizetype at = 0;
    if (!UnquoteText(data, at, text) || at != data.size()) {
        reason = QLatin1String(ValueForms);
        return false;
    }
    value = text;
    return true;
}

QString DataText(const QVariant& value) {
    if (value.typeId() == QMetaType::Int)
        return QStringLiteral("dword:%1").arg(static_cast<uint>(value.toInt()), 8, 16, QChar('0'));
    if (value.typeId() == QMetaType::QByteArray) {
        QStringList bytes;
        for (char b : value.toByteArray())
            bytes << QStringLiteral("%1").arg(uchar(b), 2, 16, QChar('0'));
        return "hex:" + bytes.join(',');
    }
    return QuoteText(value.toString());
}

// Key paths compare without regard to case and to blanks around the parts.
QStringList KeyParts(const QString& path) {
    QStringList parts;
    for (const QString& part : path.split('\\', Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    return parts;
}

// `inner` is `outer` or lies beneath it.
bool StartsWithKey(const QStringList& inner, const QStringList& outer) {
    if (inner.size() < outer.size())
        return false;
    for (qsizetype i = 0; i < outer.size(); ++i)
        if (inner[i].compare(outer[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

bool SameKey(const QStringList& a, const QStringList& b) { return a.size() == b.size() && StartsWithKey(a, b); }

struct TRootLine {
    QString Text;          // as in the file
    bool IsSection = false;
    bool IsValue = false;
    QStringList Key;       // the section's path, or the path of the value's section
    QString Name;          // of a value
    QVariant Data;         // of a value
};

class TRootFile {
public:
    explicit TRootFile(QString fileName) : FFileName(std::move(fileName)) {}

    // Reads the file; a missing or unopenable file holds nothing. A line
    // that is no key, value or comment refuses the whole file.
    void Load();
    // Writes the lines beside the file and moves them into place.
    bool Save();

    const QString& FileName() const { return FFileName; }
    const TRootLine* Value(const QStringList& key, const QString& name) const;
    bool HasKey(const QStringList& key) const;
    // `key` has a direct sub-key `name`.
    bool HasSubKey(const QStringList& key, const QString& name) const;
    bool HasValue(const QStringList& key, const QString& name) const { return Value(key, name); }
    // True when the line changed.
    bool SetValue(const QStringList& key, const QString& name, const QVariant& data);
    // Removes the sections of the key and beneath with their values; the
    // comments and blank lines among them stay.
    bool DeleteKey(const QStringList& key);

private:
    [[noreturn]] void Refuse(int line, const QString& reason) const;
    // The path in the spelling the file already uses for its leading parts.
    QStringList StoredSpelling(const QStringList& key) const;

    QString FFileName;
    std::vector<TRootLine> FLines;
    QByteArray FLineEnd = "\n";
    bool FByteOrderMark = false;
};

void TRootFile::Refuse(int line, const QString& reason) const {
    throw ESettingsError(QStringLiteral("The settings file %1 cannot be read: line %2: %3. Correct or remove "
                                        "the line; the program does not change the file until then.")
                             .arg(QDir::toNativeSeparators(FFileName))
                             .arg(line)
                             .arg(reason));
}

void TRootFile::Load() {
    FLines.clear();
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        FByteOrderMark = true;
        bytes.remove(0, 3);
    }
    QList<QByteArray> rawLines = bytes.split('\n');
    if (!rawLines.isEmpty() && rawLines.last().isEmpty())
        rawLines.removeLast();
    if (!rawLines.isEmpty() && rawLines.first().endsWith('\r'))
        FLineEnd = "\r\n";
    QStringList section;
    bool inSection = false;
    for (qsizetype i = 0; i < rawLines.size(); ++i) {
        const int number = int(i + 1);
        QByteArray raw = rawLines[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder decoder(QStringConverter::Utf8);
        TRootLine line;
        line.Text = decoder(raw);
        if (decoder.hasError())
            Refuse(number, QStringLiteral("the line is not UTF-8 text"));
        const QString text = line.Text.trimmed();
        if (text.isEmpty() || text.startsWith(';') || text.startsWith('#')) {
            line.Key = section;
        } else if (text.startsWith('[')) {
            if (!text.endsWith(']'))
                Refuse(number, QStringLiteral("a key line ends with \"]\""));
            section = KeyParts(text.mid(1, text.size() - 2));
            if (section.isEmpty())
                Refuse(number, QStringLiteral("the key line names no key"));
            inSection = true;
            line.IsSection = true;
            line.Key = section;
        } else {
            // "Name"=... or, as typed by hand, Name=...
            qsizetype at = 0;
            QString name;
            if (text.startsWith('"')) {
                if (!UnquoteText(text, at, name))
                    Refuse(number, QStringLiteral("the name has no closing double quote"));
                while (at < text.size() && text.at(at).isSpace())
                    ++at;
                if (at >= text.size() || text.at(at) != '=')
                    Refuse(number, QLatin1String(ValueForms));
            } else {
                at = text.indexOf('=');
                name = text.left(qMax(at, qsizetype(0))).trimmed();
                if (at <= 0 || name.isEmpty() || name.contains('"'))
                    Refuse(number, QLatin1String(ValueForms));
            }
            QString reason;
            if (!ParseData(text.mid(at + 1).trimmed(), line.Data, reason))
                Refuse(number, reason);
            if (!inSection)
                Refuse(number, QStringLiteral("a value stands before the first key line such as "
                                              "[Software\\Brovik\\Tavlo\\4.0]"));
            for (qsizetype j = 0; j < i; ++j)
                if (FLines[j].IsValue && SameKey(FLines[j].Key, section)
                    && FLines[j].Name.compare(name, Qt::CaseInsensitive) == 0)
                    Refuse(number, QStringLiteral("the value \"%1\" of this key is given in line %2 already")
                                       .arg(name)
                                       .arg(j + 1));
            line.IsValue = true;
            line.Key = section;
            line.Name = name;
        }
        FLines.push_back(std::move(line));
    }
}

bool TRootFile::Save() {
    QDir().mkpath(QFileInfo(FFileName).absolutePath());
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = FByteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const TRootLine& line : FLines)
        bytes += line.Text.toUtf8() + FLineEnd;
    return file.write(bytes) == bytes.size() && file.commit();
}

const TRootLine* TRootFile::Value(const QStringList& key, const QString& name) const {
    for (const TRootLine& line : FLines)
        if (line.IsValue && SameKey(line.Key, key) && line.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &line;
    return nullptr;
}

bool TRootFile::HasKey(const QStringList& key) const {
    for (const TRootLine& line : FLines)
        if (line.IsSection && StartsWithKey(line.Key, key))
            return true;
    return false;
}

bool TRootFile::HasSubKey(const QStringList& key, const QString& name) const {
    return HasKey(QStringList(key) << name);
}

QStringList TRootFile::StoredSpelling(const QStringList& key) const {
    QStringList result = key;
    qsizetype best = 0;
    for (const TRootLine& line : FLines) {
        if (!line.IsSection)
            continue;
        qsizetype common = 0;
        while (common < key.size() && common < line.Key.size()
               && key[common].compare(line.Key[common], Qt::CaseInsensitive) == 0)
            ++common;
        if (common > best) {
            best = common;
            for (qsizetype i = 0; i < common; ++i)
                result[i] = line.Key[i];
        }
    }
    return result;
}

bool TRootFile::SetValue(const QStringList& key, const QString& name, const QVariant& data) {
    for (TRootLine& line : FLines) {
        if (!line.IsValue || !SameKey(line.Key, key) || line.Name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (line.Data.typeId() == data.typeId() && line.Data == data)
            return false; // the person's own form of the same value stays
        line.Data = data;
        line.Text = QuoteText(line.Name) + '=' + DataText(data);
        return true;
    }
    TRootLine value;
    value.IsValue = true;
    value.Key = StoredSpelling(key);
    value.Name = name;
    value.Data = data;
    value.Text = QuoteText(name) + '=' + DataText(data);
    // After the last value of the key's last section, else in a new section.
    std::optional<size_t> after;
    for (size_t i = 0; i < FLines.size(); ++i)
        if ((FLines[i].IsSection || FLines[i].IsValue) && SameKey(FLines[i].Key, key))
            after = i;
    if (after) {
        FLines.insert(FLines.begin() + qsizetype(*after) + 1, std::move(value));
        return true;
    }
    if (!FLines.empty() && !FLines.back().Text.trimmed().isEmpty())
        FLines.push_back(TRootLine());
    TRootLine section;
    section.IsSection = true;
    section.Key = value.Key;
    section.Text = '[' + value.Key.join('\\') + ']';
    FLines.push_back(std::move(section));
    FLines.push_back(std::move(value));
    return true;
}

bool TRootFile::DeleteKey(const QStringList& key) {
    const auto before = FLines.size();
    FLines.erase(std::remove_if(FLines.begin(), FLines.end(),
                                [&](const TRootLine& line) {
                                    return (line.IsSection || line.IsValue) && StartsWithKey(line.Key, key);
                                }),
                 FLines.end());
    return FLines.size() != before;
}

// The files of a root, the one the program writes first. The machine root
// reads beneath it the administrator's file for every user of the computer.
std::vector<TRootFile> OpenRoot(bool user) {
    std::vector<TRootFile> files;
    files.emplace_back(TBvSettings::RootFileName(user));
    if (!user) {
        const QString system = TBvSettings::SystemMachineFileName();
        if (QFileInfo(system).absoluteFilePath() != QFileInfo(files.front().FileName()).absoluteFilePath())
            files.emplace_back(system);
    }
    for (TRootFile& file : files)
        file.Load();
    return files;
}
} // namespace

QString TBvSettings::RootFileName(bool user) {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
           + (user ? QStringLiteral("/User.ini") : QStringLiteral("/Machine.ini"));
}

QString TBvSettings::SystemMachineFileName() {
    QString folder = QStringLiteral("/etc/xdg");
    for (const QString& dir : qEnvironmentVariable("XDG_CONFIG_DIRS").split(':', Qt::SkipEmptyParts)) {
        folder = dir;
        break;
    }
    QString path = folder;
    for (const QString& name : {QCoreApplication::organizationName(), QCoreApplication::applicationName()})
        if (!name.isEmpty())
            path += '/' + name;
    return path + QStringLiteral("/Machine.ini");
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

QString TBvSettings::ValueFileName(const QString& subKey, const QString& name, bool user) const {
    const QStringList key = KeyParts(KeyPath(subKey));
    for (const TRootFile& file : OpenRoot(user))
        if (file.HasValue(key, name))
            return file.FileName();
    return {};
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
    TRootFile file(RootFileName(user));
    file.Load();
    // The same value already there: the file stays as it is.
    return !file.SetValue(KeyParts(KeyPath(subKey)), name, stored) || file.Save();
}

bool TBvSettings::ReadValue(const QString& subKey, const QString& name, QVariant& data, int kind, int size,
                            bool user) const {
    const QStringList key = KeyParts(KeyPath(subKey));
    const std::vector<TRootFile> files = OpenRoot(user);
    const TRootLine* line = nullptr;
    for (const TRootFile& file : files)
        if ((line = file.Value(key, name)))
            break;
    if (!line)
        return false;
    const QVariant& value = line->Data;
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
    const QStringList key = KeyParts(KeyPath(subKey));
    for (const TRootFile& file : OpenRoot(user))
        if (file.HasSubKey(key, name))
            return true;
    return false;
}

bool TBvSettings::ValueExists(const QString& subKey, const QString& name, bool user) const {
    const QStringList key = KeyParts(KeyPath(subKey));
    for (const TRootFile& file : OpenRoot(user))
        if (file.HasValue(key, name))
            return true;
    return false;
}

bool TBvSettings::DeleteKey(const QString& subKey, bool user) const {
    // Only the file the program writes: an administrator's values stay.
    TRootFile file(RootFileName(user));
    file.Load();
    return file.DeleteKey(KeyParts(KeyPath(subKey))) && file.Save();
}
