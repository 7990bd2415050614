#include "TestDatabase.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

namespace {

std::unique_ptr<TQuery> Query(TTestDatabase& db, const QStringList& lines) {
    auto q = std::make_unique<TQuery>();
    q->SetDatabaseName(db.Name());
    q->SetSQL(lines);
    return q;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void aliasFileDefaults() {
        QFile::remove(Session().AliasFile());
        Session().Reload();
        QStringList names;
        Session().GetAliasNames(names);
        for (const char* alias : {"TavloCalc", "TavloPatients", "TavloExp"})
            QVERIFY2(names.contains(alias), alias);
        QVERIFY(QFile::exists(Session().AliasFile()));
        // Compared as clean paths: with HOME=/ the data folder reads "//...".
        QCOMPARE(QDir::cleanPath(Session().AliasPath("tavlocalc")),
                 QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
        QVERIFY(Session().AliasFileName("TavloExp").endsWith("/Export.mdb"));
        QStringList config;
        Session().GetConfigParams("\\SYSTEM\\FORMATS\\NUMBER", config);
        QVERIFY(config.contains("DECIMALSEPARATOR=."));
        QVERIFY(!Session().AliasExists("\\SYSTEM\\FORMATS\\NUMBER"));
        // What is written survives a fresh read of the file.
        Session().SetConfigParams("\\SYSTEM\\FORMATS\\NUMBER", {"DECIMALSEPARATOR=,"});
        Session().Reload();
        Session().GetConfigParams("\\SYSTEM\\FORMATS\\NUMBER", config);
        QCOMPARE(config, QStringList({"DECIMALSEPARATOR=,"}));
        Session().AddPassword("abc123");
        QVERIFY(Session().Passwords().contains("abc123"));
    }

    void engineMessages_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing alias") << "alias" << "Alias 'NoSuchAlias' does not exist";
        QTest::newRow("missing database file") << "file" << "the file";
        QTest::newRow("missing table") << "table" << "Table 'Nowhere' does not exist";
        QTest::newRow("missing persistent field") << "field" << "Field 'Ghost' not found";
        QTest::newRow("unknown database name") << "dbname" << "Unknown database 'NoSuchDatabase'";
    }
    void engineMessages() {
        QFETCH(QString, what);
        QFETCH(QString, message);
        TTestDatabase db;
        db.FillPatients();
        try {
            if (what == "alias") {
                TDatabase d;
                d.SetDatabaseName("X");
                d.SetAliasName("NoSuchAlias");
                d.Open();
            } else if (what == "file") {
                Session().AddAlias("MissingFileAlias", {"PATH=" + db.Dir.path(), "DATABASE NAME=none.db"});
                TDatabase d;
                d.SetDatabaseName("Missing");
                d.SetAliasName("MissingFileAlias");
                d.Open();
            } else {
                TTable t;
                t.SetDatabaseName(what == "dbname" ? "NoSuchDatabase" : db.Name());
                t.SetTableName(what == "table" ? "Nowhere" : "Patient");
                if (what == "field")
                    new TStringField(&t, "Ghost");
                t.Open();
            }
            QFAIL("no error");
        } catch (const EDatabaseError& e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
        }
    }

    void walAndDurableCommit() {
        TTestDatabase db;
        db.FillPatients();
        QSqlQuery q(db.Db->Connection());
        QVERIFY(q.exec("PRAGMA journal_mode") && q.next());
        QCOMPARE(q.value(0).toString().toLower(), QString("wal"));
        QVERIFY(q.exec("PRAGMA synchronous") && q.next());
        QCOMPARE(q.value(0).toInt(), 2); // FULL
        // A posted row is committed at once: another connection sees it.
        TTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Journal");
        t.Open();
        t.Append();
        t.FieldByName("Patient id")->SetAsInteger(3);
        t.Post();
        TDatabase other;
        other.SetDatabaseName("Other");
        other.SetAliasName("TestDBAlias");
        other.Open();
        QSqlQuery check(other.Connection());
        QVERIFY(check.exec("SELECT count(*) FROM Journal WHERE \"Patient id\" = 3") && check.next());
        QCOMPARE(check.value(0).toInt(), 1);
    }

    void closingTheDatabaseClosesItsTables() {
        TTestDatabase db;
        db.FillPatients();
        TTestDatabase other("OtherDB", "other.db");
        other.FillPatients();
        other.Exec("DELETE FROM Patient WHERE \"Patient id\" = 2");
        TTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Patient");
        t.Open();
        t.Last();
        // Rebound to another file, as the start-up does: the open table must
        // not go on reading (or writing) rows by the old file's identities.
        db.Db->Close();
        QVERIFY(!t.Active());
        db.Db->SetAliasName("OtherDBAlias");
        db.Db->Open();
        t.Open();
        QCOMPARE(Column(&t, "Last name"), QStringList({"Berg", "Ek"}));
        // Freeing the database calls none of the table's handlers.
        bool called = false;
        t.BeforeClose = [&](TDataSet*) { called = true; };
        t.AfterClose = [&](TDataSet*) { called = true; };
        db.Db.reset();
        QVERIFY(!called);
        t.BeforeClose = nullptr;
        t.AfterClose = nullptr;
    }

    void rollbackRereadsOpenTables() {
        TTestDatabase db;
        db.FillPatients();
        TTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Journal");
        t.SetIndexFieldNames("Journal id");
        t.Open();
        TTable other;
        other.SetDatabaseName(db.Name());
        other.SetTableName("Journal");
        other.Open();
        db.Db->StartTransaction();
        t.Append();
        t.FieldByName("Patient id")->SetAsInteger(3);
        t.Post();
        const int rolledBack = t.FieldByName("Journal id")->AsInteger();
        other.Refresh();
        QCOMPARE(other.RecordCount(), 5);
        db.Db->Rollback();
        QCOMPARE(t.RecordCount(), 4);
        QCOMPARE(other.RecordCount(), 4);
        QVERIFY(!t.Locate("Journal id", rolledBack));
        // The freed identity goes to the next row; no table holds a stale copy of it.
        db.AddJournal(rolledBack, 2, EncodeDate(2024, 1, 1), "New");
        other.Refresh();
        QVERIFY(other.Locate("Journal id", rolledBack));
        QCOMPARE(other.FieldByName("Doctor")->AsString(), QString("New"));
    }

    void dataPacketRoundTrip() {
        TTestDatabase db;
        db.FillPatients();
        TTable source;
        source.SetDatabaseName(db.Name());
        source.SetTableName("Journal");
        TDataSetProvider provider;
        provider.SetDataSet(&source);
        TClientDataSet memory;
        memory.SetProvider(&provider);
        memory.SetIndexFieldNames("Date");
        memory.Open();
        QCOMPARE(Column(&memory, "Journal id"), QStringList({"20", "11", "10", "12"}));
        QVERIFY(memory.Locate("Journal id", 11));
        memory.Edit();
        memory.FieldByName("Doctor")->SetAsString("Vik");
        memory.Post();
        memory.Append();
        memory.FieldByName("Patient id")->SetAsInteger(3);
        memory.FieldByName("Date")->SetAsDateTime(EncodeDate(2023, 1, 1));
        memory.Post();
        QVERIFY(memory.Locate("Journal id", 20));
        memory.Delete();
        QCOMPARE(memory.ChangeCount(), 3);

        // The packet carries the changes; a second dataset loaded from it has them too.
        const TDataPacket packet = memory.Data();
        TClientDataSet copy;
        copy.SetData(packet);
        QCOMPARE(copy.ChangeCount(), 3);
        QCOMPARE(copy.RecordCount(), 4);

        QCOMPARE(memory.ApplyUpdates(0), 0);
        QCOMPARE(memory.ChangeCount(), 0);
        QVERIFY(memory.Locate("Date", EncodeDate(2023, 1, 1)));
        QCOMPARE(memory.FieldByName("Journal id")->AsInteger(), 21); // assigned by the store
        auto check = std::make_unique<TTable>();
        check->SetDatabaseName(db.Name());
        check->SetTableName("Journal");
        check->SetIndexFieldNames("Journal id");
        check->Open();
        QCOMPARE(Column(check.get(), "Journal id"), QStringList({"10", "11", "12", "21"}));
        QVERIFY(check->Locate("Journal id", 11));
        QCOMPARE(check->FieldByName("Doctor")->AsString(), QString("Vik"));
        // Changes after the write-back go to the same stored rows.
        memory.Edit();
        memory.FieldByName("Doctor")->SetAsString("Ny");
        memory.Post();
        QCOMPARE(memory.ApplyUpdates(0), 0);
        check->Refresh();
        QVERIFY(check->Locate("Journal id", 21));
        QCOMPARE(check->FieldByName("Doctor")->AsString(), QString("Ny"));
    }

    void reconcileChoices_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("pending");
        QTest::addColumn<int>("stored");
        QTest::newRow("abort keeps both changes") << int(TReconcileAction::raAbort) << 1 << 2 << 3;
        QTest::newRow("skip goes on") << int(TReconcileAction::raSkip) << 1 << 1 << 4;
        QTest::newRow("cancel takes the change back") << int(TReconcileAction::raCancel) << 0 << 0 << 4;
        QTest::newRow("correct writes the corrected row") << int(TReconcileAction::raCorrect) << 0 << 0 << 5;
    }
    void reconcileChoices() {
        QFETCH(int, action);
        QFETCH(int, errors);
        QFETCH(int, pending);
        QFETCH(int, stored);
        TTestDatabase db;
        db.FillPatients();
        TTable source;
        source.SetDatabaseName(db.Name());
        source.SetTableName("Patient");
        TDataSetProvider provider;
        provider.SetDataSet(&source);
        TClientDataSet memory;
        memory.SetProvider(&provider);
        memory.Open();
        auto add = [&](const QString& seq) {
            memory.Append();
            memory.FieldByName("Birth date")->SetAsDateTime(EncodeDate(1960, 4, 2));
            memory.FieldByName("Sequence id")->SetAsString(seq);
            memory.FieldByName("Export")->SetAsBoolean(false);
            memory.FieldByName("Test")->SetAsBoolean(false);
            memory.Post();
        };
        add("0002"); // same key as patient 2
        add("0005");
        QStringList seen;
        memory.OnReconcileError = [&](TDataSet*, TReconcileError& error) {
            seen << error.Message;
            if (TReconcileAction(action) == TReconcileAction::raCorrect)
                error.Values[IndexOfFieldDef(error.Defs, "Sequence id")] = "0009";
            return TReconcileAction(action);
        };
        QCOMPARE(memory.ApplyUpdates(-1), errors); // no limit: the choice decides
        QCOMPARE(seen, QStringList({"Key violation."}));
        QCOMPARE(memory.ChangeCount(), pending);
        TTable check;
        check.SetDatabaseName(db.Name());
        check.SetTableName("Patient");
        check.Open();
        QCOMPARE(check.RecordCount(), stored);
    }

    void batchCopyWithFilter() {
        TTestDatabase source("SourceDB", "source.db");
        source.FillPatients();
        TTestDatabase target("TargetDB", "target.db");
        target.CreatePatientTables();
        TTable from;
        from.SetDatabaseName(source.Name());
        from.SetTableName("Patient");
        from.SetFilter("Export = True");
        from.SetFiltered(true);
        from.Open();
        TTable to;
        to.SetDatabaseName(target.Name());
        to.SetTableName("PATIENT");
        TBatchMove move;
        move.Source = &from;
        move.Destination = &to;
        move.Execute();
        QCOMPARE(move.MovedCount(), 2);
        to.Open();
        QCOMPARE(Column(&to, "Last name"), QStringList({"Berg", "Ek"}));
        QCOMPARE(Column(&to, "Patient id"), QStringList({"1", "3"}));
        QCOMPARE(Column(&to, "Birth date"), Column(&from, "Birth date"));
    }

    void journalOrdinalQuery_data() {
        QTest::addColumn<int>("journalId");
        QTest::addColumn<int>("ordinal");
        QTest::newRow("earliest") << 11 << 1;
        QTest::newRow("middle") << 10 << 2;
        QTest::newRow("latest") << 12 << 4;
        QTest::newRow("same date, higher id") << 13 << 3;
    }
    void journalOrdinalQuery() {
        QFETCH(int, journalId);
        QFETCH(int, ordinal);
        TTestDatabase db;
        db.FillPatients();
        db.AddJournal(13, 1, EncodeDate(2020, 1, 10)); // ties with 10
        auto q = Query(db, {"SELECT \"Journal ID\" FROM Journal WHERE \"Patient ID\" = :PatientID and (\"Date\" < "
                            ":JournalDate or (\"Date\" = :JournalDate and \"Journal ID\" <= :JournalID))"});
        TTable journal;
        journal.SetDatabaseName(db.Name());
        journal.SetTableName("Journal");
        journal.Open();
        QVERIFY(journal.Locate("Journal id", journalId));
        q->ParamByName("PatientID").SetAsInteger(journal.FieldByName("Patient id")->AsInteger());
        q->ParamByName("JournalDate").SetAsDateTime(journal.FieldByName("Date")->AsDateTime());
        q->ParamByName("JournalID").SetAsInteger(journalId);
        q->Open();
        QCOMPARE(q->RecordCount(), ordinal);
    }

    void treatmentItemQueries() {
        TTestDatabase db;
        db.Create("Item", {{"ID", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 25}, {"Dose", TFieldType::ftFloat}});
        db.Create("ItemGroup", {{"ID", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 25}});
        db.Create("ItemLink", {{"JournalID", TFieldType::ftInteger}, {"GroupID", TFieldType::ftInteger},
                               {"ItemID", TFieldType::ftInteger}});
        db.Exec("INSERT INTO Item VALUES (1, 'Items', 0), (2, 'Aspirin', 75), (3, 'Statin', 20), (4, 'Aspirin', 500)");
        db.Exec("INSERT INTO ItemGroup VALUES (1, 'Groups'), (2, 'Ticked'), (3, 'Heart')");
        db.Exec("INSERT INTO ItemLink VALUES (1, 3, 4), (1, 3, 2), (1, 4, 3), (77, 3, 2), (77, 4, 3), (78, 3, 4)");
        TTable groups;
        groups.SetDatabaseName(db.Name());
        groups.SetTableName("ItemGroup");
        groups.Open();
        QVERIFY(groups.Locate("ID", 3));
        TDataSource groupSource;
        groupSource.SetDataSet(&groups);
        auto link = Query(db, {"SELECT JournalID, GroupID, ItemID, Name, Dose", "FROM ItemLink, Item",
                               "WHERE JournalID = 1 and ", "  GroupID = :ID and", "  ID = ItemID", "ORDER BY ",
                               "  Name, Dose"});
        link->SetDataSource(&groupSource);
        link->Open();
        QCOMPARE(Column(link.get(), "ItemID"), QStringList({"2", "4"}));
        QCOMPARE(link->FieldByName("Dose")->DataType(), TFieldType::ftFloat);
        QCOMPARE(link->FieldByName("Name")->Size(), 25);

        // The ticked items of an examination, with the parameter taken from the journal row.
        db.Create("Journal", {{"Journal id", TFieldType::ftAutoInc}, {"Patient id", TFieldType::ftInteger}});
        db.Exec("INSERT INTO Journal VALUES (77, 1), (78, 1)");
        TTable journal;
        journal.SetDatabaseName(db.Name());
        journal.SetTableName("Journal");
        journal.Open();
        TDataSource journalSource;
        journalSource.SetDataSet(&journal);
        auto ticked = Query(db, {"SELECT JournalID, GroupID, ItemID, Name, Dose", "FROM ItemLink, Item", "WHERE",
                                 "JournalID = :\"Journal ID\" and", "ID = ItemID", "ORDER BY Name, Dose"});
        ticked->SetDataSource(&journalSource);
        ticked->Open();
        QCOMPARE(Column(ticked.get(), "ItemID"), QStringList({"2", "3"}));
        journal.Next(); // the query follows the row
        QCOMPARE(Column(ticked.get(), "ItemID"), QStringList({"4"}));
    }

    void patientSearch_data() {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("found");
        QTest::newRow("last name with wildcard") << "(Patient.\"Last name\" LIKE 'B%')" << "Berg";
        QTest::newRow("two names") << "(Patient.\"Last name\" LIKE 'E%') AND (Patient.\"First name\" LIKE 'Co%')" << "Ek";
        QTest::newRow("quoted date") << "(Patient.\"Birth date\" = \"4/2/1960\")" << "Dahl";
        QTest::newRow("two centuries")
            << "((Patient.\"Birth date\" = #5/3/1970#) OR (Patient.\"Birth date\" = #5/3/2070#))" << "Ek";
        QTest::newRow("export marked") << "(Patient.\"Export\" = True)" << "Berg Ek";
        QTest::newRow("apostrophe in a name") << "(Patient.\"Last name\" LIKE " + QuotedStr("O'Hara") + ")" << "O'Hara";
        QTest::newRow("injection through a name")
            << "(Patient.\"Last name\" LIKE " + QuotedStr("x') OR (1=1") + ")" << "";
        QTest::newRow("statement through a name")
            << "(Patient.\"Last name\" LIKE " + QuotedStr("'; DROP TABLE Patient; --") + ")" << "";
        QTest::newRow("double quotes in a name") << "(Patient.\"Last name\" LIKE " + QuotedStr("\"Q%") + ")" << "\"Quote\"";
    }
    void patientSearch() {
        QFETCH(QString, condition);
        QFETCH(QString, found);
        TTestDatabase db;
        db.FillPatients();
        db.AddPatient(4, "Sean", "O'Hara", EncodeDate(1980, 1, 1), "0004");
        db.AddPatient(5, "Qi", "\"Quote\"", EncodeDate(1981, 1, 1), "0005");
        auto q = Query(db, {"SELECT Patient.\"Patient ID\", Patient.\"Last name\", Patient.\"First name\", "
                            "Patient.\"Birth date\", Patient.\"Export\"",
                            " FROM Patient", "WHERE (", condition, ")"});
        q->Open();
        QCOMPARE(Column(q.get(), "Last name").join(' '), found);
        QCOMPARE(q->FieldByName("Birth date")->DataType(), TFieldType::ftDateTime);
        QCOMPARE(q->FieldByName("Export")->DataType(), TFieldType::ftBoolean);
        TTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Patient");
        t.Open();
        QCOMPARE(t.RecordCount(), 5); // nothing ran but the search
    }

    void typedTextNeverBecomesSql() {
        TTestDatabase db;
        db.FillPatients();
        db.AddPatient(4, "Sean", "O'Hara", EncodeDate(1980, 1, 1), "0004");
        // Pasted without quoting, the text breaks the statement: refused, not run.
        QVERIFY_THROWS_EXCEPTION(
            EDatabaseError, Query(db, {"SELECT * FROM Patient WHERE \"Last name\" LIKE 'x'; DELETE FROM Patient; --'"}));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, Query(db, {"SELECT * FROM Patient; DROP TABLE Patient"}));
        // As a parameter it is only ever a value.
        auto q = Query(db, {"SELECT * FROM Patient WHERE \"Last name\" LIKE :Name"});
        for (const QString& name : {QString("O'Hara"), QString("' OR 1=1 --"), QString("%'; DELETE FROM Patient;")}) {
            q->Close();
            q->ParamByName("Name").SetAsString(name);
            q->Open();
            QCOMPARE(q->RecordCount(), name == "O'Hara" ? 1 : 0);
        }
        TTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Patient");
        t.Open();
        QCOMPARE(t.RecordCount(), 4);
    }

    void warningQueries() {
        TTestDatabase db;
        db.FillPatients();
        db.Exec("INSERT INTO Base VALUES (1, 7, 1), (1, 8, 1), (1, 9, 0), (2, 7, 1)");
        db.Create("Risks_D", {{"Risk id", TFieldType::ftInteger}, {"NotUsedInCalc", TFieldType::ftBoolean}});
        db.Exec("INSERT INTO Risks_D VALUES (7, 0), (8, 1), (9, 1)");
        auto base = Query(db, {QString("SELECT * FROM Base B WHERE B.\"Patient id\" = %1 and Examination = 1").arg(1)});
        base->Open();
        QString conditions;
        for (const QString& risk : Column(base.get(), "Risk id"))
            conditions += " or R.\"Risk id\" = " + risk;
        QCOMPARE(conditions, QString(" or R.\"Risk id\" = 7 or R.\"Risk id\" = 8"));
        auto notUsed = Query(db, {QString("SELECT NotUsedInCalc FROM Risks%1 R WHERE NotUsedInCalc = True and (%2)")
                                      .arg("_D", conditions.mid(4))});
        notUsed->Open();
        QCOMPARE(notUsed->RecordCount(), 1);
        QCOMPARE(notUsed->FieldByName("NotUsedInCalc")->AsBoolean(), true);
    }

    void queryWithFilterAndOrder() {
        TTestDatabase db;
        db.Create("Country", {{"Country id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 50},
                              {"ISOLanguage", TFieldType::ftString, 5}, {"Enabled", TFieldType::ftBoolean}});
        db.Exec("INSERT INTO Country (Name, ISOLanguage, Enabled) VALUES ('Sweden', 'sv', 1), ('Austria', 'de', 1), "
                "('Norway', 'no', 0)");
        auto iso = Query(db, {"SELECT ISOLanguage, Name, Enabled", "FROM Country", "ORDER BY Name"});
        iso->SetFilter("Enabled = True");
        iso->SetFiltered(true);
        iso->Open();
        QCOMPARE(Column(iso.get(), "Name"), QStringList({"Austria", "Sweden"}));
        QVERIFY(!iso->CanModify());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, iso->Edit());
        auto update = Query(db, {"UPDATE Country SET Enabled = True WHERE Name = :Name"});
        update->ParamByName("name").SetAsString("Norway");
        update->ExecSQL();
        QCOMPARE(update->RowsAffected(), 1);
        iso->Refresh();
        QCOMPARE(iso->RecordCount(), 3);
    }
};

TAVLO_TEST(TestStore);
#include "tst_Store.moc"
