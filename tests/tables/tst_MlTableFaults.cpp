// Faults of the cached tables that would reach patient data: writes to the
// other variant, stale rows and edits after a rollback or close, reads that
// miss a write, ranges, filters, refused write-backs, frozen numbering, the
// transaction of a write-back and errors a Locate must not hide.

#include "MorlenTables.h"
#include "RecError.h"
#include "TestDatabase.h"
#include "TestErrors.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

struct TComposeDatabase : TTestDatabase {
    TMlSwitch Switch;
    TComposeDatabase() {
        for (const QString suffix : {"_P", "_D"})
            Create("Compose" + suffix, {{"Compose id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 100},
                                        {"Type", TFieldType::ftSmallint}, {"Expression", TFieldType::ftMemo}});
        Exec("INSERT INTO Compose_P VALUES (1, 'P text', 1, 'a')");
        Exec("INSERT INTO Compose_D VALUES (1, 'D text', 1, 'b')");
        Switch.SetSuffix1("_P");
        Switch.SetSuffix2("_D");
    }
};

// A column of a stored table, in the order of that column (Name: storage order).
QStringList Stored(TTestDatabase& db, const QString& table, const QString& field = "Name") {
    TTable t;
    t.SetDatabaseName(db.Name());
    t.SetTableName(table);
    t.SetIndexFieldNames(field == "Name" ? QString() : field);
    t.Open();
    return Column(&t, field);
}

std::unique_ptr<TMlTable> MlTable(TTestDatabase& db, const QString& name) {
    auto t = std::make_unique<TMlTable>();
    t->SetDatabaseName(db.Name());
    t->SetTableName(name);
    return t;
}

// Patients with their examinations and base values; patient 1 has the base
// rows of risks 1 and 2, patient 2 of risk 1.
struct TJournalDatabase : TTestDatabase {
    TJournalDatabase() {
        FillPatients();
        Exec("INSERT INTO Base VALUES (1, 1, 0.5)");
        Exec("INSERT INTO Base VALUES (1, 2, 1.5)");
        Exec("INSERT INTO Base VALUES (2, 1, 2.5)");
    }
};

} // namespace

class TestMlTableFaults : public QObject {
    Q_OBJECT
private slots:
    // Reopened from its cache, the table writes to its own variant only.
    void writesGoToTheCurrentVariant() {
        TComposeDatabase db;
        auto t = MlTable(db, "Compose");
        t->SetDiabetesDependant(true);
        t->SetSwitch(&db.Switch);
        t->Open();
        db.Switch.SetDiabetes(true);
        db.Switch.SetDiabetes(false);
        QVERIFY(t->HasCachedPacket(false));
        t->Edit();
        t->FieldByName("Name")->SetAsString("P edited");
        t->Post();
        t->Append();
        t->FieldByName("Name")->SetAsString("P new");
        t->Post();
        QCOMPARE(Column(t.get(), "Name"), QStringList({"P edited", "P new"}));
        QCOMPARE(Stored(db, "Compose_P"), QStringList({"P edited", "P new"}));
        QCOMPARE(Stored(db, "Compose_D"), QStringList({"D text"}));
        t->Delete();
        QCOMPARE(Stored(db, "Compose_P"), QStringList({"P edited"}));
        QCOMPARE(Stored(db, "Compose_D"), QStringList({"D text"}));
    }

    void batchCopyGoesToTheTableNamedNow() {
        TComposeDatabase db;
        db.Exec("DELETE FROM Compose_P");
        TTable from;
        from.SetDatabaseName(db.Name());
        from.SetTableName("Compose_D");
        TTable to;
        to.SetDatabaseName(db.Name());
        to.SetTableName("Compose_D");
        to.Open();
        to.Close();
        to.SetTableName("Compose_P");
        TBatchMove move;
        move.Source = &from;
        move.Destination = &to;
        move.Execute();
        QCOMPARE(Stored(db, "Compose_P"), QStringList({"D text"}));
        QCOMPARE(Stored(db, "Compose_D"), QStringList({"D text"}));
    }

    void rollbackRereadsCachedTables() {
        TJournalDatabase db;
        auto journal = MlTable(db, "Journal");
        journal->SetIndexFieldNames("Journal id");
        journal->Open();
        db.Db->StartTransaction();
        journal->Append();
        journal->FieldByName("Patient id")->SetAsInteger(3);
        journal->Post();
        const int ghost = journal->FieldByName("Journal id")->AsInteger();
        db.Db->Rollback();
        QCOMPARE(journal->RecordCount(), 4);
        QVERIFY(!journal->Locate("Journal id", ghost));
        // Another writer takes the freed identity; nothing here overwrites it.
        db.AddJournal(ghost, 2, EncodeDate(2024, 1, 1), "Other");
        journal->Refresh();
        QVERIFY(journal->Locate("Journal id", ghost));
        QCOMPARE(journal->FieldByName("Doctor")->AsString(), QString("Other"));
    }

    // A dataset editing a row that a rollback takes back drops the edit: the
    // row's identity is free again, and posting would write another row.
    void rollbackCancelsAPendingEdit_data() {
        QTest::addColumn<bool>("cached");
        QTest::newRow("stored table") << false;
        QTest::newRow("cached table") << true;
    }
    void rollbackCancelsAPendingEdit() {
        QFETCH(bool, cached);
        TJournalDatabase db;
        std::unique_ptr<TDataSet> editor;
        if (cached) {
            editor = MlTable(db, "Journal");
        } else {
            auto table = std::make_unique<TTable>();
            table->SetDatabaseName(db.Name());
            table->SetTableName("Journal");
            editor = std::move(table);
        }
        editor->SetIndexFieldNames("Journal id");
        editor->Open();
        db.Db->StartTransaction();
        db.AddJournal(30, 3, EncodeDate(2024, 1, 1), "Ghost");
        editor->Refresh();
        QVERIFY(editor->Locate("Journal id", 30));
        editor->Edit();
        editor->FieldByName("Doctor")->SetAsString("Typed");
        db.Db->Rollback();
        QCOMPARE(editor->State(), TDataSetState::dsBrowse);
        QCOMPARE(editor->RecordCount(), 4);
        QVERIFY(!editor->Locate("Journal id", 30));
        // Another writer takes the freed identity; nothing here overwrites it.
        db.AddJournal(30, 2, EncodeDate(2024, 2, 2), "Other");
        editor->CheckBrowseMode();
        QCOMPARE(Stored(db, "Journal", "Doctor"), QStringList({"Lind", "Lind", "Moe", "Moe", "Other"}));
    }

    // Reads share one read transaction until the event loop runs; a write of
    // any database of the process ends it first, so the next read sees the
    // write, and a write here never waits on it.
    void readsSeeEveryWriteOfTheProcess() {
        TJournalDatabase db;
        Session().AddAlias("SecondAlias", {"TYPE=SQLITE", "PATH=" + db.Dir.path(), "DATABASE NAME=test.db"});
        TDatabase second;
        second.SetDatabaseName("Second");
        second.SetAliasName("SecondAlias");
        second.Open();
        TTable journal;
        journal.SetDatabaseName(db.Name());
        journal.SetTableName("Journal");
        journal.Open();
        QCOMPARE(journal.RecordCount(), 4);
        second.ExecSql("INSERT INTO Journal (\"Journal id\", \"Patient id\") VALUES (40, 3)");
        journal.Refresh();
        QCOMPARE(journal.RecordCount(), 5);
        auto other = MlTable(db, "Journal");
        other->SetDatabaseName("Second");
        other->Open();
        other->Append();
        other->FieldByName("Patient id")->SetAsInteger(3);
        other->Post(); // in a transaction of its own, while the first database reads
        journal.Refresh();
        QCOMPARE(journal.RecordCount(), 6);
        journal.Last();
        journal.Edit();
        journal.FieldByName("Doctor")->SetAsString("Vik");
        journal.Post();
        other->Refresh();
        QVERIFY(other->Locate("Doctor", "Vik"));
        // A writer outside the store is seen once the event loop has run.
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw-writer");
            raw.setDatabaseName(db.Dir.filePath("test.db"));
            QVERIFY(raw.open());
            QVERIFY(QSqlQuery(raw).exec("DELETE FROM Journal WHERE \"Journal id\" = 40"));
            raw.close();
        }
        QSqlDatabase::removeDatabase("raw-writer");
        QCoreApplication::processEvents();
        journal.Refresh();
        QCOMPARE(journal.RecordCount(), 5);
        second.Close();
    }

    void closingTheDatabaseClosesEveryDataSet() {
        TComposeDatabase db;
        auto plain = MlTable(db, "Compose_P");
        plain->Open();
        auto cached = MlTable(db, "Compose");
        cached->SetDiabetesDependant(true);
        cached->SetSwitch(&db.Switch);
        cached->Open();
        TQuery query;
        query.SetDatabaseName(db.Name());
        query.SetSQLText("SELECT * FROM Compose_D");
        query.Open();
        db.Db->Close();
        QVERIFY(!plain->Active());
        QVERIFY(!cached->Active());
        QVERIFY(!query.Active());
        // The cache held the closed file's row identities.
        QVERIFY(!cached->HasCachedPacket(false));
    }

    void attachedDataSetsArePruned() {
        TComposeDatabase db;
        for (int i = 0; i < 20; ++i) {
            TTable t;
            t.SetDatabaseName(db.Name());
            t.SetTableName("Compose_P");
            t.Open();
        }
        QVERIFY(db.Db->AttachedCount() <= 2);
    }

    void removedLinkWidensTheRange() {
        TJournalDatabase db;
        TTable patients;
        patients.SetDatabaseName(db.Name());
        patients.SetTableName("Patient");
        patients.Open();
        TDataSource source;
        source.SetDataSet(&patients);
        auto journal = MlTable(db, "Journal");
        journal->SetIndexFieldNames("Patient id");
        journal->SetMasterSource(&source);
        journal->SetMasterFields("Patient id");
        journal->Open();
        QCOMPARE(journal->RecordCount(), 3);
        journal->SetMasterSource(nullptr);
        QCOMPARE(journal->RecordCount(), 4);
        journal->SetFilter("Doctor = 'Moe'");
        journal->SetFiltered(true);
        QCOMPARE(journal->RecordCount(), 2);
    }

    // One query per detail when the master moves; index definitions are read once.
    void detailReadsItsRangeInOneQuery() {
        TJournalDatabase db;
        TTable patients;
        patients.SetDatabaseName(db.Name());
        patients.SetTableName("Patient");
        patients.SetIndexFieldNames("Patient id");
        patients.Open();
        TDataSource source;
        source.SetDataSet(&patients);
        auto journal = MlTable(db, "Journal");
        journal->SetIndexFieldNames("Patient id");
        journal->SetMasterSource(&source);
        journal->SetMasterFields("Patient id");
        journal->Open();
        for (const int rows : {1, 0}) {
            const qint64 before = db.Db->StatementCount();
            patients.Next();
            QCOMPARE(db.Db->StatementCount() - before, qint64(1));
            QCOMPARE(journal->RecordCount(), rows);
        }
    }

    void filterThatDoesNotBindChangesNothing_data() {
        QTest::addColumn<bool>("cached");
        QTest::newRow("stored table") << false;
        QTest::newRow("cached table") << true;
    }
    void filterThatDoesNotBindChangesNothing() {
        QFETCH(bool, cached);
        TJournalDatabase db;
        std::unique_ptr<TDataSet> t;
        if (cached) {
            t = MlTable(db, "Journal");
        } else {
            auto table = std::make_unique<TTable>();
            table->SetDatabaseName(db.Name());
            table->SetTableName("Journal");
            t = std::move(table);
        }
        t->Open();
        t->SetFilter("Nurse = 'Moe'");
        for (int attempt = 0; attempt < 2; ++attempt) {
            QCOMPARE(ErrorOf([&] { t->SetFiltered(true); }), QString("Field 'Nurse' not found"));
            QVERIFY(!t->Filtered());
        }
        QCOMPARE(t->RecordCount(), 4);
        t->SetFilter("Doctor = 'Moe'");
        t->SetFiltered(true);
        QCOMPARE(t->RecordCount(), 2);
    }

    // A change the store refuses is taken back and raised; the detail goes on
    // following its master and no later post tries it again.
    void refusedWriteBackIsRaisedAndTakenBack() {
        TJournalDatabase db;
        TTable patients;
        patients.SetDatabaseName(db.Name());
        patients.SetTableName("Patient");
        patients.SetIndexFieldNames("Patient id");
        patients.Open();
        TDataSource source;
        source.SetDataSet(&patients);
        auto base = MlTable(db, "Base");
        base->SetIndexFieldNames("Patient id;Risk id");
        base->SetMasterSource(&source);
        base->SetMasterFields("Patient id");
        base->Open();
        int asked = 0;
        base->OnReconcileError = [&](TDataSet*, TReconcileError&) {
            ++asked;
            return TReconcileAction::raSkip;
        };
        // Another writer stores the key after the table was read.
        db.Exec("INSERT INTO Base VALUES (1, 3, 9)");
        QVERIFY(base->Locate("Risk id", 2));
        base->Edit();
        base->FieldByName("Risk id")->SetAsInteger(3);
        QCOMPARE(ErrorOf([&] { base->Post(); }), QString("Key violation."));
        QCOMPARE(base->ChangeCount(), 0);
        QCOMPARE(Column(base.get(), "Risk id"), QStringList({"1", "2"}));
        patients.Next();
        QCOMPARE(Column(base.get(), "Examination"), QStringList({"2.5"}));
        base->Edit();
        base->FieldByName("Examination")->SetAsFloat(3.5);
        base->Post();
        QCOMPARE(asked, 1);
        QCOMPARE(Stored(db, "Base", "Examination"), QStringList({"0.5", "1.5", "3.5", "9"}));
    }

    void frozenRowsNumberBeyondTheStoredOnes() {
        TJournalDatabase db;
        TTable patients;
        patients.SetDatabaseName(db.Name());
        patients.SetTableName("Patient");
        patients.SetIndexFieldNames("Patient id");
        patients.Open();
        TDataSource source;
        source.SetDataSet(&patients);
        auto journal = MlTable(db, "Journal");
        journal->SetIndexFieldNames("Patient id");
        journal->SetMasterSource(&source);
        journal->SetMasterFields("Patient id");
        journal->Open(); // patient 1: 10, 11, 12; patient 2 holds 20
        journal->SetFrozen(true);
        journal->Append();
        journal->Post();
        QCOMPARE(journal->FieldByName("Journal id")->AsInteger(), 21);
        journal->SetFrozen(false);
        // Nothing of the frozen time is written, and writing goes on.
        QCOMPARE(journal->RecordCount(), 3);
        QVERIFY(journal->Locate("Journal id", 11));
        journal->Edit();
        journal->FieldByName("Doctor")->SetAsString("Vik");
        journal->Post();
        journal->Append();
        journal->Post();
        QCOMPARE(Stored(db, "Journal", "Journal id"), QStringList({"10", "11", "12", "20", "21"}));
        QVERIFY(journal->Locate("Journal id", 11));
        QCOMPARE(journal->FieldByName("Doctor")->AsString(), QString("Vik"));
    }

    // A write-back that fails without a hook writes nothing: its rows are one transaction.
    void writeBackIsOneTransaction() {
        TJournalDatabase db;
        TTable table;
        table.SetDatabaseName(db.Name());
        table.SetTableName("Patient");
        TDataSetProvider provider;
        provider.SetDataSet(&table);
        TClientDataSet memory;
        memory.SetProvider(&provider);
        memory.Open();
        for (const QString seq : {"0005", "0002"}) { // the second is patient 2's key
            memory.Append();
            memory.FieldByName("Birth date")->SetAsDateTime(EncodeDate(1960, 4, 2));
            memory.FieldByName("Sequence id")->SetAsString(seq);
            memory.FieldByName("Export")->SetAsBoolean(false);
            memory.FieldByName("Test")->SetAsBoolean(false);
            memory.Post();
        }
        QCOMPARE(ErrorOf([&] { memory.ApplyUpdates(0); }), QString("Key violation."));
        QCOMPARE(memory.ChangeCount(), 2);
        QCOMPARE(Stored(db, "Patient", "Sequence id").size(), 3);
        QVERIFY(!db.Db->InTransaction());
    }

    void transactionScope() {
        TJournalDatabase db;
        {
            TTransactionScope scope(db.Db.get());
            db.AddJournal(30, 3, EncodeDate(2024, 1, 1));
        } // left without a commit
        QCOMPARE(Stored(db, "Journal", "Journal id").size(), 4);
        {
            TTransactionScope scope(db.Db.get());
            db.AddJournal(31, 3, EncodeDate(2024, 1, 1));
            scope.Commit();
        }
        QCOMPARE(Stored(db, "Journal", "Journal id").size(), 5);
        // Inside the caller's transaction the caller decides.
        db.Db->StartTransaction();
        {
            TTransactionScope scope(db.Db.get());
            db.AddJournal(32, 3, EncodeDate(2024, 1, 1));
        }
        QVERIFY(db.Db->InTransaction());
        db.Db->Commit();
        QCOMPARE(Stored(db, "Journal", "Journal id").size(), 6);
    }

    // "Refresh" takes the change back and shows the row as another writer stored it.
    void reconcileRefreshShowsTheStoredRow() {
        TJournalDatabase db;
        auto patients = MlTable(db, "Patient");
        patients->Open();
        QVERIFY(patients->Locate("Patient id", 1));
        // Another writer renames patient 1 and gives patient 3 a key after the table was read.
        db.Exec("UPDATE Patient SET \"First name\" = 'Annie' WHERE \"Patient id\" = 1");
        db.Exec("UPDATE Patient SET \"Sequence id\" = '0009', \"Birth date\" = ? WHERE \"Patient id\" = 3",
                {EncodeDate(1950, 3, 1)});
        patients->OnReconcileError = [](TDataSet*, TReconcileError&) { return TReconcileAction::raRefresh; };
        patients->Edit();
        patients->FieldByName("Sequence id")->SetAsString("0009");
        patients->Post();
        QCOMPARE(patients->ChangeCount(), 0);
        QVERIFY(patients->Locate("Patient id", 1));
        QCOMPARE(patients->FieldByName("First name")->AsString(), QString("Annie"));
        QCOMPARE(patients->FieldByName("Sequence id")->AsString(), QString("0001"));
    }

    void dialogOffersOnlyWorkingChoices() {
        TReconcileError error;
        TReconcileErrorForm form(nullptr, error);
        QVERIFY(!form.findChild<QRadioButton*>("MergeButton"));
        QVERIFY(form.findChild<QRadioButton*>("RefreshButton"));
    }

    void locateRaisesAFailedPendingPost() {
        TJournalDatabase db;
        auto patients = MlTable(db, "Patient");
        patients->Open();
        patients->Append();
        patients->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1960, 4, 2));
        patients->FieldByName("Sequence id")->SetAsString("0002");
        patients->FieldByName("Export")->SetAsBoolean(false);
        patients->FieldByName("Test")->SetAsBoolean(false);
        QCOMPARE(ErrorOf([&] { patients->Locate("Patient id", 1); }), QString("Key violation."));
        QCOMPARE(patients->State(), TDataSetState::dsInsert); // the typed row stays
        patients->Cancel();
        QVERIFY(!patients->Locate("No such field", 1)); // a failing search still reads as not found
    }

    // Once the cursor stands on the found row, an error of AfterScroll (or of
    // a detail following) is the caller's; a failing search, or a BeforeScroll
    // that refuses the move, leaves the cursor and reads as not found.
    void locatePassesOnAScrollHookError() {
        TJournalDatabase db;
        auto patients = MlTable(db, "Patient");
        patients->SetIndexFieldNames("Patient id");
        patients->Open();
        patients->AfterScroll = [](TDataSet* d) {
            if (d->FieldByName("Patient id")->AsInteger() == 2)
                throw EDatabaseError("No country for this row");
        };
        QCOMPARE(ErrorOf([&] { patients->Locate("Patient id", 2); }), QString("No country for this row"));
        QCOMPARE(patients->FieldByName("Patient id")->AsInteger(), 2);
        QVERIFY(patients->Locate("Patient id", 3));
        QVERIFY(!patients->Locate("No such field", 1));
        patients->BeforeScroll = [](TDataSet*) { throw EDatabaseError("Stay"); };
        QVERIFY(!patients->Locate("Patient id", 1));
        QCOMPARE(patients->FieldByName("Patient id")->AsInteger(), 3);
    }

    void rowDeletedByAnotherDataSetLeavesTheView() {
        TTestDatabase db;
        db.CreatePatientTables();
        db.Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1100) "
                "INSERT INTO Patient (\"Birth date\", \"Sequence id\", \"Last name\", Export, Test) "
                "SELECT 20000 + i, '0001', 'Name' || i, 0, 0 FROM n");
        TTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Patient");
        t.Open(); // beyond one page: the rows follow as they are reached
        db.Exec("DELETE FROM Patient WHERE \"Patient id\" = 1050");
        t.SetRecNo(1050);
        QCOMPARE(t.FieldByName("Last name")->AsString(), QString("Name1051"));
        QCOMPARE(t.RecordCount(), 1099);
    }

    // Beyond the whole-refresh size only the posted row is read back, even
    // when a filter hides it and the cursor stands on another row.
    void largeTableRereadsThePostedRow() {
        TTestDatabase db;
        db.CreatePatientTables();
        db.Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1100) "
                "INSERT INTO Patient (\"Birth date\", \"Sequence id\", \"Last name\", Export, Test) "
                "SELECT 20000 + i, '0001', 'Name' || i, 0, 0 FROM n");
        auto t = MlTable(db, "Patient");
        t->SetFilter("Export = False");
        t->SetFiltered(true);
        t->Open();
        t->Append();
        t->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1999, 9, 9));
        t->FieldByName("Sequence id")->SetAsString("0001");
        t->FieldByName("Last name")->SetAsString("Hidden");
        t->FieldByName("Export")->SetAsBoolean(true);
        t->FieldByName("Test")->SetAsBoolean(false);
        t->Post();
        const TDataPacket packet = t->Data();
        QCOMPARE(packet.Rows.size(), 1101);
        QCOMPARE(packet.Rows.last().Values.value(5).toString(), QString("Hidden"));
        QCOMPARE(packet.Rows.last().Values.value(0).toInt(), 1101);
        QCOMPARE(packet.Rows.first().Values.value(5).toString(), QString("Name1"));
    }
};

TAVLO_TEST(TestMlTableFaults);
#include "tst_MlTableFaults.moc"
