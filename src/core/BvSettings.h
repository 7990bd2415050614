#pragma once
// The settings store: a hierarchical store of keys holding named values,
// with two roots, one per user and one for the machine. Each root is a file
// the program writes (User.ini and Machine.ini in the application's
// configuration folder, both the user's to write); beneath its Machine.ini
// the machine root reads the administrator's Machine.ini in the system
// configuration folder, for every user of the computer. Values keep their
// kind in the file, so a value written as one kind reads as missing in
// another:
//
//   [Software\Brovik\Tavlo\4.0\Settings]
//   "Debug"=dword:00000000
//   "Default language"="en/gb"
//   [Software\Brovik\Tavlo\4.0\Print]
//   "Include"=hex:be
//
// Keys and value names compare without regard to case. Hand-typed forms
// whose meaning is clear are read too (Edition=dword:1). A line that is no
// key, value or comment raises ESettingsError naming the file and line, on
// every read and write of that root, so nothing is read wrong and the line
// is never lost; a write changes its own line only. Every operation opens
// the files anew: nothing is cached between calls.

#include "Component.h"
#include "Exceptions.h"

#include <QVariant>

// Kind codes of the store's operations.
enum TSettingKind : int {
    skInteger = 3,   // 32-bit integer
    skBool = 11,     // logical, stored as the integers 0 and 1
    skString = 256,  // text
    skBytes = 8192,  // byte string of a given length
};

class ESettingsError : public Exception {
public:
    using Exception::Exception;
};

class TBvSettings : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString SectionName MEMBER SectionName)
    Q_PROPERTY(QString ProducerName MEMBER ProducerName)
    Q_PROPERTY(QString ProductName MEMBER ProductName)
    Q_PROPERTY(QString ProductVersion MEMBER ProductVersion)
    Q_PROPERTY(QString ProductSubName MEMBER ProductSubName)
    Q_PROPERTY(bool User MEMBER User)
public:
    explicit TBvSettings(QObject* AOwner = nullptr) : TComponent(AOwner) {}

    QString SectionName = QStringLiteral("Software");
    QString ProducerName;
    QString ProductName;
    QString ProductVersion;
    QString ProductSubName;
    // Kept for the design; every operation names its root itself.
    bool User = false;

    // "Software\Brovik\Tavlo\4.0": the section and each non-empty name.
    QString ProductPath() const;
    // The product path with the sub-key appended ("Forms\Work" nests further).
    QString KeyPath(const QString& subKey) const;

    // Opens the key, creating missing keys, and writes the value of the given
    // kind (for bytes, `size` bytes: cut or padded with zeros). False when the
    // key could not be opened or written, or the kind is unknown.
    bool WriteValue(const QString& subKey, const QString& name, const QVariant& data, int kind,
                    int size, bool user) const;
    // True only when the key and the value exist and the value is of the kind
    // asked (bytes: at most `size` of them); `data` receives it then.
    bool ReadValue(const QString& subKey, const QString& name, QVariant& data, int kind, int size,
                   bool user) const;

    int ReadInteger(const QString& subKey, const QString& name, int defaultValue, bool user) const;
    bool ReadBool(const QString& subKey, const QString& name, bool defaultValue, bool user) const;
    QString ReadString(const QString& subKey, const QString& name, const QString& defaultValue,
                       bool user) const;
    QByteArray ReadBytes(const QString& subKey, const QString& name, int size,
                         const QByteArray& defaultValue, bool user) const;
    bool WriteInteger(const QString& subKey, const QString& name, int value, bool user) const;
    bool WriteBool(const QString& subKey, const QString& name, bool value, bool user) const;
    bool WriteString(const QString& subKey, const QString& name, const QString& value, bool user) const;
    bool WriteBytes(const QString& subKey, const QString& name, const QByteArray& value, int size,
                    bool user) const;

    // The key `subKey` has a direct sub-key called `name`.
    bool KeyExists(const QString& subKey, const QString& name, bool user) const;
    // The key `subKey` holds a value called `name`, of whatever kind.
    bool ValueExists(const QString& subKey, const QString& name, bool user) const;
    // Deletes the key with all its values and sub-keys; false when it does
    // not exist or could not be deleted.
    bool DeleteKey(const QString& subKey, bool user) const;

    // The file of a root that the program writes.
    static QString RootFileName(bool user);
    // The administrator's machine file: Machine.ini in the application's
    // folder of the first of XDG_CONFIG_DIRS (/etc/xdg when it is unset).
    static QString SystemMachineFileName();
    // The file that holds the value, empty when none does.
    QString ValueFileName(const QString& subKey, const QString& name, bool user) const;
};
