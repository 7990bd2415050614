// The work window: its pages, actions, menus and tool buttons, the page it
// remembers, the patient and examination actions with their questions, and
// closing without a birth date.

#include "TestGrab.h"
#include "TestMain.h"
#include "ModalAnswer.h"
#include "tst_WorkFormFixture.h"

#include "BvDBGrid.h"
#include "SettingsWarningFM.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include "BvDictionary.h"
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace {
// Answers the switchable warning with its first (Yes) or second (No) button
// and keeps its text.
TModalAnswer::TAct AnswerWarning(bool yes, QString& text) {
    return [yes, &text](QWidget* window) {
        auto* warning = qobject_cast<TSettingsWarningForm*>(window);
        QVERIFY(warning);
        text = warning->WarningLabel->text();
        QTest::mouseClick(yes ? warning->Button1 : warning->Button2, Qt::LeftButton);
    };
}
} // namespace

class TestWorkForm : public QObject {
    Q_OBJECT
    TWorkFixture F;

    // Three patients; Berg has two examinations, Ek is a test patient.
    void ThreePatients(TPatientRows rows) {
        rows.Patient(1, EncodeDate(1950, 3, 1), "0001", "Anna", "Berg");
        rows.Patient(2, EncodeDate(1960, 4, 2), "0001", "Bo", "Dahl");
        rows.Patient(3, EncodeDate(1970, 5, 3), "0001", "Cora", "Ek", true);
        rows.Journal(10, 1, EncodeDate(2020, 1, 10));
        rows.Journal(11, 1, EncodeDate(2021, 2, 2));
    }

private slots:
    void initTestCase() { F.Start("WorkFormSeed"); }
    void init() { ThreePatients(F.Reset()); }
    void cleanup() { F.Close(); }
    void cleanupTestCase() { F.Stop(); }

    void structureAndActions() {
        TTvWorkForm* form = F.Open();
        for (const char* name : {"MainPageControl", "ArchiveSheet", "JournalSheet", "GridPageControl", "PatientSheet",
                                 "QuerySheet", "PatientGrid", "QueryGrid", "SearchButton", "AdvancedButton",
                                 "NewSearchButton", "ToolBar1", "NewButton", "DeleteButton", "PrintButton",
                                 "ImportButton", "ExportButton", "ToolUpdateButton", "MainMenu", "StatusBar",
                                 "PatientPanel", "BaseGrid", "JournalPanel", "ExamGrid", "MainNotebook"})
            QVERIFY2(form->findChild<QObject*>(name), name);
        QVERIFY(form->SearchButton->isDefault());
        QVERIFY(!form->AdvancedButton->isVisibleTo(form) && !form->AdvancedButton->isEnabled());
        QCOMPARE(form->windowTitle(), ApplicationTitle());

        struct Row { QAction* action; const char* caption; const char* shortcut; const char* tip; };
        const QList<Row> rows{
            {form->NewPatientAction, "New patient", "Ctrl+Shift+P", "Create a new patient"},
            {form->NewExaminationAction, "New examination", "Ctrl+Shift+E", "Create a new examination"},
            {form->DeletePatientAction, "Delete patient", "Ctrl+Alt+P", "Delete current patient"},
            {form->DeleteExaminationAction, "Delete examination", "Ctrl+Alt+E", "Delete current examination"},
            {form->PrintAction, "Print...", "Ctrl+P", "Print current examination"}};
        for (const Row& row : rows) {
            QCOMPARE(row.action->text(), QString(row.caption));
            QCOMPARE(row.action->shortcut(), QKeySequence(row.shortcut));
            QVERIFY2(row.action->statusTip().startsWith(row.tip), row.caption);
        }
        QCOMPARE(form->NewPatientAction->toolTip(), QString("New patient"));
        // Exchange, printing and the update are there, disabled, and say why.
        for (QAction* action : {form->PatientImportAction, form->PatientExportAction, form->PrintAction,
                                form->CompleteExportAction, form->UpdateMedicalSystemAction}) {
            QVERIFY(!action->isEnabled());
            QVERIFY2(action->statusTip().contains("later version"), qPrintable(action->objectName()));
        }
        QVERIFY(form->UpdateMedicalSystemAction->isVisible());
        QVERIFY(!form->FilesPrinterSettingsMenu->isVisible());
        QCOMPARE(form->HelpAboutMenu->text(), "About " + ApplicationTitle() + "...");
        QCOMPARE(form->NewPopupMenu->actions(), QList<QAction*>({form->NewPatientAction, form->NewExaminationAction}));
        QCOMPARE(form->DeletePopupMenu->actions(),
                 QList<QAction*>({form->DeletePatientAction, form->DeleteExaminationAction}));
        // The design sizes follow the screen.
        QCOMPARE(TTvWorkForm::ScaledBy(492, 144), 738);
        QCOMPARE(form->minimumSize(), QSize(form->Scaled(620), form->Scaled(492)));
        // The list: three columns, the names growing with the grid, sortable.
        QCOMPARE(form->PatientGrid->ColumnCount(), 3);
        QVERIFY(form->PatientGrid->Column(0)->SizeWithGrid && !form->PatientGrid->Column(2)->SizeWithGrid);
        QCOMPARE(F.Patient()->RecordCount(), 3);
    }

    void statusBarShowsLongHint() {
        TTvWorkForm* form = F.Open();
        SetApplicationHint("Short|The long part");
        form->DisplayHint(form);
        QCOMPARE(form->StatusBar->currentMessage(), QString("The long part"));
        // A menu item tells its long hint by an event to the window.
        QStatusTipEvent tip(form->NewPatientAction->statusTip());
        QApplication::sendEvent(form, &tip);
        QCOMPARE(form->StatusBar->currentMessage(), QString("Create a new patient"));
    }

    void debugPage_data() {
        QTest::addColumn<bool>("canDebug");
        QTest::newRow("off") << false;
        QTest::newRow("on") << true;
    }
    void debugPage() {
        QFETCH(bool, canDebug);
        Settings()->SetCanDebug(canDebug);
        Settings()->SetCanExchange(true);
        TTvWorkForm* form = F.Open();
        QCOMPARE(form->MainPageControl->indexOf(form->DebugSheet) >= 0, canDebug);
        if (!canDebug)
            return;
        QVERIFY(form->CanExchangeCheck->isChecked());
        QVERIFY(!form->IgnoreTestPatientCheck->isChecked());
        QTest::mouseClick(form->CanExchangeCheck, Qt::LeftButton);
        QVERIFY(!Settings()->CanExchange());
        // Ignoring test patients makes the test patient deletable at once.
        form->SelectPageCode(0);
        QVERIFY(F.Patient()->Locate("Patient id", 3));
        QVERIFY(!form->DeletePatientAction->isEnabled());
        QTest::mouseClick(form->IgnoreTestPatientCheck, Qt::LeftButton);
        QVERIFY(Settings()->IgnoreTestPatient());
        QVERIFY(form->DeletePatientAction->isEnabled());
        form->DebugSheet->show();
        QCOMPARE(form->DebugGrid->DataSet(), static_cast<TDataSet*>(F.Material->JournalData->Journal));
    }

    // The tool buttons and menus follow the page.
    void actionsPerPage_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("newAction");
        QTest::addColumn<QString>("deleteAction");
        QTest::addColumn<bool>("menus");
        QTest::newRow("patient list") << 0 << "NewPatientAction" << "DeletePatientAction" << true;
        QTest::newRow("search page") << 1 << "" << "" << false;
        QTest::newRow("journal") << 2 << "NewExaminationAction" << "DeleteExaminationAction" << true;
    }
    void actionsPerPage() {
        QFETCH(int, page);
        QFETCH(QString, newAction);
        QFETCH(QString, deleteAction);
        QFETCH(bool, menus);
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(page == 0 ? 2 : 0); // a change of page to come
        form->SelectPageCode(page);
        QCOMPARE(form->ActivePageCode(), page);
        auto actionName = [](QToolButton* b) { return b->defaultAction() ? b->defaultAction()->objectName() : QString(); };
        QCOMPARE(actionName(form->NewButton), newAction);
        QCOMPARE(actionName(form->DeleteButton), deleteAction);
        QCOMPARE(form->NewButton->isEnabled(), !newAction.isEmpty());
        QCOMPARE(form->DeleteButton->isEnabled(), !deleteAction.isEmpty());
        QCOMPARE(form->FilesNewMenu->isEnabled(), menus);
        QCOMPARE(form->FilesDeleteMenu->isEnabled(), menus);
        // A shortcut on the search page does nothing either.
        QCOMPARE(form->NewPatientAction->isEnabled(), menus);
    }

    // The page and the position are stored on closing and restored on start.
    void storedPage_data() {
        QTest::addColumn<int>("page");
        QTest::newRow("patient list") << 0;
        QTest::newRow("search page") << 1;
        QTest::newRow("journal") << 2;
    }
    void storedPage() {
        QFETCH(int, page);
        Settings()->SetSavePosition(true);
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(page);
        form->move(40, 30);
        form->resize(900, 640);
        QVERIFY(form->close());
        F.Close();
        QCOMPARE(Settings()->LastActivePage(), page);
        form = F.Open();
        QCOMPARE(form->ActivePageCode(), page);
        QCOMPARE(form->size(), QSize(900, 640));
    }

    // The patient's test state decides whether it can be deleted.
    void testPatientDelete() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(0);
        QVERIFY(F.Patient()->Locate("Patient id", 3));
        QVERIFY(!form->DeletePatientAction->isEnabled());
        form->DeletePatient(); // the shortcut's way in: nothing happens
        QCOMPARE(F.StoredCount(), 3);
        Settings()->SetIgnoreTestPatient(true);
        QVERIFY(F.Patient()->Locate("Patient id", 2));
        QVERIFY(F.Patient()->Locate("Patient id", 3));
        QVERIFY(form->DeletePatientAction->isEnabled());
    }

    void deletePatient_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("left");
        QTest::newRow("yes") << true << 2;
        QTest::newRow("no") << false << 3;
    }
    void deletePatient() {
        QFETCH(bool, yes);
        QFETCH(int, left);
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(0);
        QVERIFY(F.Patient()->Locate("Patient id", 1));
        QString text;
        TModalAnswer answer(AnswerWarning(yes, text));
        form->DeletePatientAction->trigger();
        QVERIFY(answer.Shown);
        QCOMPARE(text, QString("Delete patient Anna Berg including all examinations?"));
        QCOMPARE(F.StoredCount(), left);
        QCOMPARE(TPatientRows{F.Mediator->PatientDatabase}.Count("SELECT COUNT(*) FROM Journal"), left == 2 ? 0 : 2);
    }

    void deleteExamination() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(2);
        QVERIFY(F.Patient()->Locate("Patient id", 1));
        F.Material->JournalData->Journal->Last();
        {
            QString text;
            TModalAnswer answer(AnswerWarning(true, text));
            form->DeleteExaminationAction->trigger();
            QVERIFY(answer.Shown);
            QCOMPARE(text, QString("Delete examination of 02-02-21?"));
        }
        QCOMPARE(TPatientRows{F.Mediator->PatientDatabase}.Count("SELECT COUNT(*) FROM Journal"), 1);
        // A patient without examinations: nothing is asked.
        QVERIFY(F.Patient()->Locate("Patient id", 2));
        TModalAnswer none;
        form->DeleteExamination();
        QTest::qWait(50);
        QVERIFY(!none.Shown);
    }

    void newExaminationNeedsPatient() {
        TTvWorkForm* form = F.Open();
        form->SelectPageCode(0);
        form->NewPatientAction->trigger();
        QCOMPARE(form->ActivePageCode(), 2);
        QCOMPARE(F.Patient()->State(), TDataSetState::dsInsert);
        QVERIFY(form->BirthDateEdit->hasFocus());
        TModalAnswer answer;
        form->NewExamination();
        QVERIFY(answer.Shown);
        QCOMPARE(answer.Text, QString("Please fill out patient information before creating new examination!"));
        QCOMPARE(answer.Icon, QMessageBox::Warning);
        QCOMPARE(F.Material->JournalData->Journal->State(), TDataSetState::dsBrowse);
    }

    void newExamination() {
        TTvWorkForm* form = F.Open();
        QVERIFY(F.Patient()->Locate("Patient id", 2));
        form->NewExaminationAction->trigger();
        QCOMPARE(form->ActivePageCode(), 2);
        QCOMPARE(TPatientRows{F.Mediator->PatientDatabase}.Count("SELECT COUNT(*) FROM Journal WHERE \"Patient id\" = 2"), 1);
        QVERIFY(F.Errors.isEmpty());
    }

    // A patient without a birth date keeps the window open, posted or not.
    void closingWithoutBirthDate() {
        TTvWorkForm* form = F.Open();
        form->NewPatientAction->trigger();
        QTest::keyClicks(form->LastNameEdit, "Holm");
        {
            TModalAnswer answer;
            QVERIFY(!form->close());
            QVERIFY(answer.Shown);
            QCOMPARE(answer.Text, QString("Date of birth missing."));
        }
        QVERIFY(form->isVisible());
        F.Patient()->Cancel();
        QVERIFY(form->close());
    }

    void grab_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << "en/gb";
        QTest::newRow("da") << "da/dk";
    }
    void grab() {
        QFETCH(QString, language);
        TTvWorkForm* form = F.Open(language);
        form->resize(1000, 680);
        form->SelectPageCode(0);
        Settle();
        GrabWindow(form, "work-window-" + language.left(2));
        form->SelectPageCode(1);
        Settle();
        GrabWindow(form, "work-window-query-" + language.left(2));
        form->SelectPageCode(2);
        Settle();
        GrabWindow(form, "work-window-journal-" + language.left(2));
        if (language == "da/dk") {
            QCOMPARE(form->NewPatientAction->text(), TranslateText("New patient"));
            QVERIFY(form->HelpAboutMenu->text().startsWith(TranslateText("About %s...").left(3)));
        }
    }
};

TAVLO_TEST(TestWorkForm);

#include "tst_WorkForm.moc"
