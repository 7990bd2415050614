#include "BvUtils.h"
#include "Exceptions.h"
#include "ModalAnswer.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QDir>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// Patients with their examinations: the journal is a detail of the patient
// table, ordered by patient, filtered to one doctor.
struct TJournalFixture {
    TTestDatabase Db;
    TTable Patient, Journal;
    TDataSource PatientSource;
    TJournalFixture() {
        Db.FillPatients();
        Patient.SetDatabaseName(Db.Name());
        Patient.SetTableName("Patient");
        Patient.SetIndexFieldNames("Patient id");
        Patient.Open();
        PatientSource.SetDataSet(&Patient);
        Journal.SetDatabaseName(Db.Name());
        Journal.SetTableName("Journal");
        Journal.SetIndexFieldNames("Patient id;Date");
        Journal.SetMasterSource(&PatientSource);
        Journal.SetMasterFields("Patient id");
        Journal.Open();
    }
    // Every stored journal row, as "patient:journal".
    QStringList Stored() {
        TTable all;
        all.SetDatabaseName(Db.Name());
        all.SetTableName("Journal");
        all.SetIndexFieldNames("Journal id");
        all.Open();
        QStringList rows;
        for (all.First(); !all.Eof(); all.Next())
            rows << all.FieldByName("Patient id")->AsString() + ':' + all.FieldByName("Journal id")->AsString();
        return rows;
    }
};

// A small in-memory table: an auto-increment key, two texts, a number.
std::unique_ptr<TClientDataSet> Drugs() {
    auto ds = std::make_unique<TClientDataSet>();
    ds->CreateDataSet({{"Id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 20},
                       {"Dose", TFieldType::ftFloat}, {"Unit", TFieldType::ftString, 10}});
    ds->Append();
    ds->FieldByName("Name")->SetAsString("Aspirin");
    ds->FieldByName("Dose")->SetAsFloat(75);
    ds->FieldByName("Unit")->SetAsString("mg");
    ds->Post();
    return ds;
}
} // namespace

class TestBvUtils : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        while (HourGlassCount() > 0)
            HourGlass(false);
        while (HourGlassCount() < 0)
            HourGlass(true);
        while (BusyMessageCount() > 0)
            BusyMessage(false);
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }

    // ------------------------------------------------------------ text

    void extractToken_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("middle of three") << "Name;Dose;Unit" << 2 << "Dose";
        QTest::newRow("first") << "Name;Dose;Unit" << 1 << "Name";
        QTest::newRow("last") << "Name;Dose;Unit" << 3 << "Unit";
        QTest::newRow("fourth of three") << "Name;Dose;Unit" << 4 << "";
        QTest::newRow("empty piece") << "a;;c" << 2 << "";
        QTest::newRow("after empty piece") << "a;;c" << 3 << "c";
        QTest::newRow("no separator") << "alone" << 1 << "alone";
        QTest::newRow("zero") << "a;b" << 0 << "";
    }
    void extractToken() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(ExtractToken(text, n, ';'), expected);
    }

    void hasToken_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("expected");
        QTest::newRow("second") << "Name;Dose" << "Dose" << true;
        QTest::newRow("first") << "Name;Dose" << "Name" << true;
        QTest::newRow("alone") << "Dose" << "Dose" << true;
        QTest::newRow("absent") << "Name;Dose" << "Unit" << false;
        QTest::newRow("other case") << "Name;Dose" << "dose" << false;
        QTest::newRow("prefix of a token") << "Names;Dose" << "Name" << false;
        QTest::newRow("plain substring") << "Names;Doses" << "Dose" << true;
    }
    void hasToken() {
        QFETCH(QString, list);
        QFETCH(QString, token);
        QFETCH(bool, expected);
        QCOMPARE(HasToken(list, token, ';'), expected);
    }

    void padLeftAndCount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one digit to three") << "7" << 3 << "007";
        QTest::newRow("exact") << "123" << 3 << "123";
        QTest::newRow("longer stays") << "12345" << 3 << "12345";
        QTest::newRow("empty") << "" << 2 << "00";
    }
    void padLeftAndCount() {
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, expected);
        QCOMPARE(PadLeft(text, length, '0'), expected);
        QCOMPARE(CountChar(expected, '0'), int(expected.count('0')));
        QCOMPARE(CountChar("a;b;;c", ';'), 3);
    }

    void formatTextFillsOnce() {
        QCOMPARE(FormatText("Version %s\rUpdate level %s", {"4.0", "32 / 5"}), QString("Version 4.0\rUpdate level 32 / 5"));
        QCOMPARE(FormatText("%s and %s", {"%s", "b"}), QString("%s and b"));
        QCOMPARE(FormatText("100%% of %s", {"x"}), QString("100% of x"));
    }

    void forceDirectory_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("created");
        QTest::addColumn<QString>("notCreated");
        QTest::newRow("backslashes") << "a\\b\\c" << "a/b/c" << "";
        QTest::newRow("final separator") << "a/b/" << "a/b" << "";
        QTest::newRow("empty piece ends") << "a\\\\b" << "a" << "a/b";
        QTest::newRow("existing part") << "." << "." << "";
    }
    void forceDirectory() {
        QFETCH(QString, relative);
        QFETCH(QString, created);
        QFETCH(QString, notCreated);
        QTemporaryDir dir;
        ForceDirectory(dir.path() + '/' + relative);
        QVERIFY(QDir(dir.path() + '/' + created).exists());
        if (!notCreated.isEmpty())
            QVERIFY(!QDir(dir.path() + '/' + notCreated).exists());
    }

    void forceDirectoryReportsFailure() {
        QTemporaryDir dir;
        QFile file(dir.path() + "/plain");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // A file stands where a directory must go.
        QVERIFY_THROWS_EXCEPTION(Exception, ForceDirectory(dir.path() + "/plain/sub"));
    }

    // ------------------------------------------------------------ busy indicators

    void hourGlassNests() {
        QVERIFY(!QGuiApplication::overrideCursor());
        HourGlass(true);
        HourGlass(true);
        HourGlass(false);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QCOMPARE(HourGlassCount(), 1);
        HourGlass(false);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void hourGlassRestoresTheRememberedCursor() {
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
        HourGlass(true);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        HourGlass(false);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QGuiApplication::restoreOverrideCursor();
    }

    void unmatchedOffLeavesTheCursor() {
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
        HourGlass(false);
        QCOMPARE(HourGlassCount(), -1);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        // The count is off by one now: the next "on" only balances it.
        HourGlass(true);
        QCOMPARE(HourGlassCount(), 0);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QGuiApplication::restoreOverrideCursor();
    }

    void busyMessageShowsOneWindow() {
        BusyMessage(true, "Reading patients");
        QWidget* window = BusyMessageWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        auto* panel = window->findChild<QLabel*>("BusyPanel");
        QVERIFY(panel);
        QCOMPARE(panel->text(), QString("Reading patients"));
        const QRect text = panel->fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, "Reading patients");
        QCOMPARE(window->size(), QSize(text.width() + 100, text.height() + 50));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        BusyMessage(true, "Another text");
        QCOMPARE(BusyMessageWindow(), window);
        BusyMessage(false);
        QVERIFY(BusyMessageWindow());
        BusyMessage(false);
        QVERIFY(!BusyMessageWindow());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void busyMessageWithoutText() {
        BusyMessage(true);
        QVERIFY(!BusyMessageWindow());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        BusyMessage(false);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // ------------------------------------------------------------ message boxes

    void askYesNo_data() {
        QTest::addColumn<bool>("yesIsDefault");
        QTest::addColumn<int>("action"); // 0 Enter, 1 Escape, 2 click Yes, 3 click No
        QTest::addColumn<bool>("expected");
        QTest::addColumn<QString>("focused");
        QTest::newRow("enter, yes default") << true << 0 << true << "&Yes";
        QTest::newRow("enter, no default") << false << 0 << false << "&No";
        QTest::newRow("escape") << true << 1 << false << "&Yes";
        QTest::newRow("click yes, no default") << false << 2 << true << "&No";
        QTest::newRow("click no") << true << 3 << false << "&Yes";
    }
    void askYesNo() {
        QFETCH(bool, yesIsDefault);
        QFETCH(int, action);
        QFETCH(bool, expected);
        QFETCH(QString, focused);
        const std::function<void(QWidget*)> acts[] = {TModalAnswer::Key(Qt::Key_Return), TModalAnswer::Key(Qt::Key_Escape),
                                                      TModalAnswer::Click("&Yes"), TModalAnswer::Click("&No")};
        TModalAnswer user(acts[action], action == 0 && yesIsDefault ? "askyesno-en" : "");
        QCOMPARE(AskYesNo("Override \"export.vtq\"?", yesIsDefault), expected);
        QVERIFY(user.Shown);
        QCOMPARE(user.Caption, QString("Confirm"));
        QCOMPARE(user.Text, QString("Override \"export.vtq\"?"));
        QCOMPARE(user.Icon, QMessageBox::Question);
        QCOMPARE(user.Buttons.size(), 2);
        QVERIFY(user.Buttons.contains("&Yes") && user.Buttons.contains("&No"));
        QCOMPARE(user.Focused, focused);
    }

    void messageDlgAnswers() {
        {
            TModalAnswer yes(TModalAnswer::Click("&Yes"));
            QCOMPARE(MessageDlg("Go on?", TMsgDlgType::mtConfirmation, mbYes | mbNo, mbYes), 6);
        }
        TModalAnswer no(TModalAnswer::Click("&No"));
        QCOMPARE(MessageDlg("Go on?", TMsgDlgType::mtConfirmation, mbYes | mbNo, mbYes), 7);
    }

    void infoAndError_data() {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::newRow("info") << false << "Information" << int(QMessageBox::Information);
        QTest::newRow("error") << true << "Error" << int(QMessageBox::Critical);
    }
    void infoAndError() {
        QFETCH(bool, error);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        TModalAnswer user;
        error ? ShowError("Cannot open file x.vtq") : ShowInfo("3 subjects read");
        QVERIFY(user.Shown);
        QCOMPARE(user.Caption, caption);
        QCOMPARE(int(user.Icon), icon);
        QCOMPARE(user.Buttons, QStringList{"OK"});
    }

    // ------------------------------------------------------------ datasets

    void deleteAllRecords_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("left");
        // Patient 1 is current; its journal shows Lind's rows 10 and 12.
        QTest::newRow("0: as shown") << 0 << QStringList{"1:11", "2:20"};
        QTest::newRow("1: without filter") << 1 << QStringList{"2:20"};
        QTest::newRow("2: without link") << 2 << QStringList{"1:11", "2:20"};
        QTest::newRow("3: by field") << 3 << QStringList{"2:20"};
    }
    void deleteAllRecords() {
        QFETCH(int, mode);
        QFETCH(QStringList, left);
        TJournalFixture f;
        f.Journal.SetFilter("Doctor = 'Lind'");
        f.Journal.SetFiltered(true);
        f.Patient.First();
        QCOMPARE(Column(&f.Journal, "Journal id"), (QStringList{"10", "12"})); // Lind's, by date
        DeleteAllRecords(&f.Journal, mode, "Patient id", 1);
        QCOMPARE(f.Stored(), left);
        // Filter and link as they were.
        QCOMPARE(f.Journal.Filter(), QString("Doctor = 'Lind'"));
        QVERIFY(f.Journal.Filtered());
        QCOMPARE(f.Journal.MasterSource(), &f.PatientSource);
        QCOMPARE(f.Journal.MasterFields(), QString("Patient id"));
        f.Patient.Next();
        QCOMPARE(Column(&f.Journal, "Journal id"), QStringList{});
    }

    void deleteAllRecordsUnfilteredDetail() {
        TJournalFixture f;
        f.Patient.First();
        DeleteAllRecords(&f.Journal, 3, "Patient id", 2);
        QCOMPARE(f.Stored(), (QStringList{"1:10", "1:11", "1:12"}));
        QVERIFY(!f.Journal.Filtered());
        QCOMPARE(f.Journal.Filter(), QString());
        QCOMPARE(Column(&f.Journal, "Journal id"), (QStringList{"11", "10", "12"}));
    }

    void deleteAllRecordsRestoresAfterFailure() {
        TJournalFixture f;
        f.Journal.SetFilter("Doctor = 'Lind'");
        f.Journal.SetFiltered(true);
        f.Patient.First();
        int deleted = 0;
        f.Journal.BeforeDelete = [&](TDataSet*) {
            if (++deleted == 2)
                throw Exception("Refused");
        };
        QVERIFY_THROWS_EXCEPTION(Exception, DeleteAllRecords(&f.Journal, 3, "Patient id", 1));
        QCOMPARE(f.Journal.Filter(), QString("Doctor = 'Lind'"));
        QVERIFY(f.Journal.Filtered());
        QCOMPARE(f.Journal.MasterSource(), &f.PatientSource);
        QVERIFY(!f.Journal.ControlsDisabled());
        QCOMPARE(f.Stored().size(), 3);
    }

    void recordValues_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QVariantList>("values");
        // The in-memory table leaves the auto-increment key to the store.
        QTest::newRow("all") << "" << QVariantList{QVariant(), "Aspirin", 75.0, "mg"};
        QTest::newRow("names in list order") << "Unit;Name" << QVariantList{"mg", "Aspirin"};
        QTest::newRow("all but") << "-Id;Dose" << QVariantList{"Aspirin", "mg"};
    }
    void recordValues() {
        QFETCH(QString, list);
        QFETCH(QVariantList, values);
        auto source = Drugs();
        const QVariantList got = GetRecordValues(source.get(), list);
        QCOMPARE(got.size(), values.size());
        for (int i = 0; i < got.size(); ++i)
            if (values[i].isValid())
                QCOMPARE(got[i].toString(), values[i].toString());

        auto target = Drugs();
        target->Append();
        SetRecordValues(target.get(), list, got);
        target->Post();
        const QVariantList back = GetRecordValues(target.get(), list);
        for (int i = 0; i < back.size(); ++i) {
            // The auto-increment key is the store's, never the copied one.
            if (values[i].isValid())
                QCOMPARE(back[i].toString(), values[i].toString());
        }
    }

    void recordValuesKeepNull() {
        auto ds = Drugs();
        ds->Edit();
        ds->FieldByName("Dose")->Clear();
        QVERIFY(GetRecordValues(ds.get(), "Dose").at(0).isNull());
        ds->Cancel();
    }

    void setRecordValuesRefusesTooManyValues() {
        auto ds = Drugs();
        ds->Edit();
        QVERIFY_THROWS_EXCEPTION(Exception, SetRecordValues(ds.get(), "Name", {"A", "B"}));
        QVERIFY_THROWS_EXCEPTION(Exception, SetRecordValues(ds.get(), "", {1, "A"}));
        QCOMPARE(ds->FieldByName("Name")->AsString(), QString("Aspirin"));
        ds->Cancel();
    }

    void setRecordValuesCalculatesOnceAtTheEnd() {
        auto ds = std::make_unique<TClientDataSet>();
        new TStringField(ds.get(), "Name", 20);
        new TStringField(ds.get(), "Unit", 10);
        new TStringField(ds.get(), "Label", 40, TFieldKind::fkCalculated);
        ds->CreateDataSet({{"Name", TFieldType::ftString, 20}, {"Unit", TFieldType::ftString, 10}});
        int calculations = 0;
        ds->OnCalcFields = [&](TDataSet* d) {
            ++calculations;
            d->FieldByName("Label")->SetAsString(d->FieldByName("Name")->AsString() + " " + d->FieldByName("Unit")->AsString());
        };
        ds->Append();
        calculations = 0;
        SetRecordValues(ds.get(), "Name;Unit", {"Aspirin", "mg"});
        QCOMPARE(calculations, 0);
        QVERIFY(ds->OnCalcFields);
        ds->Post();
        QCOMPARE(ds->FieldByName("Label")->AsString(), QString("Aspirin mg"));
    }

    void setRecordValuesSuspendsAutoCalcFields_data() {
        QTest::addColumn<bool>("autoCalc");
        QTest::newRow("on before") << true;
        QTest::newRow("off before") << false;
    }
    void setRecordValuesSuspendsAutoCalcFields() {
        QFETCH(bool, autoCalc);
        auto ds = std::make_unique<TClientDataSet>();
        auto* name = new TStringField(ds.get(), "Name", 20);
        new TStringField(ds.get(), "Unit", 10);
        new TStringField(ds.get(), "Label", 40, TFieldKind::fkCalculated);
        ds->CreateDataSet({{"Name", TFieldType::ftString, 20}, {"Unit", TFieldType::ftString, 10}});
        ds->OnCalcFields = [](TDataSet* d) {
            d->FieldByName("Label")->SetAsString(d->FieldByName("Name")->AsString() + " " + d->FieldByName("Unit")->AsString());
        };
        ds->Append();
        ds->FieldByName("Name")->SetAsString("Aspirin");
        ds->FieldByName("Unit")->SetAsString("mg");
        ds->Post();
        ds->SetAutoCalcFields(autoCalc);
        bool calcDuring = true;
        name->OnChange = [&](TField*) { calcDuring = ds->AutoCalcFields(); };
        ds->Edit();
        SetRecordValues(ds.get(), "Name", {"Paracetamol"});
        QVERIFY(!calcDuring);
        QCOMPARE(ds->AutoCalcFields(), autoCalc);
        // The calculated field keeps its value until the row is computed again.
        QCOMPARE(ds->FieldByName("Label")->AsString(), QString("Aspirin mg"));
        ds->Post();
        QCOMPARE(ds->FieldByName("Label")->AsString(), QString("Paracetamol mg"));
    }

    void withIndex() {
        TJournalFixture f;
        f.Patient.First();
        f.Journal.Last(); // 12
        QStringList seen;
        WithIndex(&f.Journal, "ByPatient", [&] {
            QVERIFY(!f.Journal.MasterSource());
            seen = Column(&f.Journal, "Journal id");
        });
        QCOMPARE(seen, (QStringList{"11", "10", "12", "20"}));
        QCOMPARE(f.Journal.MasterSource(), &f.PatientSource);
        QCOMPARE(f.Journal.IndexFieldNames(), QString("Patient id;Date"));
        QCOMPARE(f.Journal.FieldByName("Journal id")->AsInteger(), 12);
        QVERIFY_THROWS_EXCEPTION(Exception, WithIndex(&f.Journal, "ByPatient", [] { throw Exception("Stop"); }));
        QCOMPARE(f.Journal.MasterSource(), &f.PatientSource);
        QCOMPARE(f.Journal.IndexFieldNames(), QString("Patient id;Date"));
        QCOMPARE(f.Journal.FieldByName("Journal id")->AsInteger(), 12);
        QVERIFY(!f.Journal.ControlsDisabled());
    }

    void dataSetsByTag() {
        TTestDatabase db;
        db.FillPatients();
        QWidget window;
        auto* panel = new QWidget(&window);
        auto* a = new TTable(&window);
        auto* b = new TTable(panel); // on a panel: still the window's
        auto* other = new TTable(new QWidget(&window, Qt::Window)); // another window's
        for (TTable* t : {a, b, other}) {
            t->SetDatabaseName(db.Name());
            t->SetTableName("Patient");
        }
        b->SetTag(1);
        const QList<TDataSet*> owned = OwnedDataSets(&window);
        QCOMPARE(owned.size(), 2);
        QVERIFY(owned.contains(a) && owned.contains(b));
        OpenDataSets(&window, 1);
        QVERIFY(!a->Active() && b->Active() && !other->Active());
        OpenDataSets(&window, 0);
        QVERIFY(a->Active());
        a->Edit();
        a->FieldByName("First name")->SetAsString("Anne");
        b->Edit();
        b->FieldByName("Last name")->SetAsString("Bech");
        PostDataSets(&window, 0);
        QCOMPARE(a->State(), TDataSetState::dsBrowse);
        QCOMPARE(b->State(), TDataSetState::dsEdit);
        PostFormDataSets(&window);
        QCOMPARE(b->State(), TDataSetState::dsBrowse);
        db.Exec("UPDATE Patient SET \"First name\" = 'Ada' WHERE \"Patient id\" = 1");
        RefreshDataSets(&window, 1);
        QCOMPARE(b->FieldByName("First name")->AsString(), QString("Ada"));
        QCOMPARE(a->FieldByName("First name")->AsString(), QString("Anne"));
        CloseDataSets(&window, 0);
        QVERIFY(!a->Active() && b->Active());
    }

    void enableControlsByTag() {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* button = new QPushButton(&window);
        auto* untagged = new QLineEdit(&window);
        SetComponentTag(edit, 3);
        SetComponentTag(button, 3);
        EnableControlsByTag(&window, 3, false);
        QVERIFY(!edit->isEnabled() && !button->isEnabled() && untagged->isEnabled());
        QCOMPARE(edit->palette().color(QPalette::Base), QApplication::palette(edit).color(QPalette::Button));
        EnableControlsByTag(&window, 3, true);
        QVERIFY(edit->isEnabled() && button->isEnabled());
        QCOMPARE(edit->palette().color(QPalette::Base), QApplication::palette(edit).color(QPalette::Base));
    }

    void forEachComponentDepthFirst() {
        TComponent root;
        auto* a = new TComponent(&root);
        a->SetName("a");
        (new TComponent(a))->SetName("a1");
        (new TComponent(a))->SetName("a2");
        (new TComponent(&root))->SetName("b");
        QStringList order;
        int data = 7;
        ForEachComponent(&root, &data, [&](QObject* component, void* d) {
            QCOMPARE(*static_cast<int*>(d), 7);
            order << component->objectName();
        });
        QCOMPARE(order, (QStringList{"a", "a1", "a2", "b"}));
    }

    void aliases() {
        TTestDatabase db("UtilDB");
        QVERIFY(AliasExists("UtilDBAlias"));
        QVERIFY(!AliasExists("NoSuchAlias"));
        QCOMPARE(QDir(AliasPath("UtilDBAlias")).canonicalPath(), QDir(db.Dir.path()).canonicalPath());
    }
};

TAVLO_TEST(TestBvUtils);
#include "tst_BvUtils.moc"
