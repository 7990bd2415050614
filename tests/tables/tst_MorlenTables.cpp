#include "BvDictionary.h"
#include "MorlenTables.h"
#include "RecError.h"
#include "ModalAnswer.h"
#include "TestDatabase.h"
#include "TestErrors.h"
#include "TestGrab.h"
#include "TestMain.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

// Two variants of three model tables; every row's Name tells its variant.
struct TModelDatabase : TTestDatabase {
    TModelDatabase() {
        for (const QString suffix : {"_P", "_D"}) {
            Create("Risks" + suffix, {{"Risk id", TFieldType::ftInteger}, {"Name", TFieldType::ftString, 50}});
            Create("Values" + suffix, {{"Value id", TFieldType::ftAutoInc}, {"Risk id", TFieldType::ftInteger},
                                       {"Type", TFieldType::ftSmallint}, {"Value", TFieldType::ftFloat}});
            Create("Compose" + suffix, {{"Compose id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 100},
                                        {"Type", TFieldType::ftSmallint}, {"Expression", TFieldType::ftMemo}});
        }
        Create("Risks", {{"Risk id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 50},
                         {"Group", TFieldType::ftSmallint}, {"Visible", TFieldType::ftBoolean},
                         {"Obsolete", TFieldType::ftBoolean}},
               {{"ByName", "Name", true}});
        Exec("INSERT INTO Risks_P VALUES (1, 'P1')");
        Exec("INSERT INTO Risks_P VALUES (2, 'P2')");
        Exec("INSERT INTO Risks_D VALUES (1, 'D1')");
        Exec("INSERT INTO Values_P VALUES (3, 1, 1, 0.5)");
        Exec("INSERT INTO Values_P VALUES (12, 1, 2, 1.5)");
        Exec("INSERT INTO Values_D VALUES (25, 1, 1, 2.5)");
        Exec("INSERT INTO Compose_P VALUES (1, 'P text', 1, 'a')");
        Exec("INSERT INTO Compose_D VALUES (1, 'D text', 1, 'b')");
        Exec("INSERT INTO Risks VALUES (1, 'Blood pressure', 1, 1, 0)");
        Exec("INSERT INTO Risks VALUES (7, 'Diabetes', 2, 1, 0)");
        Exec("INSERT INTO Risks VALUES (8, 'Height', 2, 1, 0)");
    }
};

struct TSwitchFixture {
    TMlSwitch Switch;
    TSwitchFixture() {
        Switch.SetSuffix1("_P");
        Switch.SetSuffix2("_D");
    }
};

template <class T = TMlTable>
std::unique_ptr<T> MakeTable(TTestDatabase& db, const QString& name, TMlSwitch* sw = nullptr, bool dependant = true) {
    auto t = std::make_unique<T>();
    t->SetDatabaseName(db.Name());
    t->SetTableName(name);
    t->SetDiabetesDependant(dependant);
    t->SetSwitch(sw);
    return t;
}

int StoredCount(TTestDatabase& db, const QString& table) {
    TTable t;
    t.SetDatabaseName(db.Name());
    t.SetTableName(table);
    t.Open();
    return t.RecordCount();
}

// Answers the next update-error dialog with `action`, editing a value first.
// Answers the reconcile dialog when it shows: types `text` into `field`'s
// new value and takes `action`; `seen` gets the shown update kind and message.
std::unique_ptr<TModalAnswer> AnswerReconcileDialog(TReconcileAction action, const QString& field = QString(),
                                                    const QString& text = QString(), QStringList* seen = nullptr) {
    return std::make_unique<TModalAnswer>([=](QWidget* window) {
        auto* form = qobject_cast<TReconcileErrorForm*>(window);
        if (!form) {
            QTest::qFail("the modal window is not the reconcile dialog", __FILE__, __LINE__);
            window->close();
            return;
        }
        if (seen) {
            *seen << form->findChild<QLabel*>("UpdateType")->text();
            *seen << form->findChild<QLabel*>("UpdateData")->text();
        }
        auto* grid = form->findChild<QTableWidget*>("UpdateGrid");
        for (int row = 0; row < grid->rowCount(); ++row)
            if (!field.isEmpty() && grid->item(row, 0)->text() == field)
                grid->item(row, 1)->setText(text);
        if (action == TReconcileAction::raAbort) {
            form->reject();
            return;
        }
        form->SetAction(action);
        form->accept();
    });
}

} // namespace

class TestMorlenTables : public QObject {
    Q_OBJECT
private slots:
    void switchReopensInOrderAndReusesTheCache() {
        TModelDatabase db;
        TSwitchFixture f;
        auto risks = MakeTable(db, "Risks", &f.Switch);
        auto values = MakeTable(db, "Values", &f.Switch);
        auto compose = MakeTable(db, "Compose", &f.Switch);
        QStringList opened;
        for (TMlTable* t : {risks.get(), values.get(), compose.get()}) {
            t->Open();
            t->AfterOpen = [&opened](TDataSet* ds) { opened << static_cast<TMlTable*>(ds)->PhysicalTableName(); };
        }
        QCOMPARE(f.Switch.VisibleTables(), 3);
        QCOMPARE(risks->FieldByName("Name")->AsString(), QString("P1"));

        f.Switch.SetDiabetes(true);
        QCOMPARE(opened, QStringList({"Risks_D", "Values_D", "Compose_D"}));
        QCOMPARE(risks->FieldByName("Name")->AsString(), QString("D1"));
        QCOMPARE(compose->FieldByName("Name")->AsString(), QString("D text"));
        const int fetches[] = {risks->SourceProvider()->FetchCount(), values->SourceProvider()->FetchCount(),
                               compose->SourceProvider()->FetchCount()};
        QCOMPARE(fetches[0], 2);

        // The store changes behind the tables' back: switching back shows the cached content.
        db.Exec("UPDATE Risks_P SET Name = 'changed'");
        opened.clear();
        f.Switch.SetDiabetes(false);
        f.Switch.SetDiabetes(true);
        f.Switch.SetDiabetes(false);
        QCOMPARE(opened, QStringList({"Risks_P", "Values_P", "Compose_P", "Risks_D", "Values_D", "Compose_D",
                                      "Risks_P", "Values_P", "Compose_P"}));
        QCOMPARE(risks->SourceProvider()->FetchCount(), fetches[0]);
        QCOMPARE(values->SourceProvider()->FetchCount(), fetches[1]);
        QCOMPARE(compose->SourceProvider()->FetchCount(), fetches[2]);
        QCOMPARE(Column(risks.get(), "Name"), QStringList({"P1", "P2"}));
        QCOMPARE(values->RecordCount(), 2);
    }

    void cachedContentKeepsChangesNotWrittenBack() {
        TModelDatabase db;
        TSwitchFixture f;
        auto risks = MakeTable(db, "Risks", &f.Switch);
        risks->Open();
        f.Switch.SetDiabetes(true);
        f.Switch.SetDiabetes(false); // both variants cached
        f.Switch.SetFrozen(true);
        risks->Append();
        risks->FieldByName("Risk id")->SetAsInteger(5);
        risks->FieldByName("Name")->SetAsString("memory only");
        risks->Post();
        f.Switch.SetDiabetes(true);
        QCOMPARE(risks->FieldByName("Name")->AsString(), QString("D1"));
        f.Switch.SetDiabetes(false);
        QCOMPARE(Column(risks.get(), "Name"), QStringList({"P1", "P2", "memory only"}));
        QCOMPARE(risks->ChangeCount(), 1);
        QCOMPARE(StoredCount(db, "Risks_P"), 2);
    }

    void frozenWithoutCacheCannotOpen() {
        TModelDatabase db;
        TSwitchFixture f;
        auto risks = MakeTable(db, "Risks", &f.Switch);
        risks->Open();
        f.Switch.SetFrozen(true);
        // The other variant was never read, and a frozen table reads nothing.
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, f.Switch.SetDiabetes(true));
        QVERIFY(!risks->Active());
    }

    void oneCacheLoadAtATimeInTheProcess() {
        TModelDatabase db;
        TSwitchFixture f;
        auto a = MakeTable(db, "Risks", &f.Switch);
        auto b = MakeTable(db, "Values", &f.Switch);
        a->Open();
        b->Open();
        f.Switch.SetDiabetes(true);
        f.Switch.SetDiabetes(false); // both tables have both variants cached
        QCOMPARE(b->SourceProvider()->FetchCount(), 2);
        b->Close();
        a->Close();
        // A table opened while another loads its cache opens the ordinary way.
        a->AfterOpen = [&](TDataSet*) { b->Open(); };
        a->Open();
        QVERIFY(b->Active());
        QCOMPARE(a->SourceProvider()->FetchCount(), 2);
        QCOMPARE(b->SourceProvider()->FetchCount(), 3);
        b->Close();
        b->Open(); // on its own again: from the cache
        QCOMPARE(b->SourceProvider()->FetchCount(), 3);
    }

    void joiningKeepsTheTablesOwnVariant() {
        TModelDatabase db;
        TSwitchFixture f;
        f.Switch.SetDiabetes(true);
        auto risks = MakeTable(db, "Risks", &f.Switch);
        risks->Open();
        QVERIFY(!risks->Diabetes());
        QCOMPARE(risks->FieldByName("Name")->AsString(), QString("P1"));
        f.Switch.SetDiabetes(true); // the next setting reaches the table
        QVERIFY(risks->Diabetes());
        QCOMPARE(risks->FieldByName("Name")->AsString(), QString("D1"));
    }

    void tableNameChangeEmptiesTheCache_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("kept");
        QTest::newRow("same text") << "Risks" << true;
        QTest::newRow("other case") << "RISKS" << false;
        QTest::newRow("other name") << "Values" << false;
    }
    void tableNameChangeEmptiesTheCache() {
        QFETCH(QString, name);
        QFETCH(bool, kept);
        TModelDatabase db;
        TSwitchFixture f;
        auto t = MakeTable(db, "Risks", &f.Switch);
        t->Open();
        f.Switch.SetDiabetes(true);
        QVERIFY(t->HasCachedPacket(false));
        t->SetTableName(name);
        QVERIFY(!t->Active());
        QCOMPARE(t->HasCachedPacket(false), kept);
        QCOMPARE(t->HasCachedPacket(true), kept);
        QCOMPARE(t->SourceTable()->TableName(), name + "_D");
    }

    void databaseNameChangeEmptiesTheCache() {
        TModelDatabase db;
        TSwitchFixture f;
        auto t = MakeTable(db, "Risks", &f.Switch);
        t->Open();
        t->Close();
        t->SetDatabaseName(db.Name());
        QVERIFY(t->HasCachedPacket(false));
        t->SetDatabaseName("Elsewhere");
        QVERIFY(!t->HasCachedPacket(false));
        QCOMPARE(t->DatabaseName(), QString("Elsewhere"));
    }

    void plainNameWhenNotSwitchable_data() {
        QTest::addColumn<bool>("withSwitch");
        QTest::addColumn<bool>("dependant");
        QTest::newRow("dependant without a switch") << false << true;
        QTest::newRow("switch without dependance") << true << false;
    }
    void plainNameWhenNotSwitchable() {
        QFETCH(bool, withSwitch);
        QFETCH(bool, dependant);
        TModelDatabase db;
        TSwitchFixture f;
        auto t = MakeTable(db, "Risks", withSwitch ? &f.Switch : nullptr, dependant);
        t->Open();
        QCOMPARE(t->SourceTable()->TableName(), QString("Risks"));
        QCOMPARE(t->FieldByName("Name")->AsString(), QString("Blood pressure"));
        // Nothing is cached: every open reads the store again.
        t->Close();
        t->Open();
        QCOMPARE(t->SourceProvider()->FetchCount(), 2);
    }

    void emptySuffixesReadThePlainName() {
        TModelDatabase db;
        TMlSwitch sw;
        auto t = MakeTable(db, "Risks", &sw);
        QVERIFY(!t->Switchable());
        t->Open();
        QCOMPARE(t->RecordCount(), 3);
    }

    void visibleTablesCountsRegisteredTables() {
        TModelDatabase db;
        TSwitchFixture f;
        auto a = MakeTable(db, "Risks", &f.Switch);
        {
            auto b = MakeTable(db, "Values", &f.Switch);
            f.Switch.SetVisibleTables(10);
            QCOMPARE(f.Switch.VisibleTables(), 2);
        }
        QCOMPARE(f.Switch.VisibleTables(), 1);
        TSwitchFixture other;
        a->SetSwitch(&other.Switch);
        QCOMPARE(f.Switch.VisibleTables(), 0);
        QCOMPARE(other.Switch.VisibleTables(), 1);
        QCOMPARE(f.Switch.CurrentSuffix(), QString("_P"));
    }

    void insertStaysOnTheNewRow_data() {
        QTest::addColumn<QString>("fieldOrder");
        QTest::addColumn<QString>("indexName");
        QTest::newRow("storage order") << "" << "";
        QTest::newRow("by name") << "Name" << "";
        QTest::newRow("by group and name") << "Group;Name" << "";
        QTest::newRow("stored index") << "" << "ByName";
    }
    void insertStaysOnTheNewRow() {
        QFETCH(QString, fieldOrder);
        QFETCH(QString, indexName);
        TModelDatabase db;
        auto t = MakeTable<TMlRiskTable>(db, "Risks", nullptr, false);
        t->Open();
        if (!indexName.isEmpty())
            t->SetIndexName(indexName);
        else
            t->SetIndexFieldNames(fieldOrder);
        t->Last();
        t->Insert();
        t->FieldByName("Name")->SetAsString("Age"); // sorts first by name
        t->FieldByName("Group")->SetAsInteger(1);
        t->Post();
        QCOMPARE(t->FieldByName("Name")->AsString(), QString("Age"));
        QCOMPARE(t->RiskId(), 9); // the number the store gave
        QCOMPARE(t->IndexFieldNames(), fieldOrder);
        QCOMPARE(t->IndexName(), indexName);
        QCOMPARE(t->State(), TDataSetState::dsBrowse);
        QCOMPARE(StoredCount(db, "Risks"), 4);
    }

    void afterPostFollowsTheWriteBack() {
        TModelDatabase db;
        auto t = MakeTable(db, "Risks", nullptr, false);
        t->Open();
        int storedAtAfterPost = -1, calls = 0;
        t->AfterPost = [&](TDataSet*) {
            ++calls;
            storedAtAfterPost = StoredCount(db, "Risks");
        };
        t->Edit();
        t->FieldByName("Name")->SetAsString("Pressure");
        t->Post();
        t->Append();
        t->FieldByName("Name")->SetAsString("New");
        t->Post();
        QCOMPARE(calls, 2);
        QCOMPARE(storedAtAfterPost, 4);
        TTable check;
        check.SetDatabaseName(db.Name());
        check.SetTableName("Risks");
        check.Open();
        QVERIFY(check.Locate("Name", "Pressure"));
    }

    void deleteWritesBackAndRefreshes() {
        TModelDatabase db;
        auto t = MakeTable<TMlRiskTable>(db, "Risks", nullptr, false);
        t->Open();
        QVERIFY(t->Locate("Risk id", 7));
        t->Edit();
        t->FieldByName("Name")->SetAsString("edited, then deleted");
        t->Delete();
        QCOMPARE(t->RiskId(), 8); // on the next row
        QCOMPARE(t->ChangeCount(), 0);
        QCOMPARE(StoredCount(db, "Risks"), 2);
        QCOMPARE(Column(t.get(), "Name"), QStringList({"Blood pressure", "Height"}));
    }

    void frozenNumbersItsOwnRows() {
        TModelDatabase db;
        TSwitchFixture f;
        auto t = MakeTable<TMlValueTable>(db, "Values", &f.Switch);
        t->Open();
        f.Switch.SetDiabetes(true);
        f.Switch.SetDiabetes(false); // both variants cached
        f.Switch.SetFrozen(true);
        QVERIFY(t->Frozen());
        t->LoadPacket(t->Data()); // an ordinary open: the last number is computed
        QCOMPARE(t->LastAutoIncValue(), 12);
        t->Append();
        t->FieldByName("Value")->SetAsFloat(9);
        t->Post();
        QCOMPARE(t->FieldByName("Value id")->AsInteger(), 13);
        QCOMPARE(t->Value(), 9.0);
        QCOMPARE(StoredCount(db, "Values_P"), 2); // never written
        t->Refresh();                              // ignored
        QCOMPARE(t->RecordCount(), 3);

        // Reopened from its cache, the table keeps counting from 13 (D's 25 is not looked at).
        f.Switch.SetDiabetes(true);
        QCOMPARE(t->LastAutoIncValue(), 13);
        t->Append();
        t->Post();
        QCOMPARE(t->FieldByName("Value id")->AsInteger(), 14);
        f.Switch.SetDiabetes(false);
        QCOMPARE(t->RecordCount(), 3);
        QCOMPARE(t->LastAutoIncValue(), 14);

        f.Switch.SetFrozen(false);
        QCOMPARE(t->Provider(), t->SourceProvider());
    }

    void locateNeverRaises() {
        TModelDatabase db;
        auto t = MakeTable(db, "Risks", nullptr, false);
        t->Open();
        QVERIFY(t->Locate("Name", "Height"));
        QVERIFY(!t->Locate("No such field", 1));
        QVERIFY(!t->Locate("Risk id", "not a number"));
        QCOMPARE(t->FieldByName("Name")->AsString(), QString("Height"));
        TDataSet* asDataSet = t.get();
        QVERIFY(!asDataSet->Locate("Nope", 1));
    }

    void patientKeyIsCheckedBeforeWriting() {
        TTestDatabase db;
        db.FillPatients();
        auto t = MakeTable(db, "Patient", nullptr, false);
        t->Open();
        t->Append();
        t->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1960, 4, 2));
        t->FieldByName("Sequence id")->SetAsString("0009");
        t->FieldByName("Export")->SetAsBoolean(false);
        t->FieldByName("Test")->SetAsBoolean(false);
        // The key as it stands after BeforePost counts.
        t->BeforePost = [](TDataSet* ds) { ds->FieldByName("Sequence id")->SetAsString("0002"); };
        try {
            t->Post();
            QFAIL("a second patient with the same key was posted");
        } catch (const EDatabaseError& error) {
            QCOMPARE(error.Message(), QString("Key violation."));
        }
        QCOMPARE(t->State(), TDataSetState::dsInsert); // the typed row stays
        t->BeforePost = nullptr;
        t->FieldByName("Sequence id")->SetAsString("0003");
        t->Post();
        QCOMPARE(StoredCount(db, "Patient"), 4);
        // Editing a row keeps its own key.
        t->Edit();
        t->FieldByName("First name")->SetAsString("Dora");
        t->Post();
    }

    void largeTableReadsBackOnlyTheWrittenRow() {
        TTestDatabase db;
        db.CreatePatientTables();
        db.Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1200) "
                "INSERT INTO Patient (\"Birth date\", \"Sequence id\", \"Last name\", Export, Test) "
                "SELECT 20000 + i, '0001', 'Name' || i, 0, 0 FROM n");
        auto t = MakeTable(db, "Patient", nullptr, false);
        t->SetIndexFieldNames("Last name");
        t->Open();
        const int fetches = t->SourceProvider()->FetchCount();
        t->Append();
        t->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1999, 9, 9));
        t->FieldByName("Sequence id")->SetAsString("0001");
        t->FieldByName("Last name")->SetAsString("Aaberg");
        t->FieldByName("Export")->SetAsBoolean(true);
        t->FieldByName("Test")->SetAsBoolean(false);
        t->Post();
        QCOMPARE(t->SourceProvider()->FetchCount(), fetches); // no whole read
        QCOMPARE(t->FieldByName("Last name")->AsString(), QString("Aaberg"));
        QCOMPARE(t->FieldByName("Patient id")->AsInteger(), 1201);
        QCOMPARE(t->RecNo(), 1);
        QCOMPARE(t->StorageIndexOf(t->GetBookmark()), 1200); // the newest row
        QCOMPARE(t->RecordCount(), 1201);
        QVERIFY(t->Locate("Last name", "Name7"));
        t->Delete();
        QCOMPARE(t->SourceProvider()->FetchCount(), fetches);
        QCOMPARE(t->RecordCount(), 1200);
        QCOMPARE(StoredCount(db, "Patient"), 1200);
        QVERIFY(!t->Locate("Last name", "Name7"));
    }

    void detailHoldsOnlyItsMastersRows() {
        TTestDatabase db;
        db.FillPatients();
        auto patients = MakeTable(db, "Patient", nullptr, false);
        TDataSource source;
        source.SetDataSet(patients.get());
        auto journal = MakeTable(db, "Journal", nullptr, false);
        journal->SetIndexFieldNames("Patient id;Date;Journal id");
        journal->SetMasterSource(&source);
        journal->SetMasterFields("Patient id");
        patients->Open();
        journal->Open();
        QCOMPARE(Column(journal.get(), "Journal id"), QStringList({"11", "10", "12"}));
        QCOMPARE(journal->Data().Rows.size(), 3); // only patient 1's rows were read
        patients->Next();
        QCOMPARE(Column(journal.get(), "Journal id"), QStringList({"20"}));
        QCOMPARE(journal->Data().Rows.size(), 1);
        const int fetches = journal->SourceProvider()->FetchCount();

        journal->Append();
        journal->FieldByName("Date")->SetAsDateTime(EncodeDate(2000, 1, 1));
        journal->Post();
        QCOMPARE(journal->FieldByName("Patient id")->AsInteger(), 2);
        QCOMPARE(journal->FieldByName("Journal id")->AsInteger(), 21);
        QCOMPARE(journal->RecNo(), 1); // first by date, and still the cursor's row
        QCOMPARE(journal->Data().Rows.size(), 2);
        QCOMPARE(journal->SourceProvider()->FetchCount(), fetches + 1); // the refresh read this range
        patients->Next();
        QVERIFY(journal->IsEmpty());
        QCOMPARE(StoredCount(db, "Journal"), 5);
    }

    void updateErrorDialogChoices_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("pending");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("raised");
        // A row not stored is taken back and its error reaches the caller.
        QTest::newRow("correct") << int(TReconcileAction::raCorrect) << 0 << 4 << "no error";
        QTest::newRow("closed") << int(TReconcileAction::raAbort) << 0 << 3 << "Key violation.";
        QTest::newRow("skip") << int(TReconcileAction::raSkip) << 0 << 3 << "Key violation.";
        QTest::newRow("cancel") << int(TReconcileAction::raCancel) << 0 << 3 << "no error";
    }
    void updateErrorDialogChoices() {
        QFETCH(int, action);
        QFETCH(int, pending);
        QFETCH(int, stored);
        QFETCH(QString, raised);
        TModelDatabase db;
        auto t = MakeTable(db, "Risks", nullptr, false);
        t->Open();
        // Another writer takes the name after the table was read.
        db.Exec("UPDATE Risks SET Name = 'Taken' WHERE \"Risk id\" = 8");
        QVERIFY(t->Locate("Risk id", 1));
        t->Edit();
        t->FieldByName("Name")->SetAsString("Taken");
        QStringList seen;
        const auto answer = AnswerReconcileDialog(TReconcileAction(action), "Name", "Corrected", &seen);
        QCOMPARE(ErrorOf([&] { t->Post(); }), raised);
        QCOMPARE(seen, QStringList({"Modified", "Key violation."}));
        QCOMPARE(t->ChangeCount(), pending);
        TTable check;
        check.SetDatabaseName(db.Name());
        check.SetTableName("Risks");
        check.Open();
        QCOMPARE(check.Locate("Name", "Corrected"), stored == 4);
        QCOMPARE(check.Locate("Name", "Blood pressure"), stored == 3);
    }

    void updateErrorFormShowsTheRow() {
        TReconcileError error;
        error.UpdateKind = TUpdateKind::ukInsert;
        error.Message = "Key violation.";
        error.Defs = {{"Risk id", TFieldType::ftInteger}, {"Weight", TFieldType::ftFloat}, {"Seen", TFieldType::ftBoolean}};
        error.Values = {QVariant(3), QVariant(1.5), QVariant(true)};
        TReconcileErrorForm form(nullptr, error);
        auto* grid = form.findChild<QTableWidget*>("UpdateGrid");
        QCOMPARE(form.findChild<QLabel*>("UpdateType")->text(), QString("Inserted"));
        QCOMPARE(grid->item(1, 0)->text(), QString("Weight"));
        QCOMPARE(grid->item(1, 1)->text(), QString("1.5"));
        QCOMPARE(grid->item(2, 1)->text(), QString("True"));
        QCOMPARE(form.Action(), TReconcileAction::raAbort); // not accepted
        grid->item(0, 1)->setText("4");
        QCOMPARE(form.EditedValues(), QVector<QVariant>({QVariant("4"), QVariant(1.5), QVariant(true)}));
        form.SetAction(TReconcileAction::raCorrect);
        form.accept();
        QCOMPARE(form.Action(), TReconcileAction::raCorrect);
        const QList<QRadioButton*> buttons = form.findChildren<QRadioButton*>();
        QCOMPARE(buttons.size(), 5); // every choice that works; no "Merge"
    }

    void updateErrorFormInTheUsersLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // caption, kind, headers, group, Skip, Refresh, OK, Cancel
        QTest::newRow("english") << 1
                                 << QStringList{"Update Error", "Deleted", "Field Name", "Modified Value",
                                                "Original Value", "Reconcile Action", "Skip", "Refresh", "OK", "Cancel"};
        QTest::newRow("danish") << 2
                                << QStringList{"Opdateringsfejl", "Slettet", "Feltnavn", QString::fromUtf8("Ændret værdi"),
                                               QString::fromUtf8("Oprindelig værdi"), "Handling", "Spring over",
                                               QString::fromUtf8("Genindlæs"), "OK", "Annuller"};
    }
    void updateErrorFormInTheUsersLanguage() {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        TBvDictionary dictionary;
        dictionary.SetDictionaryName("MainDictionary");
        dictionary.SetFileName(QCoreApplication::applicationDirPath() + "/Tavlo.mld");
        dictionary.SetCurrentLanguage(language);
        TReconcileError error;
        error.UpdateKind = TUpdateKind::ukDelete;
        error.Message = "Key violation.";
        error.Defs = {{"Name", TFieldType::ftString, 50}};
        error.Values = {QVariant("Weight")};
        TReconcileErrorForm form(nullptr, error);
        auto* grid = form.findChild<QTableWidget*>("UpdateGrid");
        auto* buttons = form.findChild<QDialogButtonBox*>("Buttons");
        const QStringList shown{form.windowTitle(),
                                form.findChild<QLabel*>("UpdateType")->text(),
                                grid->horizontalHeaderItem(0)->text(),
                                grid->horizontalHeaderItem(1)->text(),
                                grid->horizontalHeaderItem(2)->text(),
                                form.findChild<QGroupBox*>("ActionGroup")->title(),
                                form.findChild<QRadioButton*>("SkipButton")->text(),
                                form.findChild<QRadioButton*>("RefreshButton")->text(),
                                buttons->button(QDialogButtonBox::Ok)->text(),
                                buttons->button(QDialogButtonBox::Cancel)->text()};
        GrabWindow(&form, QStringLiteral("update-error-") + QTest::currentDataTag());
        QCOMPARE(shown, texts);
        // The engine's message and the row's values are data, shown as they are.
        QCOMPARE(form.findChild<QLabel*>("UpdateData")->text(), QString("Key violation."));
        QCOMPARE(grid->item(0, 0)->text(), QString("Name"));
        QCOMPARE(grid->item(0, 1)->text(), QString("Weight"));
    }

    void copyTableTakesContentAndPosition() {
        TModelDatabase db;
        auto source = MakeTable(db, "Risks", nullptr, false);
        source->SetIndexFieldNames("Name");
        source->Open();
        QVERIFY(source->Locate("Name", "Diabetes"));
        TClientDataSet target;
        CopyTable(&target, source.get());
        QCOMPARE(target.RecordCount(), 3);
        QCOMPARE(target.FieldByName("Risk id")->AsInteger(), 7);
        auto ml = MakeTable(db, "Values", nullptr, false);
        CopyTable(ml.get(), source.get());
        QCOMPARE(ml->FieldByName("Name")->AsString(), QString("Diabetes"));
    }

    // The copy of one key: only its rows, on the source's row when it is one
    // of them; a source writing through reads them with one query and no
    // other row, a frozen one gives its rows in memory and reads nothing.
    void copyTableOfOneKey_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("frozen");
        QTest::addColumn<QString>("keyFields");
        QTest::addColumn<QVariant>("keyValues");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("standsOn");
        QTest::addColumn<int>("statements");
        QTest::newRow("stored, current among them")
            << "Diabetes" << false << "Group" << QVariant(2) << QStringList{"Diabetes", "Height"} << "Diabetes" << 1;
        QTest::newRow("stored, current not among them")
            << "Blood pressure" << false << "Group" << QVariant(2) << QStringList{"Diabetes", "Height"} << "Diabetes"
            << 1;
        QTest::newRow("stored, two key fields")
            << "Height" << false << "Group;Obsolete" << QVariant(QVariantList{2, true}) << QStringList{"Height"}
            << "Height" << 1;
        QTest::newRow("stored, no row of the key")
            << "Height" << false << "Group" << QVariant(5) << QStringList{} << "" << 1;
        QTest::newRow("frozen, changes in memory")
            << "Height" << true << "Group" << QVariant(2) << QStringList{"Diabetes", "Tall", "Weight"} << "Tall" << 0;
    }
    void copyTableOfOneKey() {
        QFETCH(QString, current);
        QFETCH(bool, frozen);
        QFETCH(QString, keyFields);
        QFETCH(QVariant, keyValues);
        QFETCH(QStringList, names);
        QFETCH(QString, standsOn);
        QFETCH(int, statements);
        TModelDatabase db;
        db.Exec("UPDATE Risks SET Obsolete = 1 WHERE \"Risk id\" = 8");
        auto source = MakeTable(db, "Risks", nullptr, false);
        source->Open();
        if (frozen) {
            source->SetFrozen(true);
            QVERIFY(source->Locate("Name", "Height"));
            source->Edit();
            source->FieldByName("Name")->SetAsString("Tall");
            source->Post();
            source->Append();
            source->FieldByName("Name")->SetAsString("Weight");
            source->FieldByName("Group")->SetAsInteger(2);
            source->Post();
            current = "Tall";
        }
        QVERIFY(source->Locate("Name", current));
        TMlTable target;
        const qint64 before = db.Db->StatementCount();
        CopyTable(&target, source.get(), keyFields, keyValues);
        QCOMPARE(db.Db->StatementCount() - before, qint64(statements));
        if (!standsOn.isEmpty())
            QCOMPARE(target.FieldByName("Name")->AsString(), standsOn);
        QStringList copied;
        for (target.First(); !target.Eof(); target.Next())
            copied << target.FieldByName("Name")->AsString();
        copied.sort();
        QCOMPARE(copied, names);
        QCOMPARE(source->FieldByName("Name")->AsString(), current); // the source stays where it was
    }

    void copyTableOfOneKeyRefusesAWrongKey() {
        TModelDatabase db;
        auto source = MakeTable(db, "Risks", nullptr, false);
        source->Open();
        TClientDataSet target;
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, CopyTable(&target, source.get(), "Missing", QVariant(1)));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError,
                                 CopyTable(&target, source.get(), "Group;Visible", QVariant(QVariantList{2})));
    }

    void copyTableRetriesOnceAfterRefreshing() {
        TModelDatabase db;
        auto source = MakeTable(db, "Risks", nullptr, false);
        source->Open();
        // A target whose own field is not in the packet cannot take it.
        TClientDataSet target;
        new TStringField(&target, "Missing", 10);
        const int fetches = source->SourceProvider()->FetchCount();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, CopyTable(&target, source.get()));
        QCOMPARE(source->SourceProvider()->FetchCount(), fetches + 1);
    }

    // ---------------------------------------------------------------- typed tables

    void selectType() {
        TModelDatabase db;
        auto t = MakeTable<TMlComposeTable>(db, "Compose_P", nullptr, false);
        db.Exec("INSERT INTO Compose_P VALUES (2, 'second', 2, 'x\r\ny\nz\r\n')");
        t->Open();
        QCOMPARE(t->SelectName(), QString("Type"));
        QCOMPARE(t->SelectType(), -1);
        t->SetFilter("Name = 'P text'");
        t->SetFiltered(true);
        t->SetSelectType(-1);
        QCOMPARE(t->Filter(), QString("Name = 'P text'"));
        QVERIFY(!t->Filtered());
        QCOMPARE(t->RecordCount(), 2);
        t->SetSelectType(2);
        QCOMPARE(t->Filter(), QString("Type = 2"));
        QVERIFY(t->Filtered());
        QCOMPARE(t->RecordCount(), 1);
        QCOMPARE(t->Lines(), QStringList({"x", "y", "z"}));
    }

    void newRowTakesTheSelectedType_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QVariant>("type");
        QTest::newRow("type 3") << 3 << QVariant(3);
        QTest::newRow("all") << -1 << QVariant();
    }
    void newRowTakesTheSelectedType() {
        QFETCH(int, selected);
        QFETCH(QVariant, type);
        TModelDatabase db;
        auto t = MakeTable<TMlNameTable>(db, "Compose_P", nullptr, false);
        t->Open();
        t->SetSelectType(selected);
        int userHandler = 0;
        t->OnNewRecord = [&](TDataSet*) { ++userHandler; };
        t->Append();
        QCOMPARE(userHandler, 1);
        QCOMPARE(t->FieldByName("Type")->Value(), type);
        t->FieldByName("Name")->SetAsString("new");
        t->Post();
        QCOMPARE(t->Name(), QString("new"));
    }

    void baseline_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<double>("age");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("covered");
        QTest::newRow("stored age") << 0 << 40.0 << 0.99 << true;
        QTest::newRow("between two ages") << 0 << 42.5 << 0.95 << true;
        QTest::newRow("next stored age") << 0 << 45.0 << 0.95 << true;
        QTest::newRow("below the first age") << 1 << 20.0 << 0.98 << true;
        QTest::newRow("above the group's ages") << 0 << 46.0 << 0.98 << false;
        QTest::newRow("above the last group") << 1 << 90.0 << 0.90 << false;
    }
    void baseline() {
        QFETCH(int, group);
        QFETCH(double, age);
        QFETCH(double, value);
        QFETCH(bool, covered);
        TTestDatabase db;
        db.Create("Baseline_P", {{"BaselineId", TFieldType::ftAutoInc}, {"Group", TFieldType::ftInteger},
                                 {"Age", TFieldType::ftFloat}, {"Value", TFieldType::ftFloat}});
        db.Exec("INSERT INTO Baseline_P (\"Group\", Age, Value) VALUES (1, 30, 0.98), (1, 79.5, 0.90), "
                "(0, 45, 0.95), (0, 40, 0.99)");
        auto t = MakeTable<TMlBaselineTable>(db, "Baseline_P", nullptr, false);
        t->SetIndexFieldNames("Group;Age");
        t->Open();
        QCOMPARE(t->BaselineValue(group, age), value);
        QCOMPARE(t->AgeCovered(group, age), covered);
    }

    void ageLimits() {
        TTestDatabase db;
        db.Create("Baseline_D", {{"BaselineId", TFieldType::ftAutoInc}, {"Group", TFieldType::ftInteger},
                                 {"Age", TFieldType::ftFloat}, {"Value", TFieldType::ftFloat}});
        for (double age = 30; age < 79; age += 5)
            db.Exec("INSERT INTO Baseline_D (\"Group\", Age, Value) VALUES (0, ?, 0.9)", {age});
        db.Exec("INSERT INTO Baseline_D (\"Group\", Age, Value) VALUES (0, 79.5, 0.8)");
        auto t = MakeTable<TMlBaselineTable>(db, "Baseline_D", nullptr, false);
        t->SetIndexFieldNames("Group;Age");
        t->Open();
        int low = 0, high = 0;
        t->AgeLimits(10, low, high);
        QCOMPARE(low, 30);
        QCOMPARE(high, 69);
        QVERIFY(t->Eof());
        QCOMPARE(t->FieldByName("Age")->AsFloat(), 79.5);
    }

    void riskIdByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("id");
        QTest::newRow("as stored") << "Height" << 8;
        QTest::newRow("other case") << "bLOOD PRESSURE" << 1;
        QTest::newRow("absent") << "Weight" << -1;
    }
    void riskIdByName() {
        QFETCH(QString, name);
        QFETCH(int, id);
        TModelDatabase db;
        auto t = MakeTable<TMlRiskTable>(db, "RISKS", nullptr, false);
        t->Open();
        QCOMPARE(t->RiskIdByName(name), id);
    }

    void riskKinds_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QVariant>("visible");
        QTest::addColumn<QVariant>("obsolete");
        QTest::addColumn<bool>("base");
        QTest::addColumn<bool>("exam");
        QTest::newRow("visible base") << 2 << QVariant(true) << QVariant(false) << true << false;
        QTest::newRow("visible exam") << 1 << QVariant(true) << QVariant(false) << false << true;
        QTest::newRow("empty obsolete") << 1 << QVariant(true) << QVariant() << false << true;
        QTest::newRow("hidden") << 2 << QVariant(false) << QVariant(false) << false << false;
        QTest::newRow("obsolete") << 1 << QVariant(true) << QVariant(true) << false << false;
        QTest::newRow("other group") << 3 << QVariant(true) << QVariant(false) << false << false;
    }
    void riskKinds() {
        QFETCH(int, group);
        QFETCH(QVariant, visible);
        QFETCH(QVariant, obsolete);
        QFETCH(bool, base);
        QFETCH(bool, exam);
        TClientDataSet ds;
        ds.CreateDataSet({{"Group", TFieldType::ftSmallint}, {"Visible", TFieldType::ftBoolean},
                          {"Obsolete", TFieldType::ftBoolean}});
        ds.Append();
        ds.FieldByName("Group")->SetAsInteger(group);
        ds.FieldByName("Visible")->SetValue(visible);
        ds.FieldByName("Obsolete")->SetValue(obsolete);
        ds.Post();
        QCOMPARE(IsBaseRisk(&ds), base);
        QCOMPARE(IsExamRisk(&ds), exam);
    }

    void locateLanguage_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("country");
        QTest::addColumn<bool>("found");
        QTest::newRow("same case") << "da/dk" << 2 << true;
        QTest::newRow("other case") << "EN/GB" << 1 << true;
        QTest::newRow("none: stays put") << "xx/yy" << 3 << false;
    }
    void locateLanguage() {
        QFETCH(QString, code);
        QFETCH(int, country);
        QFETCH(bool, found);
        TTestDatabase db;
        db.Create("Country", {{"Country id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 50},
                              {"ISOLanguage", TFieldType::ftString, 5}});
        db.Exec("INSERT INTO Country (Name, ISOLanguage) VALUES ('United Kingdom', 'en/gb'), ('Danmark', 'da/dk'), "
                "('Elsewhere', 'fr/fr')");
        auto t = MakeTable<TMlCountryTable>(db, "Country", nullptr, false);
        t->Open();
        t->Last();
        QCOMPARE(t->LocateLanguage(code), found);
        QCOMPARE(t->CountryId(), country);
    }
};

TAVLO_TEST(TestMorlenTables);
#include "tst_MorlenTables.moc"
