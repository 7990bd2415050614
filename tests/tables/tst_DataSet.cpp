#include "Conversions.h"
#include "FormatSettings.h"
#include "TestDatabase.h"
#include "TestMain.h"

#include <QSignalSpy>
#include <cmath>
#include <QTest>

namespace {

std::unique_ptr<TTable> OpenTable(TTestDatabase& db, const QString& name, const QString& order = QString()) {
    auto t = std::make_unique<TTable>();
    t->SetDatabaseName(db.Name());
    t->SetTableName(name);
    if (!order.isEmpty())
        t->SetIndexFieldNames(order);
    t->Open();
    return t;
}

// The same stored table as a table or as an in-memory dataset fed by a provider.
struct TEither {
    std::unique_ptr<TTable> Source;
    std::unique_ptr<TDataSetProvider> Provider;
    std::unique_ptr<TClientDataSet> Client;
    TDataSet* DataSet = nullptr;
    TEither(TTestDatabase& db, const QString& table, bool memory) {
        Source = std::make_unique<TTable>();
        Source->SetDatabaseName(db.Name());
        Source->SetTableName(table);
        if (!memory) {
            DataSet = Source.get();
            return;
        }
        Provider = std::make_unique<TDataSetProvider>();
        Provider->SetDataSet(Source.get());
        Client = std::make_unique<TClientDataSet>();
        Client->SetProvider(Provider.get());
        DataSet = Client.get();
    }
    void Post() {
        DataSet->Post();
        if (Client)
            Client->ApplyUpdates(0);
    }
};

} // namespace

class TestDataSet : public QObject {
    Q_OBJECT
private slots:
    void init() { FormatSettings() = TFormatSettings(); }

    void cursorMoves_data() {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<bool>("bof");
        QTest::addColumn<bool>("eof");
        QTest::newRow("open") << "" << 1 << true << false;
        QTest::newRow("next") << "N" << 2 << false << false;
        QTest::newRow("past the end") << "NNNN" << 3 << false << true;
        QTest::newRow("prior from last") << "LP" << 2 << false << false;
        QTest::newRow("before the start") << "P" << 1 << true << false;
        QTest::newRow("last") << "L" << 3 << false << true;
        QTest::newRow("move by 2") << "+" << 3 << false << false;
        QTest::newRow("move by -5") << "L-" << 1 << true << false;
        QTest::newRow("first after last") << "LF" << 1 << true << false;
    }
    void cursorMoves() {
        QFETCH(QString, moves);
        QFETCH(int, recNo);
        QFETCH(bool, bof);
        QFETCH(bool, eof);
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient");
        int scrolls = 0;
        t->AfterScroll = [&](TDataSet*) { ++scrolls; };
        for (QChar m : moves) {
            switch (m.toLatin1()) {
            case 'N': t->Next(); break;
            case 'P': t->Prior(); break;
            case 'L': t->Last(); break;
            case 'F': t->First(); break;
            case '+': t->MoveBy(2); break;
            case '-': t->MoveBy(-5); break;
            }
        }
        QCOMPARE(t->RecNo(), recNo);
        QCOMPARE(t->Bof(), bof);
        QCOMPARE(t->Eof(), eof);
        QCOMPARE(scrolls, int(moves.size()));
        QCOMPARE(t->FieldByName("Patient id")->AsInteger(), recNo);
    }

    void emptyDataSet() {
        TTestDatabase db;
        db.CreatePatientTables();
        auto t = OpenTable(db, "Patient");
        QVERIFY(t->Bof() && t->Eof() && t->IsEmpty());
        QCOMPARE(t->RecNo(), 0);
        QVERIFY(t->FieldByName("Last name")->IsNull());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, t->Delete());
    }

    void bookmarksAndRefresh() {
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient", "Last name");
        t->Next(); // Dahl
        const auto mark = t->GetBookmark();
        t->Last();
        t->GotoBookmark(mark);
        QCOMPARE(t->FieldByName("Last name")->AsString(), QString("Dahl"));
        // A row stored by someone else before the current one: refresh keeps the row.
        db.AddPatient(4, "Ada", "Aalto", EncodeDate(1940, 1, 1), "0004");
        t->Refresh();
        QCOMPARE(t->FieldByName("Last name")->AsString(), QString("Dahl"));
        QCOMPARE(t->RecNo(), 3);
        QCOMPARE(t->RecordCount(), 4);
        t->Delete();
        QVERIFY(!t->BookmarkValid(mark));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, t->GotoBookmark(mark));
    }

    void editingEvents_data() {
        QTest::addColumn<bool>("memory");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("events");
        for (bool memory : {false, true}) {
            const char* kind = memory ? "memory " : "table ";
            QTest::addRow("%sedit post", kind) << memory << "edit-post" << "BeforeEdit AfterEdit BeforePost AfterPost";
            QTest::addRow("%sedit cancel", kind) << memory << "edit-cancel" << "BeforeEdit AfterEdit BeforeCancel AfterCancel";
            QTest::addRow("%sinsert post", kind) << memory << "insert-post"
                                                  << "BeforeInsert BeforeScroll OnNewRecord AfterInsert AfterScroll BeforePost AfterPost";
            QTest::addRow("%sappend cancel", kind) << memory << "append-cancel"
                                                    << "BeforeInsert BeforeScroll OnNewRecord AfterInsert AfterScroll BeforeCancel AfterCancel";
            QTest::addRow("%sdelete", kind) << memory << "delete" << "BeforeDelete BeforeScroll AfterDelete AfterScroll";
        }
    }
    void editingEvents() {
        QFETCH(bool, memory);
        QFETCH(QString, operation);
        QFETCH(QString, events);
        TTestDatabase db;
        db.FillPatients();
        TEither e(db, "Patient", memory);
        TDataSet* ds = e.DataSet;
        ds->Open();
        QStringList log;
        auto note = [&](const char* name) { return [&log, name](TDataSet*) { log << name; }; };
        ds->BeforeEdit = note("BeforeEdit");
        ds->AfterEdit = note("AfterEdit");
        ds->BeforeInsert = note("BeforeInsert");
        ds->AfterInsert = note("AfterInsert");
        ds->BeforePost = note("BeforePost");
        ds->AfterPost = note("AfterPost");
        ds->BeforeCancel = note("BeforeCancel");
        ds->AfterCancel = note("AfterCancel");
        ds->BeforeDelete = note("BeforeDelete");
        ds->AfterDelete = note("AfterDelete");
        ds->BeforeScroll = note("BeforeScroll");
        ds->AfterScroll = note("AfterScroll");
        ds->OnNewRecord = [&](TDataSet* d) {
            log << "OnNewRecord";
            d->FieldByName("Export")->SetAsBoolean(false);
            d->FieldByName("Test")->SetAsBoolean(false);
        };
        const QStringList parts = operation.split('-');
        if (parts[0] == "edit") {
            ds->Edit();
            QCOMPARE(ds->State(), TDataSetState::dsEdit);
            ds->FieldByName("Last name")->SetAsString("Changed");
        } else if (parts[0] == "insert" || parts[0] == "append") {
            parts[0] == "insert" ? ds->Insert() : ds->Append();
            QCOMPARE(ds->State(), TDataSetState::dsInsert);
            ds->FieldByName("Last name")->SetAsString("New");
            ds->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1999, 9, 9));
            ds->FieldByName("Sequence id")->SetAsString("0009");
        } else {
            ds->Delete();
        }
        if (parts.value(1) == "post")
            e.Post();
        else if (parts.value(1) == "cancel")
            ds->Cancel();
        QCOMPARE(log.join(' '), events);
        QCOMPARE(ds->State(), TDataSetState::dsBrowse);
        if (e.Client)
            QCOMPARE(e.Client->ApplyUpdates(0), 0);

        // What reached the store.
        auto check = OpenTable(db, "Patient");
        QStringList names = Column(check.get(), "Last name");
        if (operation == "edit-post")
            QCOMPARE(names, QStringList({"Changed", "Dahl", "Ek"}));
        else if (operation == "insert-post") {
            QCOMPARE(names, QStringList({"Berg", "Dahl", "Ek", "New"}));
            QCOMPARE(ds->FieldByName("Last name")->AsString(), QString("New"));
            QCOMPARE(ds->FieldByName("Patient id")->AsInteger(), 4); // assigned by the store
        } else if (operation == "delete")
            QCOMPARE(names, QStringList({"Dahl", "Ek"}));
        else
            QCOMPARE(names, QStringList({"Berg", "Dahl", "Ek"}));
    }

    void abortInBeforePostKeepsTheEdit() {
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient");
        t->BeforePost = [](TDataSet*) { Abort(); };
        t->Edit();
        t->FieldByName("Last name")->SetAsString("Nope");
        QVERIFY_THROWS_EXCEPTION(EAbort, t->Post());
        QCOMPARE(t->State(), TDataSetState::dsEdit);
        t->Cancel();
        QCOMPARE(t->FieldByName("Last name")->AsString(), QString("Berg"));
        auto check = OpenTable(db, "Patient");
        QCOMPARE(check->FieldByName("Last name")->AsString(), QString("Berg"));
    }

    void requiredAndReadOnly() {
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient");
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, t->FieldByName("Last name")->SetAsString("x")); // not editing
        t->Insert();
        try {
            t->Post();
            QFAIL("posted without the required fields");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.Message(), QString("Field 'Export' must have a value"));
        }
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, t->FieldByName("Patient id")->SetAsInteger(9));
        t->Cancel();
        QCOMPARE(t->RecordCount(), 3);
    }

    void fieldValuesAndText() {
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Journal", "Journal id");
        TField* date = t->FieldByName("Date");
        TField* id = t->FieldByName("journal ID");
        QCOMPARE(id->DataType(), TFieldType::ftAutoInc);
        QCOMPARE(t->FieldByName("Doctor")->Size(), 50);
        QCOMPARE(date->AsDateTime(), EncodeDate(2020, 1, 10));
        QCOMPARE(date->DisplayText(), QString("10-01-2020"));
        QCOMPARE(id->AsString(), QString("10"));
        QCOMPARE(id->AsFloat(), 10.0);
        QVERIFY(t->FieldByName("Memo")->IsNull());
        QVERIFY(t->FindField("Nothing") == nullptr);
        try {
            t->FieldByName("Nothing");
            QFAIL("no error");
        } catch (const EDatabaseError& e) {
            QVERIFY(e.Message().contains("Field 'Nothing' not found"));
        }
        t->Edit();
        date->SetText("02-03-2021");
        QCOMPARE(date->AsDateTime(), EncodeDate(2021, 3, 2));
        t->FieldByName("Memo")->SetValue("note");
        t->FieldByName("CalcID")->SetAsString("7");
        QVERIFY_THROWS_EXCEPTION(EConvertError, t->FieldByName("CalcID")->SetAsString("seven"));
        t->Post();
        auto check = OpenTable(db, "Journal", "Journal id");
        QCOMPARE(check->FieldByName("Date")->AsDateTime(), EncodeDate(2021, 3, 2));
        QCOMPARE(check->FieldByName("CalcID")->AsInteger(), 7);
        QCOMPARE(check->FieldByName("Memo")->AsString(), QString("note"));
    }

    void integerRanges_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("small at its top") << "S" << QVariant(32767) << true;
        QTest::newRow("small beyond 16 bits") << "S" << QVariant(70000) << false;
        QTest::newRow("small below") << "S" << QVariant(-32769) << false;
        QTest::newRow("small from text") << "S" << QVariant("40000") << false;
        QTest::newRow("small from float") << "S" << QVariant(32767.4) << true;
        QTest::newRow("integer beyond 32 bits") << "I" << QVariant(qint64(5000000000)) << false;
        QTest::newRow("integer from a huge float") << "I" << QVariant(1e20) << false;
        QTest::newRow("integer at its bottom") << "I" << QVariant(qint64(-2147483648LL)) << true;
    }
    void integerRanges() {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(bool, accepted);
        TClientDataSet c;
        c.CreateDataSet({{"I", TFieldType::ftInteger}, {"S", TFieldType::ftSmallint}});
        c.Append();
        c.FieldByName(field)->SetAsInteger(1);
        try {
            c.FieldByName(field)->SetValue(value);
            QVERIFY(accepted);
            QCOMPARE(c.FieldByName(field)->AsFloat(), std::round(value.toDouble()));
        } catch (const EDatabaseError& e) {
            QVERIFY2(!accepted, qPrintable(e.Message()));
            QVERIFY2(e.Message().contains("is not a valid value for field '" + field + "'"), qPrintable(e.Message()));
            QCOMPARE(c.FieldByName(field)->AsInteger(), 1); // the old value stays
        }
    }

    void textEventsAndOverriddenFields() {
        // A dataset whose float fields show their value doubled: the hook a
        // converting field uses.
        class TDoubledField : public TFloatField {
        public:
            using TFloatField::TFloatField;

        protected:
            QString GetText(bool) const override { return IsNull() ? QString() : FloatToStr(AsFloat() * 2); }
            void SetTextValue(const QString& text) override { SetAsFloat(StrToFloat(text) / 2); }
        };
        class TDoublingTable : public TTable {
        protected:
            TField* CreateField(const TFieldDef& def) override {
                if (def.DataType == TFieldType::ftFloat)
                    return new TDoubledField(this, def.Name);
                return TTable::CreateField(def);
            }
        };
        TTestDatabase db;
        db.FillPatients();
        db.Exec("INSERT INTO Base VALUES (1, 5, 1.25)");
        TDoublingTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Base");
        t.Open();
        TField* value = t.FieldByName("Examination");
        QCOMPARE(value->DisplayText(), QString("2.5"));
        QCOMPARE(value->AsString(), QString("1.25")); // the stored value
        {
            TDecimalSeparatorScope comma(',');
            QCOMPARE(value->Text(), QString("2,5"));
        }
        t.Edit();
        value->SetText("5");
        QCOMPARE(value->AsFloat(), 2.5);
        value->OnGetText = [](TField* f, QString& text, bool display) {
            text = (display ? "shown " : "edit ") + f->AsString();
        };
        value->OnSetText = [](TField* f, const QString& text) { f->SetAsFloat(text.size()); };
        QCOMPARE(value->DisplayText(), QString("shown 2.5"));
        QCOMPARE(value->Text(), QString("edit 2.5"));
        value->SetText("abc");
        QCOMPARE(value->AsFloat(), 3.0);
        t.Post();
    }

    void calculatedAndLookupFields() {
        TTestDatabase db;
        db.FillPatients();
        auto patients = OpenTable(db, "Patient");
        TTable journal;
        journal.SetDatabaseName(db.Name());
        journal.SetTableName("Journal");
        journal.SetIndexFieldNames("Journal id");
        // Persistent fields: the data fields used plus a lookup and a calculated field.
        new TAutoIncField(&journal, "Journal id");
        new TIntegerField(&journal, "Patient id");
        new TDateTimeField(&journal, "Date");
        new TStringField(&journal, "Doctor", 50);
        auto* last = new TStringField(&journal, "Last name", 30, TFieldKind::fkLookup);
        last->SetLookupDataSet(patients.get());
        last->KeyFields = "Patient id";
        last->LookupKeyFields = "Patient id";
        last->LookupResultField = "Last name";
        auto* label = new TStringField(&journal, "Label", 40, TFieldKind::fkCalculated);
        journal.OnCalcFields = [&](TDataSet* ds) {
            ds->FieldByName("Label")->SetAsString(ds->FieldByName("Doctor")->AsString() + "/" +
                                                  ds->FieldByName("Last name")->AsString());
        };
        journal.Open();
        QCOMPARE(journal.FieldCount(), 6);
        QCOMPARE(Column(&journal, "Label"), QStringList({"Lind/Berg", "Moe/Berg", "Lind/Berg", "Moe/Dahl"}));
        QCOMPARE(patients->RecNo(), 1); // the lookup did not move the other dataset
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, label->SetAsString("x"));
        journal.Edit();
        journal.FieldByName("Patient id")->SetAsInteger(3);
        QCOMPARE(label->AsString(), QString("Lind/Ek")); // recomputed as the row changes
        journal.Cancel();
        QCOMPARE(label->AsString(), QString("Lind/Berg"));
        QCOMPARE(patients->Lookup("Patient id", 2, "First name").toString(), QString("Bo"));
        QVERIFY(!patients->Lookup("Patient id", 99, "First name").isValid());
    }

    void masterDetail_data() {
        QTest::addColumn<bool>("memory");
        QTest::newRow("table") << false;
        QTest::newRow("memory") << true;
    }
    void masterDetail() {
        QFETCH(bool, memory);
        TTestDatabase db;
        db.FillPatients();
        auto patients = OpenTable(db, "Patient");
        TDataSource source;
        source.SetDataSet(patients.get());
        TEither e(db, "Journal", memory);
        TDataSet* journal = e.DataSet;
        journal->SetIndexFieldNames("Patient id;Date;Journal id");
        journal->SetMasterFields("Patient id");
        journal->SetMasterSource(&source);
        int scrolls = 0;
        journal->AfterScroll = [&](TDataSet*) { ++scrolls; };
        journal->Open();
        QCOMPARE(Column(journal, "Journal id"), QStringList({"11", "10", "12"})); // by date
        patients->Next();
        QCOMPARE(Column(journal, "Journal id"), QStringList({"20"}));
        QVERIFY(scrolls >= 1); // the detail went to its first row
        patients->Next();
        QVERIFY(journal->IsEmpty());
        // A new detail row takes the master's key.
        journal->Append();
        QCOMPARE(journal->FieldByName("Patient id")->AsInteger(), 3);
        journal->FieldByName("Date")->SetAsDateTime(EncodeDate(2022, 1, 1));
        e.Post();
        QCOMPARE(journal->RecordCount(), 1);
        patients->First();
        QCOMPARE(journal->RecordCount(), 3);
        patients->Last();
        QCOMPARE(journal->RecordCount(), 1);
        auto check = OpenTable(db, "Journal");
        QVERIFY(check->Locate("Patient id;Date", QVariantList{3, EncodeDate(2022, 1, 1)}));
        // A master inserting a row has no key yet: the detail shows nothing.
        patients->OnNewRecord = nullptr;
        patients->Insert();
        QVERIFY(journal->IsEmpty());
        patients->Cancel();
        QCOMPARE(journal->RecordCount(), 1);
    }

    void nearestAndExactKey_data() {
        QTest::addColumn<QDate>("key");
        QTest::addColumn<int>("journalId");
        QTest::newRow("exact") << QDate(2020, 1, 10) << 10;
        QTest::newRow("between") << QDate(2019, 7, 1) << 10;
        QTest::newRow("before all") << QDate(2000, 1, 1) << 20;
        QTest::newRow("after all: last") << QDate(2030, 1, 1) << 12;
    }
    void nearestAndExactKey() {
        QFETCH(QDate, key);
        QFETCH(int, journalId);
        TTestDatabase db;
        db.FillPatients();
        for (bool memory : {false, true}) {
            TEither e(db, "Journal", memory);
            e.DataSet->SetIndexFieldNames("Date");
            e.DataSet->Open();
            e.DataSet->FindNearest({DateOf(key)});
            QCOMPARE(e.DataSet->FieldByName("Journal id")->AsInteger(), journalId);
            QCOMPARE(e.DataSet->FindKey({DateOf(key)}), key == QDate(2020, 1, 10));
        }
    }

    void locate_data() {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QVariant>("values");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("found"); // Patient id, 0 = none
        QTest::newRow("one field") << "Last name" << QVariant("Dahl") << 0 << 2;
        QTest::newRow("case differs") << "Last name" << QVariant("dahl") << 0 << 0;
        QTest::newRow("case-insensitive") << "Last name" << QVariant("dahl") << int(loCaseInsensitive) << 2;
        QTest::newRow("partial") << "First name" << QVariant("Co") << int(loPartialKey) << 3;
        QTest::newRow("partial needs the option") << "First name" << QVariant("Co") << 0 << 0;
        QTest::newRow("two fields") << "Last name;Sequence id" << QVariant(QVariantList{"Ek", "0003"}) << 0 << 3;
        QTest::newRow("two fields, one wrong") << "Last name;Sequence id" << QVariant(QVariantList{"Ek", "0001"}) << 0 << 0;
        QTest::newRow("integer from text") << "Patient id" << QVariant("2") << 0 << 2;
        const int both = int(loCaseInsensitive) | int(loPartialKey);
        QTest::newRow("partial, case-insensitive") << "First name" << QVariant("cO") << both << 3;
        QTest::newRow("partial, case differs") << "First name" << QVariant("co") << int(loPartialKey) << 0;
        QTest::newRow("partial: % is a letter") << "Last name" << QVariant("D%") << both << 0;
        QTest::newRow("partial: _ is a letter") << "Last name" << QVariant("_ahl") << both << 0;
        QTest::newRow("case-insensitive: å finds Å") << "Last name" << QVariant("ågård") << int(loCaseInsensitive) << 4;
        QTest::newRow("partial, case-insensitive: å finds Å") << "Last name" << QVariant("åG") << both << 4;
        QTest::newRow("partial, case-insensitive: a is not å") << "Last name" << QVariant("ag") << both << 0;
    }
    void locate() {
        QFETCH(QString, fields);
        QFETCH(QVariant, values);
        QFETCH(int, options);
        QFETCH(int, found);
        TTestDatabase db;
        db.FillPatients();
        db.AddPatient(4, "Åse", "Ågård", EncodeDate(1980, 6, 4), "0004");
        auto t = OpenTable(db, "Patient");
        t->Last();
        QCOMPARE(t->Locate(fields, values, options), found != 0);
        QCOMPARE(t->FieldByName("Patient id")->AsInteger(), found != 0 ? found : 4);
    }

    void filters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("caseInsensitive");
        QTest::addColumn<QString>("ids");
        QTest::newRow("bracketed name") << "[Risk id] <> 7" << false << "1 2 4 5";
        QTest::newRow("greater") << "ID > 1" << false << "2 3 4 5";
        QTest::newRow("less or equal") << "Value <= 2.5" << false << "1 2";
        QTest::newRow("greater or equal") << "Value >= 2.5" << false << "2 3 4";
        QTest::newRow("less") << "Value < 2" << false << "1";
        QTest::newRow("logical = True") << "Enabled = True" << false << "1 3";
        QTest::newRow("logical = False") << "Enabled = False" << false << "2 4";
        QTest::newRow("bare logical") << "Enabled" << false << "1 3";
        QTest::newRow("text") << "Name = 'Alpha'" << false << "1";
        QTest::newRow("double-quoted text") << "Name = \"alpha\"" << false << "4";
        QTest::newRow("text without case") << "Name = 'ALPHA'" << true << "1 4";
        QTest::newRow("text order without case") << "Name < 'b'" << true << "1 4";
        QTest::newRow("and/or/parentheses") << "(Type = 3 or Type = 1) and Enabled" << false << "1 3";
        QTest::newRow("or binds looser") << "Type = 1 or Type = 3 and Enabled" << false << "1 3 4";
        QTest::newRow("keywords in any case") << "enabled = TRUE AND id < 3" << false << "1";
        QTest::newRow("False") << "False" << false << "";
        QTest::newRow("True") << "True" << false << "1 2 3 4 5";
        QTest::newRow("empty value never matches") << "Value <> 1" << false << "2 3 4";
        QTest::newRow("empty filter") << "" << false << "1 2 3 4 5";
    }
    void filters() {
        QFETCH(QString, filter);
        QFETCH(bool, caseInsensitive);
        QFETCH(QString, ids);
        TTestDatabase db;
        db.Create("Items", {{"ID", TFieldType::ftAutoInc}, {"Risk id", TFieldType::ftInteger},
                            {"Name", TFieldType::ftString, 20}, {"Type", TFieldType::ftSmallint},
                            {"Enabled", TFieldType::ftBoolean}, {"Value", TFieldType::ftFloat}});
        db.Exec("INSERT INTO Items VALUES (1, 1, 'Alpha', 1, 1, 1.0), (2, 2, 'Beta', 2, 0, 2.5), "
                "(3, 7, 'Gamma', 3, 1, 3.0), (4, 4, 'alpha', 1, 0, 4.0), (5, 5, 'delta', 2, NULL, NULL)");
        for (bool memory : {false, true}) {
            TEither e(db, "Items", memory);
            e.DataSet->SetFilter(filter);
            e.DataSet->SetFilterOptions(caseInsensitive ? foCaseInsensitive : 0);
            e.DataSet->SetFiltered(true);
            e.DataSet->Open();
            QCOMPARE(Column(e.DataSet, "ID").join(' '), ids);
            e.DataSet->SetFiltered(false);
            QCOMPARE(e.DataSet->RecordCount(), 5);
        }
    }

    void malformedFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::newRow("missing operand") << "Name = ";
        QTest::newRow("missing parenthesis") << "(ID = 1";
        QTest::newRow("dangling and") << "ID = 1 and";
        QTest::newRow("unclosed bracket") << "[Risk id <> 7";
        QTest::newRow("unknown operator") << "ID ! 1";
        QTest::newRow("unterminated text") << "Name = 'abc";
        QTest::newRow("unknown field") << "Nope = 1";
        QTest::newRow("text against number") << "Name = 1";
        QTest::newRow("bare number") << "ID";
        QTest::newRow("two operands") << "ID 1";
    }
    void malformedFilters() {
        QFETCH(QString, filter);
        TTestDatabase db;
        db.Create("Items", {{"ID", TFieldType::ftAutoInc}, {"Risk id", TFieldType::ftInteger},
                            {"Name", TFieldType::ftString, 20}});
        db.Exec("INSERT INTO Items VALUES (1, 1, 'a'), (2, 7, 'b')");
        auto t = OpenTable(db, "Items");
        t->SetFilter("ID = 2");
        t->SetFiltered(true);
        try {
            t->SetFilter(filter);
            QFAIL("accepted a malformed filter");
        } catch (const EDatabaseError& e) {
            QVERIFY2(!e.Message().isEmpty(), "no message");
        }
        // The old filter still holds; nothing silently matches everything.
        QCOMPARE(Column(t.get(), "ID"), QStringList({"2"}));
    }

    void caseInsensitiveNames_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::newRow("as stored") << "Risks" << "Risk id";
        QTest::newRow("upper") << "RISKS" << "RISK ID";
        QTest::newRow("lower") << "risks" << "risk Id";
    }
    void caseInsensitiveNames() {
        QFETCH(QString, table);
        QFETCH(QString, field);
        TTestDatabase db;
        db.Create("Risks", {{"Risk id", TFieldType::ftAutoInc}, {"Name", TFieldType::ftString, 50}});
        db.Exec("INSERT INTO Risks (Name) VALUES ('Age')");
        auto t = OpenTable(db, table, field);
        QCOMPARE(t->FieldByName(field)->AsInteger(), 1);
        QVERIFY(t->Locate(field, 1));
        t->SetFilter(QString("[%1] = 1").arg(field));
        t->SetFiltered(true);
        QCOMPARE(t->RecordCount(), 1);
    }

    void keyViolation_data() {
        QTest::addColumn<bool>("memory");
        QTest::newRow("table") << false;
        QTest::newRow("memory with write-back") << true;
    }
    void keyViolation() {
        QFETCH(bool, memory);
        TTestDatabase db;
        db.FillPatients();
        TEither e(db, "Patient", memory);
        e.DataSet->Open();
        e.DataSet->Append();
        e.DataSet->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1960, 4, 2));
        e.DataSet->FieldByName("Sequence id")->SetAsString("0002");
        e.DataSet->FieldByName("Export")->SetAsBoolean(false);
        e.DataSet->FieldByName("Test")->SetAsBoolean(false);
        try {
            e.Post();
            QFAIL("a second patient with the same key was stored");
        } catch (const EDatabaseError& error) {
            QCOMPARE(error.Message(), QString("Key violation."));
        }
        if (!memory)
            QCOMPARE(e.DataSet->State(), TDataSetState::dsInsert); // the typed row is kept
        else
            QCOMPARE(e.Client->ChangeCount(), 1); // the change is kept, not lost
        auto check = OpenTable(db, "Patient");
        QCOMPARE(check->RecordCount(), 3);
    }

    void indexName() {
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient");
        t->SetIndexName("DEFAULT_ORDER");
        QCOMPARE(t->OrderFieldNames(), QStringList({"Birth date", "Sequence id"}));
        t->Last();
        QCOMPARE(t->FieldByName("Last name")->AsString(), QString("Ek"));
        QVERIFY(t->FindKey({EncodeDate(1960, 4, 2), "0002"}));
        QCOMPARE(t->FieldByName("Last name")->AsString(), QString("Dahl"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, t->SetIndexName("NoSuchIndex"));
        t->SetIndexFieldNames("Last name");
        QVERIFY(t->IndexName().isEmpty());
        // A one-field index named after its field, as the older stores kept it.
        for (bool memory : {false, true}) {
            TEither e(db, "Journal", memory);
            e.DataSet->SetIndexName("Patient id");
            e.DataSet->Open();
            QCOMPARE(e.DataSet->OrderFieldNames(), QStringList({"Patient id"}));
            QCOMPARE(Column(e.DataSet, "Patient id").join(' '), QString("1 1 1 2"));
            QVERIFY(e.DataSet->FindKey({2}));
            QCOMPARE(e.DataSet->FieldByName("Journal id")->AsInteger(), 20);
            QVERIFY_THROWS_EXCEPTION(EDatabaseError, e.DataSet->SetIndexName("Doctor id"));
        }
    }

    void autoCalcFields_data() {
        QTest::addColumn<bool>("autoCalc");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void autoCalcFields() {
        QFETCH(bool, autoCalc);
        TTestDatabase db;
        db.FillPatients();
        TTable t;
        t.SetDatabaseName(db.Name());
        t.SetTableName("Patient");
        new TAutoIncField(&t, "Patient id");
        new TStringField(&t, "Last name", 30);
        new TStringField(&t, "Upper", 30, TFieldKind::fkCalculated);
        int calcs = 0;
        t.OnCalcFields = [&](TDataSet* ds) {
            ++calcs;
            ds->FieldByName("Upper")->SetAsString(ds->FieldByName("Last name")->AsString().toUpper());
        };
        t.Open();
        t.SetAutoCalcFields(autoCalc);
        t.Edit();
        calcs = 0;
        t.FieldByName("Last name")->SetAsString("Borg");
        QCOMPARE(calcs, autoCalc ? 1 : 0);
        QCOMPARE(t.FieldByName("Upper")->AsString(), QString(autoCalc ? "BORG" : "BERG"));
        t.Post(); // a row read again is calculated either way
        QCOMPARE(t.FieldByName("Upper")->AsString(), QString("BORG"));
    }

    void dataSourceEventsAndSuspension() {
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient");
        TDataSource source;
        QStringList log;
        source.OnDataChange = [&](QObject*, TField* f) { log << (f ? "field " + f->FieldName() : QString("data")); };
        source.OnStateChange = [&](QObject*) { log << "state"; };
        source.SetDataSet(t.get());
        log.clear();
        t->Next();
        t->Edit();
        t->FieldByName("Last name")->SetAsString("X");
        t->Cancel();
        QCOMPARE(log, QStringList({"data", "state", "data", "field Last name", "state", "data"}));
        log.clear();
        t->DisableControls();
        t->DisableControls();
        t->Next();
        t->EnableControls();
        t->Prior();
        QVERIFY(log.isEmpty()); // still suspended: the calls nest
        t->EnableControls();
        QCOMPARE(log, QStringList({"state", "data"})); // resumed as a whole
        QCOMPARE(t->RecNo(), 2);
    }

    void destroyingSourceCallsNoHandler() {
        // The window that owns a data source frees its handlers' state first.
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient");
        int calls = 0;
        auto source = std::make_unique<TDataSource>();
        source->SetDataSet(t.get());
        source->OnStateChange = [&](QObject*) { ++calls; };
        source->OnDataChange = [&](QObject*, TField*) { ++calls; };
        source.reset();
        QCOMPARE(calls, 0);
        t->Next(); // the dataset no longer knows the source
        QCOMPARE(calls, 0);
    }

    void detailFollowsAfterSuspension() {
        TTestDatabase db;
        db.FillPatients();
        auto patients = OpenTable(db, "Patient");
        TDataSource source;
        source.SetDataSet(patients.get());
        TTable journal;
        journal.SetDatabaseName(db.Name());
        journal.SetTableName("Journal");
        journal.SetIndexFieldNames("Patient id;Date");
        journal.SetMasterFields("Patient id");
        journal.SetMasterSource(&source);
        journal.Open();
        {
            TDisableControlsScope scope(patients.get());
            patients->Next();
            QCOMPARE(journal.RecordCount(), 3); // not followed while suspended
        }
        QCOMPARE(journal.RecordCount(), 1);
    }

    void gridModel() {
        TTestDatabase db;
        db.FillPatients();
        auto t = OpenTable(db, "Patient");
        t->FieldByName("Identity")->SetVisible(false);
        TDataSource source;
        source.SetDataSet(t.get());
        TDataSetModel model;
        model.SetDataSource(&source);
        QSignalSpy current(&model, &TDataSetModel::currentRowChanged);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 7);
        QCOMPARE(model.headerData(4, Qt::Horizontal).toString(), QString("Last name"));
        QCOMPARE(model.data(model.index(2, 4)).toString(), QString("Ek"));
        QCOMPARE(model.data(model.index(1, 1)).toString(), QString("02-04-1960"));
        QCOMPARE(t->RecNo(), 1); // reading other rows leaves the cursor
        t->Next();
        QCOMPARE(model.CurrentRow(), 1);
        QCOMPARE(current.count(), 1);
        QVERIFY(model.setData(model.index(2, 4), "Eklund"));
        QCOMPARE(t->RecNo(), 3);
        QCOMPARE(t->State(), TDataSetState::dsEdit);
        t->Post();
        QCOMPARE(model.data(model.index(2, 4)).toString(), QString("Eklund"));
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable)); // auto-increment
        t->Insert();
        QCOMPARE(model.rowCount(), 4);
        t->Cancel();
        QCOMPARE(model.rowCount(), 3);
        // A text handler that fails shows an empty cell; nothing crosses the view.
        t->FieldByName("First name")->OnGetText = [](TField* f, QString& text, bool) {
            if (f->AsString() == "Bo")
                throw EConvertError("no text");
            text = f->AsString();
        };
        QCOMPARE(model.data(model.index(1, 3)).toString(), QString());
        QCOMPARE(model.data(model.index(0, 3)).toString(), QString("Anna"));
    }
};

TAVLO_TEST(TestDataSet);
#include "tst_DataSet.moc"
