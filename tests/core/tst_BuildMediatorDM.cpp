#include "Application.h"
#include "BuildMediatorDM.h"
#include "BuildServices.h"
#include "BuiltInPassword.h"
#include "BvDictionary.h"
#include "FormatSettings.h"
#include "ModalAnswer.h"
#include "MorlenSettings.h"
#include "MorlenTables.h"
#include "SettingsFixture.h"
#include "TableStore.h"
#include "TestErrors.h"
#include "TestMain.h"
#include "TvUnitCnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QStandardPaths>
#include <QTest>
#include <memory>

namespace {

// A user who starts the program for the first time: data and settings
// folders of their own (test mode keeps them away from real users), empty,
// and the engine reading its alias file from there.
struct TFreshUser {
    QString SavedName = QCoreApplication::applicationName();
    explicit TFreshUser(const QString& name = QStringLiteral("Fresh")) {
        QCoreApplication::setApplicationName(QStringLiteral("TavloMediatorTest-") + name);
        Clear();
    }
    ~TFreshUser() {
        Clear();
        QCoreApplication::setApplicationName(SavedName);
        Session().Reload();
    }
    static QString DataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }
    static QString DataFile(const QString& name) { return QDir(DataFolder()).filePath(name); }
    void Clear() {
        QDir(DataFolder()).removeRecursively();
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
        Session().Reload();
    }
};

QString PrintBytes(const TMlSettings& settings, const QString& name) {
    return QString::fromLatin1(settings.ReadBytes(TMlSettings::PrintKey, name, 1, QByteArray(), true).toHex());
}

} // namespace

class TestBuildMediatorDM : public QObject {
    Q_OBJECT
    QStringList FShown; // what the application's error display showed
    QChar FSavedSeparator;

private slots:
    void init() {
        FShown.clear();
        TApplication::OnException = [this](const QString& text) { FShown << text; };
        FSavedSeparator = FormatSettings().DecimalSeparator;
        SetEdition(TEdition::Combined);
        SetApplicationTitle(QString());
    }
    void cleanup() {
        TApplication::OnException = nullptr;
        FormatSettings().DecimalSeparator = FSavedSeparator;
        SetEdition(TEdition::Combined);
    }

    void firstStartCreatesBothDatabasesAndASecondStartReusesThem() {
        TFreshUser user;
        {
            TMediatorDataModule mediator;
            QCOMPARE(MediatorDataModule, &mediator);
            QCOMPARE(BuildSettings(), mediator.Settings);
            QVERIFY(!QFile::exists(TFreshUser::DataFile("TavloCalc.db")));
            mediator.ConnectDatabases(ApplicationAliasName, true);
            QVERIFY(FShown.isEmpty());
            QVERIFY(QFile::exists(TFreshUser::DataFile("TavloCalc.db")));
            QVERIFY(QFile::exists(TFreshUser::DataFile("TavloPatients.db")));
            QVERIFY(mediator.Database->Connected());
            QVERIFY(mediator.PatientDatabase->Connected());
            QCOMPARE(mediator.Database->ParamValue("PASSWORD"), BuiltInPassword());
            QCOMPARE(mediator.PatientDatabase->ParamValue("PASSWORD"), BuiltInPassword());
            QCOMPARE(mediator.PatientDatabase->AliasName(), PatientAliasName);

            // The shared tables are open on their contents; CalcRisks follows the switch.
            QVERIFY(mediator.Risks->Active() && mediator.Risks->RecordCount() >= 10);
            QCOMPARE(mediator.CalcRisks->PhysicalTableName(), QString("Risks_P"));
            QVERIFY(mediator.CalcRisks->Active() && !mediator.CalcRisks->IsEmpty());
            QVERIFY(mediator.UnitConverter->Active());
            QVERIFY(mediator.UnitConverter->CategoryCount() > 0);
            QVERIFY(mediator.ID->Active());
            QVERIFY(mediator.ISO->Active());
            QCOMPARE(mediator.General->RecordCount(), 1);

            // Something only this installation knows.
            mediator.General->Edit();
            mediator.General->FieldByName("Version")->SetAsInteger(5);
            mediator.General->Post();
            QCOMPARE(mediator.UpdateLevel(TFileVersion(4, 0, 0, 32)), QString("32 / 5"));
            QCOMPARE(UpdateLevel(), QString("%1 / 5").arg(FileVersion().Build));
            QCOMPARE(BuildUpdateLevel(), UpdateLevel());

            QVERIFY(mediator.PrinterSetupDialog());
            QCOMPARE(mediator.PrinterSetupDialog()->printer(), mediator.Printer());
            QCOMPARE(CurrentPrinter(), mediator.Printer());
        }
        QVERIFY(!MediatorDataModule);
        QVERIFY(BuildSettings());
        QCOMPARE(ErrorOf([] { UpdateLevel(); }), QString("The mediator data module has not been created"));

        TMediatorDataModule again;
        again.ConnectDatabases(ApplicationAliasName, true);
        QCOMPARE(again.General->FieldByName("Version")->AsInteger(), 5);
        QVERIFY(FShown.isEmpty());
    }

    // A patient database that other users could read (copied in by hand, or
    // made by an older program) is closed to them at start, and the user is
    // told once, naming the file.
    void startTakesOtherUsersRightsAndSaysSoOnce() {
        TFreshUser user;
        {
            TMediatorDataModule mediator;
            mediator.ConnectDatabases(ApplicationAliasName, false);
        }
        const QString patients = TFreshUser::DataFile("TavloPatients.db");
        const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                          | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(patients, open));
        QVERIFY(QFile::setPermissions(TFreshUser::DataFolder(),
                                      QFile::permissions(TFreshUser::DataFolder()) | QFileDevice::ReadOther
                                          | QFileDevice::ExeOther));

        TMediatorDataModule mediator;
        {
            TModalAnswer answer;
            mediator.ConnectDatabases(ApplicationAliasName, false);
            QVERIFY(answer.Shown);
            QVERIFY2(answer.Text.contains(patients), qPrintable(answer.Text));
            QVERIFY2(answer.Text.contains(TFreshUser::DataFolder()), qPrintable(answer.Text));
        }
        const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFile::permissions(patients) & others, QFileDevice::Permissions());
        QCOMPARE(QFile::permissions(TFreshUser::DataFolder()) & others, QFileDevice::Permissions());
        QVERIFY(QFile::permissions(patients) & QFileDevice::ReadOwner);
        QVERIFY(mediator.PatientDatabase->Connected());

        // Nothing left to tighten: no second notice.
        TModalAnswer none;
        mediator.ConnectDatabases(ApplicationAliasName, false);
        QVERIFY(!none.Shown);
        QVERIFY(FShown.isEmpty());
    }

    void connectingWithoutActivatingLeavesConverterAndIdClosed() {
        TFreshUser user;
        TMediatorDataModule mediator;
        mediator.ConnectDatabases(ApplicationAliasName, false);
        QVERIFY(!mediator.UnitConverter->Active());
        QCOMPARE(mediator.UnitConverter->CategoryCount(), 0);
        QVERIFY(!mediator.ID->Active());
        // A search in the closed table fails, and that counts as no row.
        QCOMPARE(IdExpression("DateSequence"), QString("Result := True"));
        QVERIFY(mediator.Risks->Active());
    }

    void missingAliasRaisesNamingIt() {
        TFreshUser user;
        TMediatorDataModule mediator;
        const QString message = ErrorOf([&] { mediator.ConnectDatabases("NoSuchAlias", true); });
        QVERIFY2(message.contains("NoSuchAlias"), qPrintable(message));
        QVERIFY(!mediator.Database->Connected());
        QVERIFY(FShown.isEmpty());
    }

    void firstPrintDefaults_data() {
        QTest::addColumn<QString>("userFile");
        QTest::addColumn<QString>("include");
        QTest::addColumn<QString>("use");
        QTest::newRow("new user") << QString() << "be" << "fe";
        QTest::newRow("settings without Print") << "[Software\\Brovik\\Tavlo\\4.0\\Settings]\n\"Debug\"=dword:00000001\n"
                                                << "be" << "fe";
        QTest::newRow("Print without Include") << "[Software\\Brovik\\Tavlo\\4.0\\Print]\n\"Use\"=hex:01\n" << "" << "01";
        QTest::newRow("Print in another case") << "[software\\brovik\\tavlo\\4.0\\PRINT]\n\"Include\"=hex:07\n"
                                               << "07" << "";
        QTest::newRow("Print with values of other kinds")
            << "[Software\\Brovik\\Tavlo\\4.0\\Print]\n\"Include\"=dword:00000002\n\"Use\"=\"x\"\n" << "" << "";
    }
    void firstPrintDefaults() {
        QFETCH(QString, userFile);
        QFETCH(QString, include);
        QFETCH(QString, use);
        TFreshUser user;
        if (!userFile.isEmpty()) {
            QDir().mkpath(QFileInfo(TBvSettings::RootFileName(true)).absolutePath());
            WriteRootFile(true, userFile);
        }
        TMediatorDataModule mediator;
        QCOMPARE(PrintBytes(*mediator.Settings, "Include"), include);
        QCOMPARE(PrintBytes(*mediator.Settings, "Use"), use);
        QVERIFY(FShown.isEmpty());
    }

    void idExpression_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("same case") << "DateSequence" << true;
        QTest::newRow("other case") << "dATEsEQUENCE" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("missing") << "Passport" << false;
        QTest::newRow("prefix only") << "Date" << false;
    }
    void idExpression() {
        QFETCH(QString, name);
        QFETCH(bool, found);
        TFreshUser user;
        TMediatorDataModule mediator;
        mediator.ConnectDatabases(ApplicationAliasName, true);
        const QString expression = IdExpression(name);
        if (found) {
            QVERIFY2(expression.startsWith("{ Identity: ddmmyy"), qPrintable(expression));
            QVERIFY(expression.contains("GetIdentity()"));
        } else {
            QCOMPARE(expression, QString("Result := True"));
        }
    }

    void languageMapFollowsEnabledCountriesByName() {
        TFreshUser user;
        TMediatorDataModule mediator;
        QCOMPARE(mediator.MainDictionary, TBvDictionary::Find("MainDictionary"));
        QCOMPARE(mediator.MainDictionary->FileName(), ApplicationDirectory() + "Tavlo.mld");
        QCOMPARE(mediator.MainDictionary->CurrentLanguage(), 1);
        QVERIFY(mediator.LanguageMap.isEmpty());
        mediator.ConnectDatabases(ApplicationAliasName, true);
        QCOMPARE(mediator.LanguageMap, QStringList({"da/dk=2", "en/gb=1"}));

        // A second country of Danish language sorting first, one whose code is
        // no language of the dictionary, the primary language's code (which is
        // not listed) and a disabled country.
        const QString insert = "INSERT INTO Country (Name, ISOLanguage, Enabled) VALUES (?, ?, ?)";
        mediator.Database->ExecSql(insert, {"Aaland", "DA/DK", 1});
        mediator.Database->ExecSql(insert, {"Atlantis", "xx/yy", 1});
        mediator.Database->ExecSql(insert, {"Nowhere", "en/us", 1});
        mediator.Database->ExecSql(insert, {"Zeta", "en/gb", 0});
        mediator.ConnectDatabases(ApplicationAliasName, true);
        QCOMPARE(mediator.LanguageMap,
                 QStringList({"DA/DK=2", "xx/yy=0", "da/dk=2", "en/us=0", "en/gb=1"}));

        QCOMPARE(IndexOfLanguage("da/dk"), 0);
        QCOMPARE(IndexOfLanguage("XX/YY"), 1);
        QCOMPARE(IndexOfLanguage("en/gb"), 4);
        QCOMPARE(IndexOfLanguage("de/de"), -1);
        QCOMPARE(IndexOfLanguage(""), -1);

        QStringList names{"left over"};
        QCOMPARE(CountryNames(names), 4); // en/gb, the initial language
        QCOMPARE(names, QStringList({"Aaland", "Atlantis", "Danmark", "Nowhere", "United Kingdom"}));
    }

    void settingTheLanguageByIndex() {
        TFreshUser user;
        TMediatorDataModule mediator;
        mediator.ConnectDatabases(ApplicationAliasName, true);
        QList<QObject*> senders;
        mediator.OnLanguageChange = [&](QObject* sender) { senders << sender; };

        QCOMPARE(CurrentLanguageCode(), QString("en/gb"));
        SetLanguageByIndex(IndexOfLanguage("da/dk"));
        QCOMPARE(mediator.MainDictionary->CurrentLanguage(), 2);
        QCOMPARE(CurrentLanguageCode(), QString("da/dk"));
        QCOMPARE(TranslateText("Warning"), QString("Advarsel"));
        QCOMPARE(senders, QList<QObject*>({&mediator}));
        QStringList names;
        QCOMPARE(CountryNames(names), 0);

        // The same language again is no change.
        SetLanguageByIndex(0);
        QCOMPARE(senders.size(), 1);

        SetLanguageByIndex(1);
        QCOMPARE(CurrentLanguageCode(), QString("en/gb"));
        QCOMPARE(TranslateText("Warning"), QString("Warning"));
        QCOMPARE(senders.size(), 2);

        QCOMPARE(ErrorOf([] { SetLanguageByIndex(2); }), QString("List index out of bounds (2)"));
        QCOMPARE(ErrorOf([] { SetLanguageByIndex(-1); }), QString("List index out of bounds (-1)"));
        QCOMPARE(CurrentLanguageCode(), QString("en/gb"));
    }

    void decimalSeparatorFromTheEngine_data() {
        QTest::addColumn<QStringList>("numberSection");
        QTest::addColumn<QString>("expected");
        QTest::newRow("comma") << QStringList{"DECIMALSEPARATOR=,", "THOUSANDSEPARATOR=."} << ",";
        QTest::newRow("first character") << QStringList{"decimalseparator=;x"} << ";";
        QTest::newRow("empty keeps the current") << QStringList{"DECIMALSEPARATOR="} << "#";
        QTest::newRow("missing keeps the current") << QStringList{"THOUSANDSEPARATOR=."} << "#";
    }
    void decimalSeparatorFromTheEngine() {
        QFETCH(QStringList, numberSection);
        QFETCH(QString, expected);
        TFreshUser user;
        Session().SetConfigParams(NumberFormatSection, numberSection);
        FormatSettings().DecimalSeparator = '#';
        TMediatorDataModule mediator;
        QCOMPARE(FormatSettings().DecimalSeparator, expected.at(0));
    }

    void editionPresentation_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("suffix1");
        QTest::addColumn<QString>("suffix2");
        QTest::addColumn<QString>("calcRisks");
        QTest::newRow("prevention") << 0 << "" << "_P" << "_P" << "Risks_P";
        QTest::newRow("diabetes") << 1 << "Sendra" << "_D" << "_D" << "Risks_D";
        QTest::newRow("combined") << 3 << "Morlen incl. Sendra" << "_P" << "_D" << "Risks_P";
    }
    void editionPresentation() {
        QFETCH(int, edition);
        QFETCH(QString, title);
        QFETCH(QString, suffix1);
        QFETCH(QString, suffix2);
        QFETCH(QString, calcRisks);
        TFreshUser user;
        SetEdition(EditionFromValue(edition));
        TMediatorDataModule mediator;
        QCOMPARE(ApplicationTitle(), title);
        QCOMPARE(mediator.DiabetesSwitch->Suffix1(), suffix1);
        QCOMPARE(mediator.DiabetesSwitch->Suffix2(), suffix2);
        QCOMPARE(mediator.IconImageList.size(), 4);
        QCOMPARE(mediator.IconImageList.at(edition).size(), QSize(32, 32));
        QCOMPARE(QGuiApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
                 mediator.IconImageList.at(edition).convertToFormat(QImage::Format_ARGB32));
        mediator.ConnectDatabases(ApplicationAliasName, true);
        QCOMPARE(mediator.CalcRisks->PhysicalTableName(), calcRisks);
        QCOMPARE(ApplicationTitle(), title);
    }

    void creationStepErrorIsShownAndStartUpGoesOn() {
        TFreshUser user;
        // An alias file that cannot be read fails the step that reads the
        // engine's number format.
        QVERIFY(QDir().mkpath(Session().AliasFile()));
        TMediatorDataModule mediator;
        QCOMPARE(FShown.size(), 1);
        QVERIFY2(FShown.at(0).contains(Session().AliasFile()), qPrintable(FShown.at(0)));
        // The later steps did not run: no title, no dictionary file.
        QCOMPARE(ApplicationTitle(), QString());
        QVERIFY(mediator.MainDictionary->FileName().isEmpty());
        QCOMPARE(TranslateText("Warning"), QString("Warning"));
        // The passwords of the step before are in place; connecting works once
        // the alias file can be written.
        QCOMPARE(mediator.Database->ParamValue("PASSWORD"), BuiltInPassword());
        QVERIFY(QDir(Session().AliasFile()).removeRecursively());
        Session().Reload();
        mediator.ConnectDatabases(ApplicationAliasName, true);
        QVERIFY(mediator.Risks->Active());
        QCOMPARE(FShown.size(), 1);
    }

    void printerSetupRunsOnTheCurrentPrinter() {
        TFreshUser user;
        TMediatorDataModule mediator;
        mediator.ConnectDatabases(ApplicationAliasName, true);
        SetLanguageByIndex(IndexOfLanguage("da/dk"));
        QPrinter* shownPrinter = nullptr;
        TModalAnswer answer([&](QWidget* window) {
            if (auto* dialog = qobject_cast<QPrintDialog*>(window))
                shownPrinter = dialog->printer();
            qobject_cast<QDialog*>(window)->reject();
        }, "PrinterSetup");
        PrinterSetup();
        QVERIFY(answer.Shown);
        QCOMPARE(answer.Caption, QString("Printeropsætning"));
        QVERIFY(shownPrinter);
        QCOMPARE(shownPrinter, CurrentPrinter());
    }

    void customVersionIsTheMachineSetting() {
        TFreshUser user;
        TMediatorDataModule mediator;
        QCOMPARE(CustomVersion(), QString());
        QVERIFY(!IsCustomVersion());
        QVERIFY(mediator.Settings->WriteString(QString(), "CustomVersion", "Region Nord", false));
        QCOMPARE(CustomVersion(), QString("Region Nord"));
        QVERIFY(IsCustomVersion());
        // Per user it does not count.
        mediator.Settings->WriteString(QString(), "CustomVersion", "", false);
        mediator.Settings->WriteString(QString(), "CustomVersion", "Mine", true);
        QVERIFY(!IsCustomVersion());
    }
};

TAVLO_TEST(TestBuildMediatorDM);
#include "tst_BuildMediatorDM.moc"
