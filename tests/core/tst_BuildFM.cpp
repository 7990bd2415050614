#include "BuildAboutFM.h"
#include "BuildDM.h"
#include "BuildFM.h"
#include "BuildServices.h"
#include "BuildSplashFM.h"
#include "BvDictionary.h"
#include "BvTranslator.h"
#include "Keyboard.h"
#include "ModalAnswer.h"
#include "MorlenSettings.h"
#include "SettingsFixture.h"
#include "TestDatabase.h"
#include "TestGrab.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

namespace {
QString ShippedDictionary() { return QCoreApplication::applicationDirPath() + "/Tavlo.mld"; }

class TTestCountry : public TCountryDataModuleBase {
public:
    explicit TTestCountry(QString about) : FAbout(std::move(about)) {}
    QString AboutMessage() const override { return FAbout; }

private:
    QString FAbout;
};

// A window that keeps its position in "Forms\Test" and counts its calls.
class TPositionForm : public TBuildForm {
public:
    int Loaded = 0, Saved = 0;
    QStringList Hints;
    TPositionForm() {
        auto* label = new QLabel("Warning", this);
        label->setObjectName("WarningLabel");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        resize(300, 200);
    }
    void LoadSettings() override {
        ++Loaded;
        BuildSettings()->LoadFormPosition("Forms\\Test", this);
    }
    void SaveSettings() override {
        ++Saved;
        BuildSettings()->SaveFormPosition("Forms\\Test", this);
    }
    void DisplayHint(QObject*) override { Hints << ApplicationHint(); }
};

// A window with two tables of the patient database: tag 0 and tag 2.
class TTableForm : public TBuildForm {
public:
    TTable* Patients;
    TTable* Others;
    explicit TTableForm(const QString& database) {
        Patients = new TTable(this);
        Others = new TTable(new QWidget(this)); // on a panel
        for (TTable* table : {Patients, Others}) {
            table->SetDatabaseName(database);
            table->SetTableName("Patient");
            table->SetIndexFieldNames("Patient id");
        }
        Others->SetTag(2);
    }
};

QString StoredName(TTestDatabase& db, int id) {
    TTable t;
    t.SetDatabaseName(db.Name());
    t.SetTableName("Patient");
    t.Open();
    return t.Locate("Patient id", id) ? t.FieldByName("First name")->AsString() + ' ' + t.FieldByName("Last name")->AsString()
                                      : QString();
}

// The application database's Country rows the prevention splash reads.
void CreateCountries(TTestDatabase& db) {
    db.Create("Country", {{"Country id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 50},
                          {"ISOLanguage", TFieldType::ftString, 5}, {"Splash title", TFieldType::ftString, 40},
                          {"SplashMessage", TFieldType::ftMemo}, {"AboutMessage", TFieldType::ftMemo}});
    db.Exec("INSERT INTO Country (Name, ISOLanguage, \"Splash title\", SplashMessage, AboutMessage) VALUES "
            "('United Kingdom', 'en/gb', 'Tavlo', 'Cardiovascular risk estimation for general practice', 'Brovik'), "
            "('Danmark', 'da/dk', 'Tavlo', 'Vurdering af hjerte-kar-risiko i almen praksis', 'Brovik')");
}
} // namespace

class TestBuildFM : public QObject {
    Q_OBJECT
    std::unique_ptr<TBvDictionary> FDictionary;

    void UseLanguage(const QString& code) {
        FDictionary = std::make_unique<TBvDictionary>();
        FDictionary->SetDictionaryName("MainDictionary");
        FDictionary->SetFileName(ShippedDictionary());
        FDictionary->SetCurrentLanguage(FDictionary->IndexOfLanguageCode(code));
    }

private slots:
    void init() {
        ClearSettingsRoots();
        SetShiftDownOverride(false);
        BuildServices() = TBuildServices();
        FDictionary.reset();
        QFile::remove(DebuggingFileName());
    }
    void cleanup() {
        SetShiftDownOverride(std::nullopt);
        FDictionary.reset();
        BuildServices() = TBuildServices();
    }

    // ------------------------------------------------------------ windows

    void shiftSkipsSettings_data() {
        QTest::addColumn<bool>("shift");
        QTest::newRow("without shift") << false;
        QTest::newRow("with shift") << true;
    }
    void shiftSkipsSettings() {
        QFETCH(bool, shift);
        TMlSettings* settings = BuildSettings();
        settings->SetSavePosition(true);
        settings->WriteInteger("Forms\\Test", "Width", 420, true);
        settings->WriteInteger("Forms\\Test", "Height", 260, true);
        const QString before = RootFileText(true);
        SetShiftDownOverride(shift);
        TFormPtr<TPositionForm> form(CreateForm<TPositionForm>());
        QCOMPARE(form->Loaded, shift ? 0 : 1);
        QCOMPARE(form->size(), shift ? QSize(300, 200) : QSize(420, 260));
        form->resize(500, 300);
        form.reset();
        if (shift) {
            QCOMPARE(RootFileText(true), before);
        } else {
            QCOMPARE(settings->ReadInteger("Forms\\Test", "Width", 0, true), 500);
            QCOMPARE(settings->ReadInteger("Forms\\Test", "Height", 0, true), 300);
        }
    }

    void windowDeletedOnCloseSavesItsSettings() {
        TMlSettings* settings = BuildSettings();
        settings->SetSavePosition(true);
        QPointer<TPositionForm> form = CreateForm<TPositionForm>();
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        form->resize(510, 310);
        form->close();
        QTRY_VERIFY(!form);
        QCOMPARE(settings->ReadInteger("Forms\\Test", "Width", 0, true), 510);
        QCOMPARE(settings->ReadInteger("Forms\\Test", "Height", 0, true), 310);
    }

    void closingPostsTheEditedRow_data() {
        QTest::addColumn<bool>("freeForm");
        QTest::newRow("freed") << true;
        QTest::newRow("deleted") << false;
    }
    void closingPostsTheEditedRow() {
        QFETCH(bool, freeForm);
        TTestDatabase db;
        db.FillPatients();
        auto* form = CreateForm<TTableForm>(db.Name());
        // Tag 0 opens with the window; other tags are the window's to open.
        QVERIFY(form->Patients->Active());
        QVERIFY(!form->Others->Active());
        form->Others->Open();
        form->Patients->Edit();
        form->Patients->FieldByName("First name")->SetAsString("Annelise");
        form->Others->Last();
        form->Others->Edit();
        form->Others->FieldByName("Last name")->SetAsString("Eklund");
        QPointer<TTable> patients = form->Patients;
        bool closedAfterPost = false;
        form->Patients->AfterClose = [&](TDataSet*) { closedAfterPost = StoredName(db, 1) == "Annelise Berg"; };
        if (freeForm)
            FreeForm(form);
        else
            delete form;
        QVERIFY(!patients);
        QVERIFY(closedAfterPost);
        QCOMPARE(StoredName(db, 1), QString("Annelise Berg"));
        QCOMPARE(StoredName(db, 3), QString("Cora Eklund"));
    }

    void masterCountryData() {
        {
            TFormPtr<TPositionForm> form(CreateForm<TPositionForm>());
            QVERIFY(!form->MasterCountryData());
        }
        TBuildDataModule plain;
        TTestCountry first("A"), second("B");
        TFormPtr<TPositionForm> form(CreateForm<TPositionForm>());
        QCOMPARE(form->MasterCountryData(), &first);
        QCOMPARE(FirstCountryDataModule(), &first);
    }

    void translatorTranslatesButNotPageNames() {
        UseLanguage("da/dk");
        auto* form = new TPositionForm;
        form->setWindowTitle("Warning");
        auto* button = new QPushButton("Close", form);
        button->setToolTip("Warning");
        auto* pages = new QTabWidget(form);
        pages->addTab(new QWidget, "Warning");
        SetPageNotebook(pages);
        auto* tabs = new QTabWidget(form);
        tabs->addTab(new QWidget, "Warning");
        TFormPtr<TPositionForm> owner(form);
        form->AfterConstruction();
        QCOMPARE(form->windowTitle(), QString("Advarsel"));
        QCOMPARE(form->findChild<QLabel*>("WarningLabel")->text(), QString("Advarsel"));
        QCOMPARE(button->text(), QString("Luk"));
        QCOMPARE(button->toolTip(), QString("Advarsel"));
        QCOMPARE(tabs->tabText(0), QString("Advarsel"));
        QCOMPARE(pages->tabText(0), QString("Warning"));
        // A language change reaches the open window.
        FDictionary->SetCurrentLanguage(0);
        QCOMPARE(button->text(), QString("Close"));
        QCOMPARE(pages->tabText(0), QString("Warning"));
    }

    void hintHandlerFollowsActivation() {
        QStringList application;
        ApplicationOnHint() = [&](QObject*) { application << ApplicationHint(); };
        QWidget other;
        other.show();
        {
            TFormPtr<TPositionForm> form(CreateForm<TPositionForm>());
            form->show();
            QApplication::setActiveWindow(form.get());
            QTRY_VERIFY(form->isActiveWindow());
            SetApplicationHint("Patient's birth date");
            QCOMPARE(form->Hints, QStringList{"Patient's birth date"});
            QVERIFY(application.isEmpty());
            QApplication::setActiveWindow(&other);
            QTRY_VERIFY(!form->isActiveWindow());
            SetApplicationHint("Doctor");
            QCOMPARE(application, QStringList{"Doctor"});
            // Destroyed while active: the application gets its handler back.
            QApplication::setActiveWindow(form.get());
            QTRY_VERIFY(form->isActiveWindow());
        }
        SetApplicationHint("Date");
        QCOMPARE(application, (QStringList{"Doctor", "Date"}));
        ApplicationOnHint() = nullptr;
    }

    void keyPreviewSeesKeysFirst() {
        class TKeyForm : public TBuildForm {
        public:
            QStringList Keys;
            QLineEdit* Edit = new QLineEdit(this);

        protected:
            bool PreviewKey(QKeyEvent* event) override {
                Keys << QKeySequence(event->key()).toString();
                return event->key() == Qt::Key_F2; // F2 is the window's own
            }
        };
        TFormPtr<TKeyForm> form(CreateForm<TKeyForm>());
        form->show();
        QApplication::setActiveWindow(form.get());
        form->Edit->setFocus();
        QTRY_VERIFY(form->Edit->hasFocus());
        QTest::keyClicks(form->Edit, "ab");
        QTest::keyClick(form->Edit, Qt::Key_F2);
        QCOMPARE(form->Keys, (QStringList{"A", "B", "F2"}));
        QCOMPARE(form->Edit->text(), QString("ab"));
        form->KeyPreview = false;
        QTest::keyClicks(form->Edit, "c");
        QCOMPARE(form->Keys.size(), 3);
        QCOMPARE(form->Edit->text(), QString("abc"));
    }

    void escapeAnswersCancel() {
        TFormPtr<TPositionForm> form(CreateForm<TPositionForm>());
        TModalAnswer escape(TModalAnswer::Key(Qt::Key_Escape));
        QCOMPARE(form->ShowModal(), 2);
    }

    // An answer that does not close the window fails the test and closes it,
    // instead of leaving it open until the suite's timeout.
    void answerThatLeavesTheWindowOpenFailsFast() {
        TFormPtr<TPositionForm> form(CreateForm<TPositionForm>());
        TModalAnswer nothing([](QWidget*) {});
        QEXPECT_FAIL("", "the answer leaves the window open", Continue);
        QCOMPARE(form->ShowModal(), 2);
        QVERIFY(nothing.Shown);
    }

    void showModalFormFreesTheWindow() {
        QPointer<QWidget> shown;
        bool constructed = false;
        TModalAnswer answer([&](QWidget* window) {
            shown = window;
            if (auto* form = dynamic_cast<TPositionForm*>(window)) {
                constructed = form->Constructed() && !form->parent();
                form->SetModalResult(7);
            }
        });
        QCOMPARE(ShowModalForm<TPositionForm>(), 7);
        QVERIFY(constructed); // a window of the class, without an owner
        QVERIFY(!shown);      // and freed
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void dataModuleCopiesTableAndRow() {
        TBuildDataModule module;
        TClientDataSet source, target;
        source.CreateDataSet({{"Name", TFieldType::ftString, 20}});
        for (const char* name : {"Anna", "Bo", "Cora"}) {
            source.Append();
            source.FieldByName("Name")->SetAsString(name);
            source.Post();
        }
        source.First();
        source.Next();
        module.CopyTable(&target, &source);
        QCOMPARE(target.RecordCount(), 3);
        QCOMPARE(target.FieldByName("Name")->AsString(), QString("Bo"));
        QCOMPARE(DataModules().last(), &module);
    }

    // ------------------------------------------------------------ splash windows

    void splashDesign_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("title");
        QTest::newRow("prevention") << 0 << "Tavlo";
        QTest::newRow("diabetes") << 1 << "Sendra";
        QTest::newRow("combined") << 3 << "Morlen incl. Sendra";
    }
    void splashDesign() {
        QFETCH(int, edition);
        QFETCH(QString, title);
        TTestDatabase db("ApplicationAlias");
        CreateCountries(db);
        BuildServices().UpdateLevel = [] { return QStringLiteral("32 / 5"); };
        for (const QString& language : {QStringLiteral("en/gb"), QStringLiteral("da/dk")}) {
            UseLanguage(language);
            BuildSettings()->SetDefaultLanguage(language);
            QPointer<TBuildSplashForm> splash = CreateSplashForm(TEdition(edition));
            QCOMPARE(splash->size(), QSize(640, 393));
            QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
            QVERIFY(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QVERIFY(!splash->Picture->pixmap().isNull());
            QCOMPARE(splash->Picture->geometry(), splash->rect());
            QCOMPARE(splash->CloseTimer->interval(), 4000);
            QVERIFY(splash->CloseTimer->isActive());
            QCOMPARE(splash->TitleLabel->text(), title);
            QCOMPARE(splash->VersionLabel->text(), QString("4.0"));
            // Every label on the picture has a shadow with its text.
            for (QLabel* label : splash->findChildren<QLabel*>()) {
                if (label == splash->Picture || label->objectName().endsWith("Shadow"))
                    continue;
                QLabel* shadow = splash->ShadowOf(label);
                QVERIFY2(shadow, qPrintable(label->objectName()));
                QCOMPARE(shadow->text(), label->text());
                QCOMPARE(shadow->pos(), label->pos() + QPoint(2, 2));
            }
            if (auto* ml = qobject_cast<TMlSplashForm*>(splash)) {
                QCOMPARE(ml->UpdateLevelLabel->text(), QString("32 / 5"));
                QCOMPARE(ml->UpdateLevelLabelShadow->text(), QString("32 / 5"));
                QCOMPARE(ml->AcknowledgementsLabel->text(), language == "en/gb"
                                                                ? QString("Cardiovascular risk estimation for general practice")
                                                                : QString("Vurdering af hjerte-kar-risiko i almen praksis"));
                QCOMPARE(ml->UpdateLevelCaptionLabel->text(),
                         language == "en/gb" ? QString("Update level") : QString("Opdateringsniveau"));
            }
            splash->show();
            GrabWindow(splash, QStringLiteral("splash-%1-%2").arg(edition).arg(QString(language).replace('/', '-')));
            delete splash.data();
        }
    }

    void preventionSplashStoresEnglishForAnEmptyLanguage() {
        TTestDatabase db("ApplicationAlias");
        CreateCountries(db);
        BuildSettings()->SetDefaultLanguage("");
        std::unique_ptr<TMlSplashForm> splash(new TMlSplashForm);
        QCOMPARE(BuildSettings()->DefaultLanguage(), QString("en/gb"));
        QCOMPARE(splash->AcknowledgementsLabel->text(), QString("Cardiovascular risk estimation for general practice"));
        QCOMPARE(splash->TitleLabel->text(), QString("Tavlo"));
    }

    void preventionSplashWithoutItsCountry() {
        // A language with a quote, and no Country table: the splash still comes.
        BuildSettings()->SetDefaultLanguage("da/d'k");
        std::unique_ptr<TMlSplashForm> splash(new TMlSplashForm);
        QCOMPARE(splash->TitleLabel->text(), QString());
        QCOMPARE(splash->VersionLabel->text(), QString("4.0"));
    }

    void splashClosesItself() {
        QPointer<TBuildSplashForm> splash = ShowSplashForm(TEdition::Combined);
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        splash->CloseTimer->start(20); // the same timer, sooner
        QTRY_VERIFY(!splash);
    }

    void debuggingFileSuppressesTheSplash() {
        QDir().mkpath(QFileInfo(DebuggingFileName()).path());
        QFile file(DebuggingFileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(DebuggingFileName().startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
        QVERIFY(SplashSuppressed());
        QVERIFY(!ShowSplashForm(TEdition::Prevention));
        QFile::remove(DebuggingFileName());
        QVERIFY(!SplashSuppressed());
    }

    // ------------------------------------------------------------ about windows

    void addContactLine() {
        TFormPtr<TBuildAboutForm> form(CreateForm<TBuildAboutForm>());
        form->AddContactLine("Brovik");
        QCOMPARE(form->ContactText(), QString("Brovik"));
        form->AddContactLine("Copenhagen");
        QCOMPARE(form->ContactText(), QString("Brovik\n\rCopenhagen"));
        // Shown as two lines, not with an empty one between them.
        QCOMPARE(form->ContactLabel->text(), QString("Brovik\nCopenhagen"));
        QCOMPARE(form->VersionLabel->text(), QString("Version 4.0 (Build 32)"));
        QVERIFY(!form->AppImage->pixmap().isNull());
    }

    void preventionAbout() {
        QWidget mainForm;
        mainForm.setWindowTitle("Tavlo - Cardiovascular risk");
        BuildServices().UpdateLevel = [] { return QStringLiteral("32 / 5"); };
        BuildServices().MainForm = [&] { return &mainForm; };
        TTestCountry country("Brovik\rCopenhagen");
        TFormPtr<TBuildAboutForm> form(CreateAboutForm(TEdition::Prevention));
        QCOMPARE(form->VersionLabel->text(), QString("Version 4.0\nUpdate level 32 / 5"));
        QCOMPARE(form->TitleLabel->text(), QString("Tavlo - Cardiovascular risk"));
        QCOMPARE(form->ContactText(), QString("Brovik\rCopenhagen"));
    }

    void aboutWindows_data() {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("title");
        QTest::newRow("prevention") << 0 << "Tavlo - Cardiovascular risk";
        QTest::newRow("diabetes") << 1 << "Sendra";
        QTest::newRow("combined") << 3 << "Morlen incl. Sendra";
    }
    void aboutWindows() {
        QFETCH(int, edition);
        QFETCH(QString, title);
        QWidget mainForm;
        mainForm.setWindowTitle("Tavlo - Cardiovascular risk");
        BuildServices().UpdateLevel = [] { return QStringLiteral("32 / 5"); };
        BuildServices().MainForm = [&] { return &mainForm; };
        TTestCountry country("Brovik");
        for (const QString& language : {QStringLiteral("en/gb"), QStringLiteral("da/dk")}) {
            UseLanguage(language);
            TFormPtr<TBuildAboutForm> form(CreateAboutForm(TEdition(edition)));
            QCOMPARE(form->TitleLabel->text(), title);
            QCOMPARE(form->CloseButton->text(), language == "en/gb" ? QString("Close") : QString("Luk"));
            QVERIFY(!form->AppImage->pixmap().isNull());
            form->show();
            GrabWindow(form.get(), QStringLiteral("about-%1-%2").arg(edition).arg(QString(language).replace('/', '-')));
            // Shown already for the picture, so not the application's modal widget.
            TModalAnswer close(form.get(), [&](QWidget*) { QTest::mouseClick(form->CloseButton, Qt::LeftButton); });
            QCOMPARE(form->ShowModal(), 1);
        }
    }
};

TAVLO_TEST(TestBuildFM);
#include "tst_BuildFM.moc"
