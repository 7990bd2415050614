#include "BvSettings.h"
#include "SettingsFixture.h"
#include "TestErrors.h"
#include "TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

class TestBvSettings : public QObject {
    Q_OBJECT
    TBvSettings FSettings;
private slots:
    void initTestCase() {
        ConfigureTavlo(FSettings);
        QDir().mkpath(QFileInfo(TBvSettings::RootFileName(true)).path());
    }
    void init() { ClearSettingsRoots(); }

    void rootsAreRedirectedInTests() {
        QVERIFY(QStandardPaths::isTestModeEnabled());
        QVERIFY(TBvSettings::RootFileName(true).contains("qttest"));
        QVERIFY(TBvSettings::RootFileName(true) != TBvSettings::RootFileName(false));
    }

    void productPath_data() {
        QTest::addColumn<QString>("subName");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("subKey");
        QTest::addColumn<QString>("path");
        QTest::newRow("product") << "" << "4.0" << "" << "Software\\Brovik\\Tavlo\\4.0";
        QTest::newRow("sub-key") << "" << "4.0" << "Forms\\Work" << "Software\\Brovik\\Tavlo\\4.0\\Forms\\Work";
        QTest::newRow("sub-name") << "Demo" << "4.0" << "Print" << "Software\\Brovik\\Tavlo\\4.0\\Demo\\Print";
        QTest::newRow("empty version skipped") << "" << "" << "Settings" << "Software\\Brovik\\Tavlo\\Settings";
    }
    void productPath() {
        QFETCH(QString, subName);
        QFETCH(QString, version);
        QFETCH(QString, subKey);
        QFETCH(QString, path);
        TBvSettings settings;
        ConfigureTavlo(settings);
        settings.ProductSubName = subName;
        settings.ProductVersion = version;
        QCOMPARE(settings.KeyPath(subKey), path);
    }

    void kindsRoundTripAndOtherKindsReadAsMissing_data() {
        QTest::addColumn<int>("writeKind");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("readKind");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QVariant>("read");
        const QVariant bytes = QByteArray("\xBE\x00", 2);
        QTest::newRow("integer") << 3 << QVariant(-7) << 3 << true << QVariant(-7);
        QTest::newRow("logical") << 11 << QVariant(true) << 11 << true << QVariant(true);
        QTest::newRow("logical is an integer") << 11 << QVariant(true) << 3 << true << QVariant(1);
        QTest::newRow("integer as logical") << 3 << QVariant(0) << 11 << true << QVariant(false);
        QTest::newRow("text") << 256 << QVariant(QString::fromUtf8("Sø \"x\" \\ \n")) << 256 << true
                              << QVariant(QString::fromUtf8("Sø \"x\" \\ \n"));
        QTest::newRow("bytes") << 8192 << bytes << 8192 << true << bytes;
        QTest::newRow("text as integer") << 256 << QVariant("3") << 3 << false << QVariant();
        QTest::newRow("integer as text") << 3 << QVariant(3) << 256 << false << QVariant();
        QTest::newRow("bytes as integer") << 8192 << bytes << 3 << false << QVariant();
        QTest::newRow("logical as text") << 11 << QVariant(false) << 256 << false << QVariant();
    }
    void kindsRoundTripAndOtherKindsReadAsMissing() {
        QFETCH(int, writeKind);
        QFETCH(QVariant, value);
        QFETCH(int, readKind);
        QFETCH(bool, found);
        QFETCH(QVariant, read);
        QVERIFY(FSettings.WriteValue("Settings", "Value", value, writeKind, 2, true));
        QVariant data;
        QCOMPARE(FSettings.ReadValue("Settings", "Value", data, readKind, 2, true), found);
        if (found)
            QCOMPARE(data, read);
        // Each read opens the file anew: a second object sees the same.
        TBvSettings other;
        ConfigureTavlo(other);
        QCOMPARE(other.ReadValue("Settings", "Value", data, readKind, 2, true), found);
    }

    void bytesHaveTheirSize() {
        QVERIFY(FSettings.WriteBytes("Print", "Include", QByteArray("\xBE\xEF", 2), 1, true));
        QCOMPARE(FSettings.ReadBytes("Print", "Include", 1, {}, true), QByteArray("\xBE"));
        QVERIFY(FSettings.WriteBytes("Print", "Use", QByteArray("\xFE"), 3, true));
        QCOMPARE(FSettings.ReadBytes("Print", "Use", 3, {}, true), QByteArray("\xFE\x00\x00", 3));
        // A value larger than the buffer does not read.
        QCOMPARE(FSettings.ReadBytes("Print", "Use", 1, "default", true), QByteArray("default"));
    }

    void missingReadsTheDefault() {
        QCOMPARE(FSettings.ReadInteger("Settings", "Last active page", 2, true), 2);
        QCOMPARE(FSettings.ReadString("Nothing\\Here", "Name", "x", false), QString("x"));
        QVERIFY(FSettings.ReadBool("Settings", "Debug", true, true));
        QVariant data;
        QVERIFY(!FSettings.ReadValue("Settings", "Debug", data, skBool, 4, true));
        QVERIFY(!FSettings.WriteValue("Settings", "Debug", true, 12345, 4, true));
    }

    void rootsAreSeparate() {
        QVERIFY(FSettings.WriteString("Settings", "Default language", "da/dk", false));
        QCOMPARE(FSettings.ReadString("Settings", "Default language", "en/gb", false), QString("da/dk"));
        QCOMPARE(FSettings.ReadString("Settings", "Default language", "en/gb", true), QString("en/gb"));
        QVERIFY(RootFileText(false).contains("[Software\\Brovik\\Tavlo\\4.0\\Settings]\n\"Default language\"=\"da/dk\""));
        QVERIFY(!QFile::exists(TBvSettings::RootFileName(true)));
    }

    void namesCompareWithoutCase() {
        QVERIFY(FSettings.WriteInteger("Forms\\Work", "Left", 10, true));
        QCOMPARE(FSettings.ReadInteger("forms\\WORK", "left", 0, true), 10);
        QVERIFY(FSettings.WriteInteger("FORMS\\work", "LEFT", 20, true));
        QCOMPARE(FSettings.ReadInteger("Forms\\Work", "Left", 0, true), 20);
        QCOMPARE(RootFileText(true).count("=dword:"), 1);
    }

    void fileEditedByHandIsRead() {
        WriteRootFile(false, "; written by the installer\n"
                             "[Software\\Brovik\\Tavlo\\4.0]\n"
                             "\"Edition\"=dword:00000001\n"
                             "\"CustomVersion\"=\"Practice \\\"North\\\"\"\n"
                             "[Software\\Brovik\\Tavlo\\4.0\\Print]\n"
                             "\"Use\"=hex:fe,01\n");
        QCOMPARE(FSettings.ReadInteger("", "Edition", 3, false), 1);
        QCOMPARE(FSettings.ReadString("", "CustomVersion", "", false), QString("Practice \"North\""));
        QCOMPARE(FSettings.ReadBytes("Print", "Use", 2, {}, false), QByteArray("\xFE\x01"));
    }

    void keyExists() {
        QVERIFY(FSettings.WriteInteger("Print\\Patient", "ITEM_0", 1, true));
        QVERIFY(FSettings.KeyExists("", "Print", true));
        QVERIFY(FSettings.KeyExists("", "print", true));
        QVERIFY(FSettings.KeyExists("Print", "Patient", true));
        QVERIFY(!FSettings.KeyExists("", "Patient", true)); // not a direct sub-key
        QVERIFY(!FSettings.KeyExists("Print\\Patient", "ITEM_0", true)); // a value, not a key
        QVERIFY(!FSettings.KeyExists("", "Print", false));
        QVERIFY(FSettings.ValueExists("Print\\Patient", "item_0", true));
    }

    void deleteKeyRemovesSubKeysAndOnlyThem() {
        QVERIFY(FSettings.WriteBytes("Print", "Include", "\xBE", 1, true));
        QVERIFY(FSettings.WriteInteger("Print\\Patient", "ITEM_0", 1, true));
        QVERIFY(FSettings.WriteInteger("Print\\Patient\\Deeper", "ITEM_0", 2, true));
        QVERIFY(FSettings.WriteInteger("Printer", "PaperSource", 4, true));
        QVERIFY(FSettings.WriteBytes("Print", "Include", "\xBE", 1, false));
        QVERIFY(FSettings.DeleteKey("Print", true));
        QVERIFY(!FSettings.KeyExists("", "Print", true));
        QCOMPARE(FSettings.ReadInteger("Print\\Patient", "ITEM_0", -1, true), -1);
        QCOMPARE(FSettings.ReadInteger("Printer", "PaperSource", 0, true), 4);
        QVERIFY(FSettings.KeyExists("", "Print", false));
        QVERIFY(!FSettings.DeleteKey("Print", true));
    }

    // The forms a person types by hand where their meaning is clear.
    void handTypedFormsAreRead_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("short dword") << "\"Edition\"=dword:1" << QVariant(1);
        QTest::newRow("name without quotes") << "Edition=dword:00000001" << QVariant(1);
        QTest::newRow("blanks around =") << "  \"Edition\" = dword: 1  " << QVariant(1);
        QTest::newRow("capital kind and digits") << "Edition=DWORD:0000000A" << QVariant(10);
        QTest::newRow("all bits") << "Edition=dword:ffffffff" << QVariant(-1);
        QTest::newRow("bytes with blanks and capitals") << "\"Edition\"=hex: FE, 1" << QVariant(QByteArray("\xFE\x01"));
        QTest::newRow("text, name without quotes") << "Edition=\"da/dk\"" << QVariant(QString("da/dk"));
    }
    void handTypedFormsAreRead() {
        QFETCH(QString, line);
        QFETCH(QVariant, expected);
        WriteRootFile(false, "[ Software\\Brovik\\Tavlo\\4.0 ]\r\n" + line + "\r\n");
        QVariant value;
        const int kind = expected.typeId() == QMetaType::Int ? skInteger
                         : expected.typeId() == QMetaType::QString ? skString : skBytes;
        QVERIFY(FSettings.ReadValue("", "edition", value, kind, 4, false));
        QCOMPARE(value, expected);
    }

    // A line that cannot be read refuses its file, naming file and line, for
    // reads and writes alike, and the file stays as it was.
    void unreadableLineIsRefused_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no value") << QByteArray("this line is damaged") << QString("a value is written \"Name\"=dword:00000001");
        QTest::newRow("integer without kind") << QByteArray("\"Edition\"=1") << QString("a value is written");
        QTest::newRow("text without quotes") << QByteArray("\"Default language\"=da/dk") << QString("a value is written");
        QTest::newRow("nine dword digits") << QByteArray("\"Edition\"=dword:000000001") << QString("1 to 8 hexadecimal digits");
        QTest::newRow("empty dword") << QByteArray("\"Edition\"=dword:") << QString("1 to 8 hexadecimal digits");
        QTest::newRow("decimal point in dword") << QByteArray("\"Edition\"=dword:1.5") << QString("1 to 8 hexadecimal digits");
        QTest::newRow("byte too large") << QByteArray("\"Use\"=hex:fe,100") << QString("two hexadecimal digits each");
        QTest::newRow("open text") << QByteArray("\"Default language\"=\"da/dk") << QString("a value is written");
        QTest::newRow("open name") << QByteArray("\"Edition=dword:1") << QString("no closing double quote");
        QTest::newRow("open key") << QByteArray("[Software\\Brovik") << QString("a key line ends with \"]\"");
        QTest::newRow("empty key") << QByteArray("[ ]") << QString("names no key");
        QTest::newRow("value given twice") << QByteArray("edition=dword:3") << QString("given in line 3 already");
        QTest::newRow("not UTF-8") << QByteArray("\"CustomVersion\"=\"Pr\xE6ksis\"") << QString("not UTF-8");
    }
    void unreadableLineIsRefused() {
        QFETCH(QByteArray, line);
        QFETCH(QString, reason);
        const QByteArray bytes = "; the practice's settings\n"
                                 "[Software\\Brovik\\Tavlo\\4.0]\n"
                                 "\"Edition\"=dword:00000001\n"
                                 + line + "\n";
        const QString file = TBvSettings::RootFileName(false);
        WriteSettingsFile(file, bytes);
        const QString expected = QString("The settings file %1 cannot be read: line 4: ").arg(file);
        for (const auto& call : std::initializer_list<std::function<void()>>{
                 [&] { FSettings.ReadInteger("", "Edition", 3, false); },
                 [&] { FSettings.WriteInteger("", "Edition", 0, false); },
                 [&] { FSettings.DeleteKey("", false); },
                 [&] { FSettings.KeyExists("", "Print", false); }}) {
            const QString message = ErrorOf(call);
            QVERIFY2(message.startsWith(expected) && message.contains(reason), qPrintable(message));
        }
        QCOMPARE(SettingsFileBytes(file), bytes);
    }

    // The program changes its own line only: comments, blank lines, other
    // keys and hand-typed forms stay byte for byte.
    void writeKeepsEveryOtherLine() {
        const QByteArray before = "; set up by the practice\r\n"
                                  "\r\n"
                                  "[Software\\Brovik\\Tavlo\\4.0]\r\n"
                                  "Edition=dword:1   \r\n"
                                  "# the logo of the practice\r\n"
                                  "\"Custom logo\"=\"C:\\\\Logo.bmp\"\r\n"
                                  "[Software\\Brovik\\Tavlo\\4.0\\Settings]\r\n"
                                  "\"Default language\" = \"da/dk\"\r\n"
                                  "[Software\\Brovik\\Tavlo\\4.0\\Print]\r\n"
                                  "\"Use\"=hex:FE\r\n";
        const QString file = TBvSettings::RootFileName(false);
        WriteSettingsFile(file, before);
        // Writing what the file holds already leaves it alone.
        QVERIFY(FSettings.WriteInteger("", "Edition", 1, false));
        QVERIFY(FSettings.WriteString("Settings", "Default language", "da/dk", false));
        QCOMPARE(SettingsFileBytes(file), before);
        QVERIFY(FSettings.WriteString("settings", "DEFAULT LANGUAGE", "en/gb", false));
        QVERIFY(FSettings.WriteInteger("Settings", "ReadOldData", 0, false));
        QVERIFY(FSettings.WriteString("Exchange", "FileName", "a.vtq", false));
        QByteArray after = before;
        after.replace("\"Default language\" = \"da/dk\"\r\n",
                      "\"Default language\"=\"en/gb\"\r\n\"ReadOldData\"=dword:00000000\r\n");
        after += "\r\n[Software\\Brovik\\Tavlo\\4.0\\Exchange]\r\n\"FileName\"=\"a.vtq\"\r\n";
        QCOMPARE(SettingsFileBytes(file), after);
        QVERIFY(FSettings.DeleteKey("Print", false));
        after.replace("[Software\\Brovik\\Tavlo\\4.0\\Print]\r\n\"Use\"=hex:FE\r\n", "");
        QCOMPARE(SettingsFileBytes(file), after);
        QCOMPARE(FSettings.ReadInteger("", "Edition", 3, false), 1);
    }

    void writeReplacesTheFileWhole() {
        const QString file = TBvSettings::RootFileName(true);
        QVERIFY(FSettings.WriteInteger("Settings", "Last active page", 1, true));
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(FSettings.WriteInteger("Settings", "Last active page", 4, true));
        // Written beside and moved into place: no temporary is left over.
        const QStringList left = QFileInfo(file).dir().entryList(QDir::Files);
        QCOMPARE(left, QStringList{"User.ini"});
        // and the file keeps the permissions it had.
        QCOMPARE(QFile::permissions(file) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        QCOMPARE(FSettings.ReadInteger("Settings", "Last active page", 2, true), 4);
    }

    // An administrator's Machine.ini in the system folder holds for every
    // user; the user's own Machine.ini, which the program writes, comes first.
    void systemMachineFileIsReadBeneath() {
        const QString system = TBvSettings::SystemMachineFileName();
        QCOMPARE(system, qEnvironmentVariable("XDG_CONFIG_DIRS").split(':').first()
                             + "/Brovik/TavloTest/Machine.ini");
        const QByteArray text = "[Software\\Brovik\\Tavlo\\4.0]\n"
                                "\"Edition\"=dword:00000001\n"
                                "\"CustomVersion\"=\"North practice\"\n"
                                "[Software\\Brovik\\Tavlo\\4.0\\Settings]\n"
                                "\"Custom logo\"=\"/srv/logo.png\"\n";
        WriteSettingsFile(system, text);
        QCOMPARE(FSettings.ReadInteger("", "Edition", 3, false), 1);
        QCOMPARE(FSettings.ReadString("", "CustomVersion", "", false), QString("North practice"));
        QVERIFY(FSettings.KeyExists("", "Settings", false));
        QVERIFY(FSettings.ValueExists("Settings", "custom logo", false));
        QCOMPARE(FSettings.ValueFileName("", "Edition", false), system);
        QCOMPARE(FSettings.ReadInteger("", "Edition", 3, true), 3); // not the user's root
        QVERIFY(FSettings.WriteString("Settings", "Custom logo", "/home/logo.png", false));
        QCOMPARE(FSettings.ReadString("Settings", "Custom logo", "", false), QString("/home/logo.png"));
        QCOMPARE(FSettings.ValueFileName("Settings", "Custom logo", false), TBvSettings::RootFileName(false));
        QVERIFY(FSettings.DeleteKey("Settings", false));
        QCOMPARE(FSettings.ReadString("Settings", "Custom logo", "", false), QString("/srv/logo.png"));
        QCOMPARE(SettingsFileBytes(system), text);
        // A faulty administrator's file is refused like the user's own.
        WriteSettingsFile(system, "[Software\\Brovik\\Tavlo\\4.0]\nEdition=1\n");
        QVERIFY(ErrorOf([&] { FSettings.ReadInteger("", "Edition", 3, false); })
                    .startsWith(QString("The settings file %1 cannot be read: line 2: ").arg(system)));
    }

    void unwritableRootFailsWithoutReporting() {
        const QString file = TBvSettings::RootFileName(true);
        QDir().mkpath(file); // a folder where the file should be
        QVERIFY(!FSettings.WriteInteger("Settings", "Last active page", 1, true));
        QCOMPARE(FSettings.ReadInteger("Settings", "Last active page", 2, true), 2);
        QDir().rmdir(file);
    }
};
TAVLO_TEST(TestBvSettings);

#include "tst_BvSettings.moc"
