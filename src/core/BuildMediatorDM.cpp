#include "BuildMediatorDM.h"

#include "Application.h"
#include "BuildServices.h"
#include "BuiltInPassword.h"
#include "BvDictionary.h"
#include "BvExprSource.h"
#include "BvUtils.h"
#include "Conversions.h"
#include "DatabaseSetup.h"
#include "FormatSettings.h"
#include "MorlenSettings.h"
#include "MorlenTables.h"
#include "PrivateFiles.h"
#include "TableStore.h"
#include "TvUnitCnv.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

TMediatorDataModule* MediatorDataModule = nullptr;

namespace {
const QString ApplicationDatabaseName = QStringLiteral("ApplicationAlias");
const QString PatientDatabaseName = QStringLiteral("PatientAlias");
const QString PasswordParam = QStringLiteral("PASSWORD");
constexpr const char* PrinterSetupCaption = "Printer setup";

TMediatorDataModule& Mediator() {
    if (!MediatorDataModule)
        throw Exception(QStringLiteral("The mediator data module has not been created"));
    return *MediatorDataModule;
}

// A name=value list: the value of the first entry of that name (case ignored).
QString ValueOfName(const QStringList& list, const QString& name) {
    for (const QString& entry : list) {
        const qsizetype eq = entry.indexOf('=');
        if (eq >= 0 && entry.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return entry.mid(eq + 1);
    }
    return QString();
}

QString NameAt(const QStringList& list, int index) {
    if (index < 0 || index >= list.size())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    const QString& entry = list.at(index);
    const qsizetype eq = entry.indexOf('=');
    return eq >= 0 ? entry.left(eq) : QString();
}

TDatabase* NewDatabase(QObject* owner, const QString& name) {
    auto* database = new TDatabase(owner);
    database->SetName(name == ApplicationDatabaseName ? QStringLiteral("Database") : QStringLiteral("PatientDatabase"));
    database->SetDatabaseName(name);
    database->LoginPrompt = false;
    return database;
}

template <class T>
T* NewModelTable(QObject* owner, const QString& componentName, const QString& tableName) {
    auto* table = new T(owner);
    table->SetName(componentName);
    table->SetDatabaseName(ApplicationDatabaseName);
    table->SetTableName(tableName);
    table->SetDiabetesDependant(false);
    table->SetFreezable(false);
    return table;
}

// Closes the database, binds it to the alias with the built-in password and
// connects it; at first start the database file is made from its script, an
// older file is migrated, and rights others had on the file are taken away
// (the lines of what was tightened are added to tightened).
void Connect(TDatabase* database, const QString& alias, const QString& scriptName, QStringList& tightened) {
    if (database->Connected())
        database->Close();
    database->SetAliasName(alias);
    database->SetParamValue(PasswordParam, BuiltInPassword());
    // An unknown alias is left to Open, whose message names it.
    if (Session().AliasExists(alias))
        tightened << PrepareDatabaseFile(Session().AliasFileName(alias), SeedFileName(scriptName)).Tightened;
    database->Open();
}
} // namespace

TMediatorDataModule::TMediatorDataModule(QObject* AOwner) : TBuildDataModule(AOwner) {
    SetName(QStringLiteral("MediatorDataModule"));
    MediatorDataModule = this;
    CreateMembers();
    BuildServices().Settings = [] { return MediatorDataModule ? MediatorDataModule->Settings : nullptr; };
    BuildServices().UpdateLevel = [] { return MediatorDataModule ? MediatorDataModule->UpdateLevel() : QString(); };
    RunCreationSteps();
}

TMediatorDataModule::~TMediatorDataModule() {
    LanguageMap.clear();
    CloseSharedTables();
    delete FPrinterSetupDialog;
    FPrinterSetupDialog = nullptr;
    FPrinter.reset();
    if (MediatorDataModule == this) {
        MediatorDataModule = nullptr;
        BuildServices().Settings = nullptr;
        BuildServices().UpdateLevel = nullptr;
    }
}

void TMediatorDataModule::CreateMembers() {
    Database = NewDatabase(this, ApplicationDatabaseName);

    MainDictionary = new TBvDictionary(this);
    MainDictionary->SetName(QStringLiteral("MainDictionary"));
    MainDictionary->SetDictionaryName(QStringLiteral("MainDictionary"));
    MainDictionary->PrimaryLanguageId = 9;
    MainDictionary->PrimarySubLanguageId = 0;
    MainDictionary->SetCurrentLanguage(1);
    connect(MainDictionary, &TBvDictionary::LanguageChanged, this, [this] {
        if (OnLanguageChange)
            OnLanguageChange(this);
    });

    Settings = new TMlSettings(this);
    Settings->SetName(QStringLiteral("Settings"));
    Settings->SectionName = QStringLiteral("Software");
    Settings->ProducerName = QStringLiteral("Brovik");
    Settings->ProductName = QStringLiteral("Tavlo");
    Settings->ProductVersion = QStringLiteral("4.0");
    Settings->User = false;

    UnitCnv = NewModelTable<TMlTable>(this, QStringLiteral("UnitCnv"), QStringLiteral("UNITCNV"));

    ExprSource = new TBvExprSource(this, false);
    ExprSource->SetName(QStringLiteral("ExprSource"));

    UnitConverter = new TUnitConverter(this);
    UnitConverter->SetName(QStringLiteral("UnitConverter"));
    UnitConverter->SetExprSource(ExprSource);
    UnitConverter->SetDataSet(UnitCnv);

    General = NewModelTable<TMlTable>(this, QStringLiteral("General"), QStringLiteral("General"));

    Risks = NewModelTable<TMlRiskTable>(this, QStringLiteral("Risks"), QStringLiteral("Risks"));
    Risks->SetFilter(QString());
    Risks->SetFiltered(true);

    ID = NewModelTable<TMlTable>(this, QStringLiteral("ID"), QStringLiteral("ID"));

    DiabetesSwitch = new TMlSwitch(this);
    DiabetesSwitch->SetName(QStringLiteral("DiabetesSwitch"));
    DiabetesSwitch->SetDiabetes(false);
    DiabetesSwitch->SetFrozen(false);
    DiabetesSwitch->SetSuffix1(QStringLiteral("_P"));
    DiabetesSwitch->SetSuffix2(QStringLiteral("_D"));

    for (int index = 0; index < 4; ++index)
        IconImageList << EditionIconImage(index);

    PatientDatabase = NewDatabase(this, PatientDatabaseName);

    ISO = new TQuery(this);
    ISO->SetName(QStringLiteral("ISO"));
    ISO->SetDatabaseName(ApplicationDatabaseName);
    ISO->SetSQL({QStringLiteral("SELECT ISOLanguage, Name, Enabled"), QStringLiteral("FROM Country"),
                 QStringLiteral("ORDER BY Name")});
    new TStringField(ISO, QStringLiteral("Name"), 50);
    new TStringField(ISO, QStringLiteral("ISOLanguage"), 5);
    new TBooleanField(ISO, QStringLiteral("Enabled"));
    ISO->SetFilter(QStringLiteral("Enabled = True"));
    ISO->SetFiltered(true);

    CalcRisks = NewModelTable<TMlRiskTable>(this, QStringLiteral("CalcRisks"), QStringLiteral("Risks"));
    CalcRisks->SetFiltered(true);
    CalcRisks->SetSwitch(DiabetesSwitch);
    CalcRisks->SetDiabetesDependant(true);

    // The settings' plausibility limits read the shared tables.
    Settings->SetRiskTable(Risks);
    Settings->SetGeneralTable(General);
}

void TMediatorDataModule::RunCreationSteps() {
    try {
        LanguageMap.clear();
        Database->Params << QStringLiteral("PASSWORD=") + BuiltInPassword();
        PatientDatabase->Params << QStringLiteral("PASSWORD=") + BuiltInPassword();
        ApplyEngineDecimalSeparator();
        // A command without windows has no use for the dialog (and could not make it).
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
            FPrinter = std::make_unique<QPrinter>();
            FPrinterSetupDialog = new QPrintDialog(FPrinter.get());
            FPrinterSetupDialog->setObjectName(QStringLiteral("PrinterSetupDialog"));
            FPrinterSetupDialog->setOptions(QAbstractPrintDialog::PrintShowPageSize);
        }
        Settings->EnsurePrintDefaults();
        const TEdition edition = Edition();
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(IconImageList.value(int(edition)))));
        if (edition != TEdition::Prevention)
            SetApplicationTitle(EditionTitles(edition));
        const TEditionSuffixes suffixes = EditionSuffixes(edition);
        DiabetesSwitch->SetSuffix1(suffixes.Suffix1);
        DiabetesSwitch->SetSuffix2(suffixes.Suffix2);
        MainDictionary->SetFileName(ApplicationDirectory() + QStringLiteral("Tavlo.mld"));
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        TApplication::ShowException(e.Message());
    } catch (const std::exception& e) {
        TApplication::ShowException(QString::fromUtf8(e.what()));
    }
}

void TMediatorDataModule::CloseSharedTables() {
    UnitConverter->SetActive(false);
    for (TDataSet* table : std::initializer_list<TDataSet*>{Risks, CalcRisks, General, ISO, ID, UnitCnv})
        table->Close();
}

void TMediatorDataModule::ConnectDatabases(const QString& alias, bool activate) {
    if (Database->Connected() || PatientDatabase->Connected()) {
        // Connecting again: nothing may keep reading the old connection, and
        // the cached variants of CalcRisks came from it (a new name empties them).
        CloseSharedTables();
        CalcRisks->SetTableName(QString());
        CalcRisks->SetTableName(QStringLiteral("Risks"));
    }
    QStringList tightened;
    Connect(Database, alias, ApplicationSeedName, tightened);
    Connect(PatientDatabase, PatientAliasName, PatientSeedName, tightened);
    if (!tightened.isEmpty())
        ShowInfo(TightenedNotice(tightened));
    Risks->Open();
    CalcRisks->Open();
    General->Open();
    ISO->SetFiltered(true);
    ISO->Open();
    BuildLanguageMap();
    UnitConverter->SetActive(activate);
    ID->SetActive(activate);
}

void TMediatorDataModule::BuildLanguageMap() {
    QStringList codes;
    for (int language = 1; language < MainDictionary->LanguageCount(); ++language)
        codes << MainDictionary->LanguageCode(language);
    LanguageMap.clear();
    for (ISO->First(); !ISO->Eof(); ISO->Next()) {
        const QString code = ISO->FieldByName(QStringLiteral("ISOLanguage"))->AsString();
        int number = 0;
        for (int at = 0; at < codes.size(); ++at)
            if (codes.at(at).compare(code, Qt::CaseInsensitive) == 0) {
                number = at + 1;
                break;
            }
        LanguageMap << code + QLatin1Char('=') + IntToStr(number);
    }
}

QString TMediatorDataModule::UpdateLevel(const TFileVersion& version) const {
    return QStringLiteral("%1 / %2").arg(version.Build).arg(General->FieldByName(QStringLiteral("Version"))->AsInteger());
}

QString TMediatorDataModule::IdExpression(const QString& name) const {
    // The model table's Locate reads a failing search as "not found".
    if (ID->Locate(QStringLiteral("Name"), name, loCaseInsensitive))
        return ID->FieldByName(QStringLiteral("Expression"))->AsString();
    return QStringLiteral("Result := True");
}

void TMediatorDataModule::PrinterSetup() {
    if (!FPrinterSetupDialog)
        return;
    // The language may have changed since start-up.
    FPrinterSetupDialog->setWindowTitle(MainDictionary->Translate(QString::fromLatin1(PrinterSetupCaption)));
    // It chooses and sets up the printer; it prints nothing.
    if (auto* buttons = FPrinterSetupDialog->findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(MainDictionary->Translate(QStringLiteral("OK")));
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
            cancel->setText(MainDictionary->Translate(QStringLiteral("Cancel")));
    }
    FPrinterSetupDialog->exec();
}

QString TMediatorDataModule::CurrentLanguageCode() const {
    return MainDictionary->LanguageCode(MainDictionary->CurrentLanguage());
}

int TMediatorDataModule::IndexOfLanguage(const QString& code) const {
    for (int index = 0; index < LanguageMap.size(); ++index)
        if (NameAt(LanguageMap, index).compare(code, Qt::CaseInsensitive) == 0)
            return index;
    return -1;
}

void TMediatorDataModule::SetLanguageByIndex(int index) {
    MainDictionary->SetCurrentLanguage(StrToInt(ValueOfName(LanguageMap, NameAt(LanguageMap, index))));
}

int TMediatorDataModule::CountryNames(QStringList& list) const {
    list.clear();
    for (ISO->First(); !ISO->Eof(); ISO->Next())
        list << ISO->FieldByName(QStringLiteral("Name"))->AsString();
    return IndexOfLanguage(CurrentLanguageCode());
}

void ApplyEngineDecimalSeparator() {
    QStringList params;
    Session().GetConfigParams(QLatin1String(NumberFormatSection), params);
    const QString separator = ValueOfName(params, QLatin1String(DecimalSeparatorName));
    if (!separator.isEmpty())
        FormatSettings().DecimalSeparator = separator.at(0);
}

QString ApplicationTitle() { return QGuiApplication::applicationDisplayName(); }

void SetApplicationTitle(const QString& title) { QGuiApplication::setApplicationDisplayName(title); }

TMlSettings* Settings() { return Mediator().Settings; }

QString ApplicationDirectory() { return QCoreApplication::applicationDirPath() + QLatin1Char('/'); }

QString UpdateLevel() { return Mediator().UpdateLevel(); }

QString IdExpression(const QString& name) { return Mediator().IdExpression(name); }

void PrinterSetup() { Mediator().PrinterSetup(); }

QPrinter* CurrentPrinter() { return Mediator().Printer(); }

QString CustomVersion() { return Mediator().Settings->CustomVersion(); }

bool IsCustomVersion() { return !CustomVersion().isEmpty(); }

QString CurrentLanguageCode() { return Mediator().CurrentLanguageCode(); }

int IndexOfLanguage(const QString& code) { return Mediator().IndexOfLanguage(code); }

void SetLanguageByIndex(int index) { Mediator().SetLanguageByIndex(index); }

int CountryNames(QStringList& list) { return Mediator().CountryNames(list); }
