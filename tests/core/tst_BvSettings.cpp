#include "BvSettings.h"
#include "SettingsFixture.h"
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
                             "this line is damaged\n"
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
