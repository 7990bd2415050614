#include "BvDBGrid.h"
#include "BvDictionary.h"
#include "DataSetModel.h"
#include "ModalAnswer.h"
#include "TestDatabase.h"
#include "TestGrab.h"
#include "TestMain.h"

#include <QHeaderView>
#include <QTest>

namespace {

// Patients in no particular order; by name they are Andersen, Berg,
// Berggren, Dahl, Ek, Øster.
struct TPatients : TTestDatabase {
    TPatients() {
        CreatePatientTables();
        AddPatient(1, "Bo", "Dahl", EncodeDate(1960, 4, 2), "0002");
        AddPatient(2, "Anna", "Berg", EncodeDate(1950, 3, 1), "0001");
        AddPatient(3, "Finn", "Øster", EncodeDate(1955, 1, 9), "0006");
        AddPatient(4, "Eva", "Andersen", EncodeDate(1980, 7, 7), "0005");
        AddPatient(5, "Cora", "Ek", EncodeDate(1970, 5, 3), "0003");
        AddPatient(6, "Dan", "Berggren", EncodeDate(1945, 2, 2), "0004");
    }
};

// The archive's grid: Last name and Birth date sort, First name does not.
struct TGridFixture {
    TPatients Db;
    std::unique_ptr<TDataSet> Data;
    TDataSource Source;
    TBvDBGrid Grid;
    QString Events;

    explicit TGridFixture(bool query = false) {
        if (query) {
            auto* q = new TQuery;
            q->SetDatabaseName(Db.Name());
            q->SetSQL({"SELECT * FROM Patient", "ORDER BY Identity"});
            Data.reset(q);
        } else {
            auto* t = new TTable;
            t->SetDatabaseName(Db.Name());
            t->SetTableName("Patient");
            Data.reset(t);
        }
        Data->Open();
        Source.SetDataSet(Data.get());
        TBvColumn* last = Grid.AddColumn("Last name");
        last->SetIndexFieldNames(query ? "Last name" : "Last name;First name");
        Grid.AddColumn("First name");
        TBvColumn* birth = Grid.AddColumn("Birth date");
        if (query)
            birth->SetIndexFieldNames("Birth date");
        else
            birth->SetIndexName("DEFAULT_ORDER");
        Grid.AddColumn("Identity");
        Grid.SetDataSource(&Source);
        Grid.resize(500, 220);
        Grid.BeforeSearch = [this](QObject*) { Events += 'B'; };
        Grid.AfterSearch = [this](QObject*) { Events += 'A'; };
    }
    QStringList Names() { return Column(Data.get(), "Last name"); }
    QString Current() { return Data->FieldByName("Last name")->AsString(); }
    // The names as the view shows them, top down.
    QStringList Shown() {
        QStringList names;
        QAbstractItemModel* m = Grid.model();
        const int logical = Grid.LogicalOf(0);
        for (int row = 0; row < m->rowCount(); ++row)
            names << m->data(m->index(row, logical)).toString();
        return names;
    }
    void ClickTitle(int column) {
        QHeaderView* header = Grid.horizontalHeader();
        const int logical = Grid.LogicalOf(column);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(logical) + 5, header->height() / 2));
    }
};

const QStringList ByName{"Andersen", "Berg", "Berggren", "Dahl", "Ek", "Øster"};
const QStringList ByBirth{"Berggren", "Berg", "Øster", "Dahl", "Ek", "Andersen"};

// One typed key per character: \b Backspace, \r Enter, \x1b Esc, \x01 Ctrl+A.
void Type(QWidget* widget, const QString& keys) {
    for (QChar c : keys) {
        switch (c.unicode()) {
        case 8: QTest::keyClick(widget, Qt::Key_Backspace); break;
        case 13: QTest::keyClick(widget, Qt::Key_Return); break;
        case 27: QTest::keyClick(widget, Qt::Key_Escape); break;
        case 1: QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier); break;
        default: QTest::keyClick(widget, c.toLatin1() ? c.toLatin1() : 'x'); break;
        }
    }
}

void TypeText(QWidget* widget, const QString& keys) {
    for (QChar c : keys) {
        if (c.unicode() < 32) {
            Type(widget, QString(c));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

} // namespace

class TestBvDBGrid : public QObject {
    Q_OBJECT
private slots:
    // A title click sorts a table by the column's index field names or index
    // name; a column without either leaves the order as it is.
    void sortSwitchForATable() {
        TGridFixture f;
        f.Grid.show();
        QCOMPARE(f.Grid.SortColumn(), -1);
        f.ClickTitle(0);
        QCOMPARE(f.Data.get()->IndexFieldNames(), QString("Last name;First name"));
        QCOMPARE(f.Grid.SortColumn(), 0);
        QVERIFY(f.Grid.Column(0)->Sorted());
        QCOMPARE(f.Names(), ByName);
        QCOMPARE(f.Shown(), ByName);
        f.ClickTitle(1);
        QCOMPARE(f.Grid.SortColumn(), 0);
        QCOMPARE(f.Names(), ByName);
        f.ClickTitle(2);
        QCOMPARE(f.Data->IndexName(), QString("DEFAULT_ORDER"));
        QCOMPARE(f.Data->IndexFieldNames(), QString());
        QCOMPARE(f.Grid.SortColumn(), 2);
        QVERIFY(!f.Grid.Column(0)->Sorted());
        QCOMPARE(f.Shown(), ByBirth);
        // The row stays current through a change of order.
        f.Data->Locate("Last name", "Ek");
        f.Grid.SetSortColumn(0);
        QCOMPARE(f.Current(), QString("Ek"));
        QCOMPARE(f.Grid.currentIndex().row(), 4);
        // Off: the table has no order any more.
        f.Grid.Column(0)->SetSorted(false);
        QCOMPARE(f.Grid.SortColumn(), -1);
        QCOMPARE(f.Data->IndexFieldNames(), QString());
        f.Grid.SetSortColumn(7); // outside the columns: nothing
        QCOMPARE(f.Grid.SortColumn(), -1);
    }

    // A query is sorted by its statement: cut before its ORDER BY, an ORDER
    // BY of the column's fields added, opened again.
    void sortSwitchForAQuery_data() {
        QTest::addColumn<QStringList>("statement");
        QTest::newRow("with an ORDER BY") << QStringList{"SELECT * FROM Patient", "ORDER BY Identity"};
        QTest::newRow("lower-case order by") << QStringList{"SELECT * FROM Patient", "order by Identity DESC"};
        QTest::newRow("none") << QStringList{"SELECT * FROM Patient"};
    }
    void sortSwitchForAQuery() {
        QFETCH(QStringList, statement);
        TGridFixture f(true);
        auto* q = static_cast<TQuery*>(f.Data.get());
        q->Close();
        q->SetSQL(statement);
        q->Open();
        f.Grid.show();
        QCOMPARE(f.Grid.SortColumn(), -1);
        f.ClickTitle(0);
        QCOMPARE(q->SQL(), QStringList({"SELECT * FROM Patient", "ORDER BY \"Last name\""}));
        QVERIFY(q->Active());
        QCOMPARE(f.Grid.SortColumn(), 0);
        QCOMPARE(f.Shown(), ByName);
        f.Grid.SetSortColumn(2);
        QCOMPARE(q->SQL(), QStringList({"SELECT * FROM Patient", "ORDER BY \"Birth date\""}));
        QCOMPARE(f.Shown(), ByBirth);
        f.Grid.Column(2)->SetSorted(false);
        QCOMPARE(q->SQL(), QStringList({"SELECT * FROM Patient"}));
        QCOMPARE(f.Grid.SortColumn(), -1);
    }

    // A field name the engine refuses leaves the query as it was, open.
    void refusedQueryOrderKeepsTheStatement() {
        TGridFixture f(true);
        auto* q = static_cast<TQuery*>(f.Data.get());
        f.Grid.Column(1)->SetIndexFieldNames("NoSuchField");
        QVERIFY_THROWS_EXCEPTION(Exception, f.Grid.Column(1)->SetSorted(true));
        QCOMPARE(q->SQL(), QStringList({"SELECT * FROM Patient", "ORDER BY Identity"}));
        QVERIFY(q->Active());
        QCOMPARE(q->RecordCount(), 6);
    }

    // Previous and next sort column step cyclically over the sortable
    // columns; nothing without a sort column.
    void priorNextCycling_data() {
        QTest::addColumn<QString>("sortable"); // per column: S sortable, - not
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("steps");    // n next, p prior
        QTest::addColumn<QList<int>>("columns");
        QTest::newRow("next over a gap") << "S-SS" << 0 << "nnn" << QList<int>{2, 3, 0};
        QTest::newRow("prior wraps") << "S-SS" << 0 << "ppp" << QList<int>{3, 2, 0};
        QTest::newRow("one sortable column") << "-S--" << 1 << "np" << QList<int>{1, 1};
        QTest::newRow("no sort column") << "SSSS" << -1 << "np" << QList<int>{-1, -1};
    }
    void priorNextCycling() {
        QFETCH(QString, sortable);
        QFETCH(int, start);
        QFETCH(QString, steps);
        QFETCH(QList<int>, columns);
        TGridFixture f;
        const QStringList orders{"Last name", "First name", "Birth date;Sequence id", "Identity"};
        for (int i = 0; i < 4; ++i)
            f.Grid.Column(i)->SetIndexFieldNames(sortable[i] == 'S' ? orders[i] : QString());
        f.Grid.SetSortColumn(start);
        QCOMPARE(f.Grid.SortColumn(), start);
        for (int i = 0; i < steps.size(); ++i) {
            steps[i] == 'n' ? f.Grid.NextSortColumn() : f.Grid.PriorSortColumn();
            QCOMPARE(f.Grid.SortColumn(), columns[i]);
        }
    }

    // The keys reach the sort column too: Left and Right with whole-row
    // selection (swallowed), Ctrl+Left and Ctrl+Right always.
    void sortColumnKeys() {
        TGridFixture f;
        f.Grid.show();
        f.Grid.SetSortColumn(0);
        QTest::keyClick(&f.Grid, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(f.Grid.SortColumn(), 2);
        QTest::keyClick(&f.Grid, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(f.Grid.SortColumn(), 0);
        QTest::keyClick(&f.Grid, Qt::Key_Right);
        QCOMPARE(f.Grid.SortColumn(), 0); // cell selection: the cursor moves instead
        f.Grid.SetRowSelect(true);
        QTest::keyClick(&f.Grid, Qt::Key_Right);
        QCOMPARE(f.Grid.SortColumn(), 2);
        QTest::keyClick(&f.Grid, Qt::Key_Left);
        QCOMPARE(f.Grid.SortColumn(), 0);
    }

    // Without sortable columns title clicks, SortColumn and typing change
    // nothing.
    void gridWithoutOrdersCannotSort() {
        TGridFixture f;
        f.Grid.Column(0)->SetIndexFieldNames(QString());
        f.Grid.Column(2)->SetIndexName(QString());
        f.Grid.AllowSearch = true;
        f.Grid.show();
        f.Data->SetRecNo(3);
        const QStringList before = f.Names();
        f.ClickTitle(0);
        f.ClickTitle(2);
        f.Grid.SetSortColumn(0);
        f.Grid.SetSortColumn(2);
        QCOMPARE(f.Grid.SortColumn(), -1);
        QCOMPARE(f.Data->IndexName(), QString());
        QCOMPARE(f.Data->IndexFieldNames(), QString());
        QCOMPARE(f.Names(), before);
        QCOMPARE(f.Grid.SortColumn(), -1);
        f.Grid.setFocus();
        TypeText(&f.Grid, "be");
        QVERIFY(!f.Grid.Searching());
        QCOMPARE(f.Grid.BeepCount(), 0);
        QCOMPARE(f.Data->RecNo(), 3);
        QCOMPARE(f.Data->State(), TDataSetState::dsBrowse);
    }

    // Every key of the incremental search, for a table (nearest key on its
    // order) and a query (case-insensitive partial locate). The search
    // starts on Dahl.
    void incrementalSearch_data() {
        QTest::addColumn<bool>("query");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");    // the search text after them
        QTest::addColumn<QString>("current"); // the row reached
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("events");  // B before search, A after search
        for (bool query : {false, true}) {
            const QString kind = query ? "query: " : "table: ";
            auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(kind + name)) << query; };
            row("one letter takes the field's case") << "b" << "B" << "Berg" << 0 << "B";
            row("a longer prefix") << "bergg" << "Bergg" << "Berggren" << 0 << "B";
            row("no row: beep, stay on the last match") << "bx" << "B" << "Berg" << 1 << "B";
            row("no row at the first key") << "x" << "" << "Dahl" << 1 << "BA";
            row("no row, then on") << "bxe" << "Be" << "Berg" << 1 << "B";
            row("backspace drops a letter") << "bergg\b" << "Berg" << "Berg" << 0 << "B";
            row("backspace to empty: back to the start") << "be\b\b" << "" << "Dahl" << 0 << "BA";
            row("escape: back to the start") << "ber\x1b" << "" << "Dahl" << 0 << "BA";
            row("enter: stays") << "ber\r" << "" << "Berg" << 0 << "BA";
            row("control character: stays") << "ber\x01" << "" << "Berg" << 0 << "BA";
            row("a letter beyond ASCII") << "ø" << "Ø" << "Øster" << 0 << "B";
            row("lower case of a capital") << "ek" << "Ek" << "Ek" << 0 << "B";
        }
    }
    void incrementalSearch() {
        QFETCH(bool, query);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, current);
        QFETCH(int, beeps);
        QFETCH(QString, events);
        TGridFixture f(query);
        f.Grid.AllowSearch = true;
        f.Grid.SetSortColumn(0);
        QCOMPARE(f.Grid.SortColumn(), 0);
        f.Grid.show();
        f.Data->Locate("Last name", "Dahl");
        f.Grid.setFocus();
        TypeText(&f.Grid, keys);
        QCOMPARE(f.Grid.SearchText(), text);
        QCOMPARE(f.Grid.Searching(), !text.isEmpty());
        QCOMPARE(f.Current(), current);
        QCOMPARE(f.Grid.currentIndex().row(), f.Data->RecNo() - 1);
        QCOMPARE(f.Grid.BeepCount(), beeps);
        QCOMPARE(f.Events, events);
        QCOMPARE(f.Data->State(), TDataSetState::dsBrowse); // Enter while searching does not choose
        if (!text.isEmpty())
            QVERIFY(f.Grid.IsSearchCell(f.Grid.model()->index(f.Data->RecNo() - 1, f.Grid.LogicalOf(0))));
    }

    // A right click moves nothing; an error while the button goes down,
    // the handler's included, is swallowed; a double click chooses.
    void mouse() {
        TGridFixture f;
        f.Grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.Grid));
        const QPoint third = f.Grid.visualRect(f.Grid.model()->index(2, f.Grid.LogicalOf(0))).center();
        QTest::mouseClick(f.Grid.viewport(), Qt::RightButton, {}, third);
        QCOMPARE(f.Data->RecNo(), 1);
        int downs = 0;
        f.Grid.OnMouseDown = [&](QObject*, Qt::MouseButton, int, int, int) {
            ++downs;
            throw Exception("refused");
        };
        QTest::mouseClick(f.Grid.viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(downs, 1);
        QCOMPARE(f.Data->RecNo(), 3);
        f.Grid.OnMouseDown = nullptr;
        QTest::mouseDClick(f.Grid.viewport(), Qt::LeftButton, {}, third);
        QCOMPARE(f.Data->State(), TDataSetState::dsEdit);
        QCOMPARE(f.Data->RecNo(), 3);
    }

    // With an edit mask the cell shows the part of the masked search text
    // that agrees with the masked field text.
    void searchTextInTheEditMask_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no mask") << "" << "000" << "000";
        QTest::newRow("literals not stored") << "00-00;0;_" << "000" << "00-0";
        QTest::newRow("up to a literal") << "00-00;0;_" << "00" << "00-";
        QTest::newRow("escaped literal") << "0\\00-0;0;_" << "00" << "000-";
    }
    void searchTextInTheEditMask() {
        QFETCH(QString, mask);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        TGridFixture f;
        f.Grid.AddColumn("Sequence id")->SetIndexFieldNames("Sequence id");
        f.Data->FieldByName("Sequence id")->SetEditMask(mask);
        f.Grid.AllowSearch = true;
        f.Grid.SetSortColumn(4);
        f.Grid.show();
        f.Grid.setFocus();
        TypeText(&f.Grid, keys);
        QCOMPARE(f.Grid.SearchText(), keys);
        QCOMPARE(f.Data->FieldByName("Sequence id")->AsString(), QString("0001"));
        QCOMPARE(f.Grid.SearchCellText(), shown);
    }

    // Moving to another cell ends the search; OnSearch may do the search.
    void movingEndsTheSearchAndOnSearchHandles() {
        TGridFixture f;
        f.Grid.AllowSearch = true;
        f.Grid.SetSortColumn(0);
        f.Grid.show();
        f.Grid.setFocus();
        TypeText(&f.Grid, "be");
        QCOMPARE(f.Current(), QString("Berg"));
        QTest::keyClick(&f.Grid, Qt::Key_Down);
        QVERIFY(!f.Grid.Searching());
        QCOMPARE(f.Events, QString("BA"));
        QCOMPARE(f.Current(), QString("Berggren"));
        QStringList asked;
        f.Grid.OnSearch = [&](QObject*, const QString& t) {
            asked << t;
            f.Data->Locate("Last name", "Ek");
            return true;
        };
        TypeText(&f.Grid, "e");
        QCOMPARE(asked, QStringList{"e"});
        QCOMPARE(f.Current(), QString("Ek"));
        QCOMPARE(f.Grid.SearchText(), QString("E"));
    }

    // Widening the grid by 7 pixels with two growing columns widens the
    // first by 3 and the second by 4; narrowing stops at MinWidth.
    void sizeWithGrid() {
        TGridFixture f;
        f.Grid.Column(0)->SizeWithGrid = true;
        f.Grid.Column(2)->SizeWithGrid = true;
        f.Grid.Column(0)->SetWidth(100);
        f.Grid.Column(1)->SetWidth(80);
        f.Grid.Column(2)->SetWidth(90);
        f.Grid.show();
        f.Grid.resize(500, 200);
        f.Grid.resize(507, 200);
        QCOMPARE(f.Grid.Column(0)->Width(), 103);
        QCOMPARE(f.Grid.Column(1)->Width(), 80);
        QCOMPARE(f.Grid.Column(2)->Width(), 94);
        f.Grid.MinWidth = 40;
        f.Grid.resize(307, 200);
        QCOMPARE(f.Grid.Column(0)->Width(), 40);
        QCOMPARE(f.Grid.Column(2)->Width(), 40);
        QCOMPARE(f.Grid.Column(1)->Width(), 80);
        // A width the user dragged stays when the order changes.
        f.Grid.horizontalHeader()->resizeSection(f.Grid.LogicalOf(1), 123);
        f.Grid.SetSortColumn(2);
        f.Grid.SetSortColumn(0);
        QCOMPARE(f.Grid.Column(1)->Width(), 123);
        QCOMPARE(f.Grid.Column(0)->Width(), 40);
    }

    // Tab moves to the next tab stop; leaving a row being inserted with Tab
    // inserts the next one with AutoInsert.
    void tabAndAutoInsert_data() {
        QTest::addColumn<bool>("autoInsert");
        QTest::newRow("AutoInsert") << true;
        QTest::newRow("without") << false;
    }
    void tabAndAutoInsert() {
        QFETCH(bool, autoInsert);
        TGridFixture f;
        f.Grid.ClearColumns();
        f.Grid.AddColumn("Last name");
        f.Grid.AddColumn("Identity")->SetReadOnly(true);
        f.Grid.AddColumn("First name");
        f.Grid.AutoInsert = autoInsert;
        f.Data->OnNewRecord = [](TDataSet* ds) {
            ds->FieldByName("Birth date")->SetAsDateTime(EncodeDate(1990, 1, 1));
            ds->FieldByName("Sequence id")->SetAsString(QString::number(ds->RecordCount()));
            ds->FieldByName("Export")->SetAsBoolean(false);
            ds->FieldByName("Test")->SetAsBoolean(false);
        };
        f.Grid.show();
        f.Grid.setFocus();
        QVERIFY(f.Grid.TabStop(0) && !f.Grid.TabStop(1) && f.Grid.TabStop(2));
        QTest::keyClick(&f.Grid, Qt::Key_Insert);
        QCOMPARE(f.Data->State(), TDataSetState::dsInsert);
        f.Data->FieldByName("Last name")->SetAsString("Nyborg");
        QCOMPARE(f.Grid.SelectedIndex(), 0);
        QTest::keyClick(&f.Grid, Qt::Key_Tab);
        QCOMPARE(f.Grid.SelectedIndex(), 2); // the read-only column is no tab stop
        QCOMPARE(f.Data->State(), TDataSetState::dsInsert);
        QTest::keyClick(&f.Grid, Qt::Key_Tab);
        QCOMPARE(f.Data->RecordCount(), 7);
        QVERIFY(f.Names().contains("Nyborg"));
        QCOMPARE(f.Data->State(), autoInsert ? TDataSetState::dsInsert : TDataSetState::dsBrowse);
        QCOMPARE(f.Grid.SelectedIndex(), 0);
        // Esc while inserting cancels, and the key goes no further.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&f.Grid, &escape);
        QCOMPARE(f.Data->State(), TDataSetState::dsBrowse);
        QCOMPARE(escape.isAccepted(), autoInsert);
        QCOMPARE(f.Data->RecordCount(), 7);
    }

    // Enter (and a double click) chooses: the row goes into edit mode,
    // unless it already is. Insert inserts; Delete deletes after "Slet?";
    // Ctrl+Delete does nothing.
    void recordKeys() {
        TGridFixture f;
        QString log;
        f.Grid.BeforeChoose = [&](QObject*) { log += "bc "; };
        f.Grid.AfterChoose = [&](QObject*) { log += "ac "; };
        f.Grid.BeforeDelete = [&](QObject*) { log += "bd "; };
        f.Grid.AfterDelete = [&](QObject*) { log += "ad "; };
        f.Grid.ConfirmDelete = true;
        f.Grid.show();
        f.Grid.setFocus();
        QTest::keyClick(&f.Grid, Qt::Key_Return);
        QCOMPARE(f.Data->State(), TDataSetState::dsEdit);
        QTest::keyClick(&f.Grid, Qt::Key_Return); // editing: abandoned silently
        QCOMPARE(log, QString("bc ac "));
        f.Data->Cancel();
        log.clear();
        const QString first = f.Current();
        QTest::keyClick(&f.Grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.Data->RecordCount(), 6);
        {
            TModalAnswer no(TModalAnswer::Key(Qt::Key_Return)); // No is the default
            QTest::keyClick(&f.Grid, Qt::Key_Delete);
            QVERIFY(no.Shown);
            QCOMPARE(no.Text, QString("Slet?"));
        }
        QCOMPARE(f.Data->RecordCount(), 6);
        {
            TModalAnswer yes(TModalAnswer::Click("&Yes"));
            QTest::keyClick(&f.Grid, Qt::Key_Delete);
            QVERIFY(yes.Shown);
        }
        QCOMPARE(f.Data->RecordCount(), 5);
        QVERIFY(!f.Names().contains(first));
        QCOMPARE(log, QString("bd bd ad ")); // answered No: nothing deleted, no AfterDelete
        // A read-only grid chooses without editing and deletes nothing.
        log.clear();
        f.Grid.SetReadOnly(true);
        QTest::keyClick(&f.Grid, Qt::Key_Return);
        QTest::keyClick(&f.Grid, Qt::Key_Delete);
        QCOMPARE(f.Data->State(), TDataSetState::dsBrowse);
        QCOMPARE(f.Data->RecordCount(), 5);
        QCOMPARE(log, QString("bc ac bd "));
    }

    // With several rows selected, Delete asks once with the count and
    // deletes each of them, the dataset's after-delete handler detached
    // meanwhile and back afterwards.
    void deletingSelectedRows() {
        TGridFixture f;
        f.Grid.SetSortColumn(0);
        f.Grid.SetRowSelect(true);
        f.Grid.SetMultiSelect(true);
        f.Grid.ConfirmDelete = true;
        int afterDeletes = 0;
        f.Data->AfterDelete = [&](TDataSet*) { ++afterDeletes; };
        f.Grid.show();
        f.Data->Locate("Last name", "Dahl");
        QItemSelectionModel* selection = f.Grid.selectionModel();
        selection->select(f.Grid.model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selection->select(f.Grid.model()->index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        {
            TModalAnswer yes(TModalAnswer::Click("&Yes"));
            f.Grid.DeleteRecords();
            QVERIFY(yes.Shown);
            QCOMPARE(yes.Text, QString("Slet 2 markerede emner?"));
        }
        QCOMPARE(f.Names(), QStringList({"Andersen", "Berggren", "Dahl", "Øster"}));
        QCOMPARE(afterDeletes, 0);
        QCOMPARE(f.Current(), QString("Dahl")); // the position is kept
        f.Data->Delete();
        QCOMPARE(afterDeletes, 1);
    }

    // With AutoEdit, editing switches whole-row selection to cell editing and
    // posting switches back; the dataset's own handlers still run first, and
    // they are the dataset's again once the grid is gone.
    void autoEditChainsTheDataSetEvents() {
        TGridFixture f;
        QString log;
        f.Data->AfterEdit = [&](TDataSet*) { log += "edit "; };
        f.Data->AfterPost = [&](TDataSet*) { log += "post "; };
        {
            TBvDBGrid grid;
            grid.AutoEdit = true;
            grid.SetRowSelect(true);
            grid.SetDataSource(&f.Source);
            grid.show();
            QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
            grid.setFocus();
            QTest::keyClick(&grid, Qt::Key_Return); // choose: edit mode
            QCOMPARE(f.Data->State(), TDataSetState::dsEdit);
            QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectItems);
            QVERIFY(grid.editTriggers() != QAbstractItemView::NoEditTriggers);
            f.Data->Post();
            QCOMPARE(grid.selectionBehavior(), QAbstractItemView::SelectRows);
            QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
            QCOMPARE(log, QString("edit post "));
        }
        log.clear();
        f.Data->Edit();
        f.Data->Post();
        QCOMPARE(log, QString("edit post "));
    }

    // A field that cannot be modified but sets its own text is edited
    // through its handler and is a tab stop; a read-only column never is.
    void cellOfAFieldWithItsOwnTextSetting() {
        TGridFixture f;
        TField* identity = f.Data->FieldByName("Identity");
        identity->SetReadOnly(true);
        identity->OnSetText = [&](TField*, const QString& text) {
            f.Data->FieldByName("First name")->SetAsString(text.toUpper());
        };
        f.Grid.show();
        QAbstractItemModel* m = f.Grid.model();
        const QModelIndex cell = m->index(2, f.Grid.LogicalOf(3));
        QVERIFY(m->flags(cell) & Qt::ItemIsEditable);
        QVERIFY(f.Grid.TabStop(3));
        QVERIFY(m->setData(cell, "ida"));
        QCOMPARE(f.Data->RecNo(), 3);
        f.Data->Post();
        QCOMPARE(f.Data->FieldByName("First name")->AsString(), QString("IDA"));
        f.Grid.Column(3)->SetReadOnly(true);
        QVERIFY(!(m->flags(cell) & Qt::ItemIsEditable));
        QVERIFY(!m->setData(cell, "x"));
        QVERIFY(!f.Grid.TabStop(3));
        f.Grid.Column(3)->SetReadOnly(false);
        identity->OnSetText = nullptr;
        QVERIFY(!(m->flags(cell) & Qt::ItemIsEditable));
    }

    // The grid as the archive shows it, in English and Danish.
    void grabs() {
        TGridFixture f;
        TBvDictionary dictionary;
        dictionary.SetDictionaryName("MainDictionary");
        dictionary.LoadFromText("language 0 en/us \"English\"\nlanguage 1 da/dk \"Dansk\"\n"
                                "text \"Last name\"\nda/dk \"Efternavn\"\n"
                                "text \"First name\"\nda/dk \"Fornavn\"\n"
                                "text \"Birth date\"\nda/dk \"Fødselsdato\"\n"
                                "text \"Identity\"\nda/dk \"Identitet\"\n",
                                "test");
        f.Grid.AllowSort = true;
        f.Grid.AllowSearch = true;
        f.Grid.SortIndicators = siArrow | siButton;
        f.Grid.SetRowSelect(true);
        f.Grid.SetSortColumn(0);
        const QList<int> widths{130, 110, 100, 100};
        for (int i = 0; i < 4; ++i)
            f.Grid.Column(i)->SetWidth(widths[i]);
        f.Grid.show();
        f.Grid.setFocus();
        TypeText(&f.Grid, "ber");
        QCOMPARE(f.Grid.model()->headerData(f.Grid.LogicalOf(0), Qt::Horizontal).toString(), QString("Last name"));
        GrabWindow(&f.Grid, "dbgrid-en");
        dictionary.SetCurrentLanguage(1);
        f.Grid.horizontalHeader()->viewport()->update();
        QCOMPARE(f.Grid.model()->headerData(f.Grid.LogicalOf(0), Qt::Horizontal).toString(), QString("Efternavn"));
        GrabWindow(&f.Grid, "dbgrid-da");
    }
};

TAVLO_TEST(TestBvDBGrid);
#include "tst_BvDBGrid.moc"
