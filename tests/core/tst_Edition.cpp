#include "BuiltInPassword.h"
#include "Edition.h"
#include "Exceptions.h"
#include "FileVersion.h"
#include "SettingsFixture.h"
#include "TestMain.h"

#include <QTest>

class TestEdition : public QObject {
    Q_OBJECT
    TBvSettings FSettings;
private slots:
    void initTestCase() { ConfigureTavlo(FSettings); }
    void init() { ClearSettingsRoots(); }
    void cleanup() { SetEdition(TEdition::Combined); }

    void provisioned_data() {
        QTest::addColumn<QVariant>("stored"); // invalid: no value
        QTest::addColumn<int>("edition");
        QTest::newRow("default") << QVariant() << 3;
        QTest::newRow("prevention") << QVariant(0) << 0;
        QTest::newRow("diabetes") << QVariant(1) << 1;
        QTest::newRow("combined") << QVariant(3) << 3;
    }
    void provisioned() {
        QFETCH(QVariant, stored);
        QFETCH(int, edition);
        SetEdition(TEdition::Diabetes);
        if (stored.isValid())
            QVERIFY(FSettings.WriteInteger("", "Edition", stored.toInt(), false));
        // The per-user root does not provision an installation.
        QVERIFY(FSettings.WriteInteger("", "Edition", 1, true));
        ProvisionEdition();
        QCOMPARE(int(Edition()), edition);
        QCOMPARE(IsDiabetesEdition(), edition == 1);
    }

    // An administrator sets the edition once for a shared computer; every
    // user without an own Machine.ini value gets it.
    void setByTheAdministratorForEveryUser() {
        const QString system = TBvSettings::SystemMachineFileName();
        WriteSettingsFile(system, "[Software\\Brovik\\Tavlo\\4.0]\nEdition=dword:1\n");
        SetEdition(TEdition::Combined);
        ProvisionEdition();
        QCOMPARE(Edition(), TEdition::Diabetes);
        WriteSettingsFile(system, "[Software\\Brovik\\Tavlo\\4.0]\n\"Edition\"=dword:2\n");
        try {
            ProvisionEdition();
            QFAIL("accepted");
        } catch (const Exception& e) {
            QVERIFY2(e.Message().contains("2 is not an edition of Tavlo") && e.Message().contains(system),
                     qPrintable(e.Message()));
        }
        // A line the reader cannot read stops the start instead of the default edition.
        WriteSettingsFile(system, "[Software\\Brovik\\Tavlo\\4.0]\n\"Edition\"=1\n");
        QVERIFY_THROWS_EXCEPTION(ESettingsError, ProvisionEdition());
    }

    void refusedWithAClearMessage_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("message");
        QTest::newRow("two") << QVariant(2) << "2 is not an edition of Tavlo";
        QTest::newRow("negative") << QVariant(-1) << "-1 is not an edition of Tavlo";
        QTest::newRow("four") << QVariant(4) << "4 is not an edition of Tavlo";
        QTest::newRow("text") << QVariant("1") << "is not an integer";
    }
    void refusedWithAClearMessage() {
        QFETCH(QVariant, stored);
        QFETCH(QString, message);
        if (stored.typeId() == QMetaType::QString)
            QVERIFY(FSettings.WriteString("", "Edition", stored.toString(), false));
        else
            QVERIFY(FSettings.WriteInteger("", "Edition", stored.toInt(), false));
        SetEdition(TEdition::Prevention);
        try {
            ProvisionEdition();
            QFAIL("accepted");
        } catch (const Exception& e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
            QVERIFY2(e.Message().contains("Software\\Brovik\\Tavlo\\4.0"), qPrintable(e.Message()));
            QVERIFY(e.Message().contains("0 (prevention), 1 (diabetes) or 3"));
        }
        QCOMPARE(Edition(), TEdition::Prevention); // unchanged
        QVERIFY_THROWS_EXCEPTION(Exception, SetEdition(TEdition(2)));
    }

    void titlesSuffixesAndIcons_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("suffix1");
        QTest::addColumn<QString>("suffix2");
        QTest::newRow("prevention") << 0 << "" << "_P" << "_P";
        QTest::newRow("diabetes") << 1 << "Sendra" << "_D" << "_D";
        QTest::newRow("combined") << 3 << "Morlen incl. Sendra" << "_P" << "_D";
    }
    void titlesSuffixesAndIcons() {
        QFETCH(int, edition);
        QFETCH(QString, title);
        QFETCH(QString, suffix1);
        QFETCH(QString, suffix2);
        QCOMPARE(EditionTitles(TEdition(edition)), title);
        QCOMPARE(EditionSuffixes(TEdition(edition)).Suffix1, suffix1);
        QCOMPARE(EditionSuffixes(TEdition(edition)).Suffix2, suffix2);
        const QImage icon = EditionIconImage(edition);
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.pixelColor(16, 16).alpha() > 0 || icon.pixelColor(16, 20).alpha() > 0);
        for (int other : {0, 1, 3})
            if (other != edition)
                QVERIFY(EditionIconImage(other) != icon);
    }

    void unusedIconIndex() {
        QVERIFY(EditionIconImage(2).isNull());
        QVERIFY(EditionIconImage(4).isNull());
    }

    void fileVersion_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("shortVersion");
        QTest::addColumn<QString>("longVersion");
        QTest::newRow("4.0.0.32") << 4 << 0 << 32 << "4.0" << "Version 4.0 (Build 32)";
        QTest::newRow("no resource") << 0 << 0 << 0 << "0.0" << "Version 0.0 (Build 0)";
        QTest::newRow("16-bit parts") << 4 << 12 << 65535 << "4.12" << "Version 4.12 (Build 65535)";
    }
    void fileVersion() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, build);
        QFETCH(QString, shortVersion);
        QFETCH(QString, longVersion);
        const TFileVersion version(major, minor, 0, build);
        QCOMPARE(version.ShortVersion(), shortVersion);
        QCOMPARE(version.LongVersion(), longVersion);
    }

    void executableVersionComesFromTheBuild() {
        QCOMPARE(FileVersion().Major, TAVLO_VERSION_MAJOR);
        QCOMPARE(FileVersion().Build, TAVLO_VERSION_BUILD);
        QCOMPARE(ShortVersion(), QString("4.0"));
        QCOMPARE(LongVersion(), QStringLiteral("Version 4.0 (Build %1)").arg(TAVLO_VERSION_BUILD));
    }

    void builtInPassword() {
        const QString password = BuiltInPassword();
        QCOMPARE(password.size(), 6);
        QCOMPARE(BuiltInPassword(), password);
        for (QChar c : password)
            QVERIFY2(c.unicode() > 32 && c.unicode() < 127, "printable, so that every engine takes it");
        // Never stored whole: the source holds the stored text and key only.
        QFile source(TAVLO_SOURCE_DIR "/src/core/BuiltInPassword.cpp");
        QVERIFY(source.open(QIODevice::ReadOnly));
        QVERIFY(!source.readAll().contains(password.toLatin1()));
    }
};
TAVLO_TEST(TestEdition);

#include "tst_Edition.moc"
