#include "BvAdjustGrid.h"
#include "DBClient.h"
#include "TestGrab.h"
#include "TestMain.h"

#include <QStyle>
#include <QTest>

namespace {

// Risk factors with a value each, shown one per panel: the name and an edit.
struct TValuesFixture {
    TClientDataSet Values;
    TDataSource Source;
    TBvAdjustGrid Grid;
    explicit TValuesFixture(int rows = 4) {
        Values.CreateDataSet({{"Risk", TFieldType::ftString, 20}, {"Value", TFieldType::ftString, 10}});
        for (int i = 0; i < rows; ++i) {
            Values.Append();
            Values.FieldByName("Risk")->SetAsString(QStringLiteral("Risk %1").arg(i + 1));
            Values.FieldByName("Value")->SetAsString(QStringLiteral("v%1").arg(i + 1));
            Values.Post();
        }
        Values.First();
        Source.SetDataSet(&Values);
        Grid.PanelControls = [](QWidget* panel) {
            auto* name = new TBvPanelText(panel);
            name->setObjectName("Name");
            name->DataField = "Risk";
            name->setGeometry(4, 2, 100, 20);
            auto* value = new TBvPanelEdit(panel);
            value->setObjectName("Value");
            value->DataField = "Value";
            value->setGeometry(110, 2, 80, 20);
        };
        Grid.SetRowCount(4);
        Grid.RebuildPanels();
        Grid.SetDataSource(&Source);
        Grid.resize(220, 100);
    }
    TBvPanelEdit* Edit(int panel) { return Grid.Panel(panel)->findChild<TBvPanelEdit*>("Value"); }
    TBvPanelText* Name(int panel) { return Grid.Panel(panel)->findChild<TBvPanelText*>("Name"); }
    QString Value(int row) {
        QString v;
        Values.WithRecord(row, [&] { v = Values.FieldByName("Value")->AsString(); });
        return v;
    }
};

} // namespace

class TestBvAdjustGrid : public QObject {
    Q_OBJECT
private slots:
    // With Fixed, as many rows of FixedHeight as the height holds (less a
    // horizontal scroll bar when laid out horizontally), at least one.
    void fixedRowsForHeight_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("fixedHeight");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("scrollBars"); // scroll-bar heights to take off
        QTest::newRow("100 / 25") << 100 << 25 << false << 0;
        QTest::newRow("99 / 25") << 99 << 25 << false << 0;
        QTest::newRow("260 / 30") << 260 << 30 << false << 0;
        QTest::newRow("horizontal 100 / 25") << 100 << 25 << true << 1;
        QTest::newRow("lower than one row") << 10 << 25 << false << 0;
    }
    void fixedRowsForHeight() {
        QFETCH(int, height);
        QFETCH(int, fixedHeight);
        QFETCH(bool, horizontal);
        QFETCH(int, scrollBars);
        TValuesFixture f;
        f.Grid.show();
        if (horizontal)
            f.Grid.SetOrientation(TBvGridOrientation::goHorizontal);
        f.Grid.SetFixedHeight(fixedHeight);
        f.Grid.SetFixed(true);
        f.Grid.resize(220, height);
        const int bar = scrollBars * f.Grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QCOMPARE(f.Grid.RowCount(), qMax(1, (height - bar) / fixedHeight));
        QCOMPARE(f.Grid.PanelHeight(), fixedHeight);
        QCOMPARE(f.Grid.PanelCount(), f.Grid.RowCount());
        QCOMPARE(f.Grid.Panel(0)->height(), fixedHeight);
    }

    // Not while loading; at the end of loading. Switching Fixed off gives the
    // panel height back.
    void loadingAndSwitchingFixed() {
        TValuesFixture f;
        f.Grid.show();
        f.Grid.SetPanelHeight(40);
        f.Grid.BeginLoad();
        f.Grid.SetFixed(true);
        f.Grid.resize(220, 125);
        QCOMPARE(f.Grid.RowCount(), 4);
        QCOMPARE(f.Grid.PanelHeight(), 40);
        f.Grid.EndLoad();
        QCOMPARE(f.Grid.RowCount(), 5);
        QCOMPARE(f.Grid.PanelHeight(), 25);
        f.Grid.SetFixedHeight(50);
        QCOMPARE(f.Grid.RowCount(), 2);
        f.Grid.SetFixed(false);
        QCOMPARE(f.Grid.PanelHeight(), 40);
    }

    // Applying the rows runs once at a time for all adjust grids: a handler
    // that resizes this grid or another one does not start it again.
    void reentrancyGuard() {
        TValuesFixture a, b;
        a.Grid.show();
        b.Grid.show();
        b.Grid.SetFixed(true);
        b.Grid.resize(220, 100);
        QCOMPARE(b.Grid.RowCount(), 4);
        int calls = 0;
        a.Grid.OnRowsChanged = [&](QObject*) {
            ++calls;
            a.Grid.resize(220, 200);
            b.Grid.resize(220, 50);
        };
        a.Grid.SetFixed(true);
        QCOMPARE(calls, 1);
        QCOMPARE(a.Grid.RowCount(), 4); // as the height was when it was applied
        QCOMPARE(b.Grid.RowCount(), 4);
        // Outside the handler the next resize applies again.
        a.Grid.OnRowsChanged = nullptr;
        b.Grid.resize(220, 75);
        QCOMPARE(b.Grid.RowCount(), 3);
    }

    // Each panel shows its row; typing into a row's edit edits that row of
    // the dataset, and the current row follows the focus.
    void editingARowControlWritesThatRow() {
        TValuesFixture f;
        f.Grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.Grid));
        QCOMPARE(f.Name(2)->text(), QString("Risk 3"));
        QCOMPARE(f.Edit(2)->text(), QString("v3"));
        f.Edit(2)->setFocus();
        QCOMPARE(f.Values.RecNo(), 3);
        f.Edit(2)->selectAll();
        QTest::keyClicks(f.Edit(2), "7.5");
        QCOMPARE(f.Values.State(), TDataSetState::dsEdit);
        // Leaving for another row's control writes and posts the row.
        f.Edit(0)->setFocus();
        QCOMPARE(f.Values.RecNo(), 1);
        QCOMPARE(f.Values.State(), TDataSetState::dsBrowse);
        QCOMPARE(f.Value(2), QString("7.5"));
        QCOMPARE(f.Value(0), QString("v1"));
        QCOMPARE(f.Edit(2)->text(), QString("7.5"));
        // Enter writes the field too.
        f.Edit(0)->selectAll();
        QTest::keyClicks(f.Edit(0), "1");
        QTest::keyClick(f.Edit(0), Qt::Key_Return);
        f.Values.Post();
        QCOMPARE(f.Value(0), QString("1"));
    }

    // OnChildKey sees the key and the Shift set before the grid: Down moves
    // to the next row's control unless the handler took the key or aborted.
    void childKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("handler"); // none, zero, abort
        QTest::addColumn<int>("shift");       // the set the handler saw
        QTest::addColumn<int>("recNo");       // after the key, from row 2
        QTest::newRow("Down moves on") << int(Qt::Key_Down) << int(Qt::NoModifier) << "none" << 0 << 3;
        QTest::newRow("Up moves back") << int(Qt::Key_Up) << int(Qt::NoModifier) << "none" << 0 << 1;
        QTest::newRow("Ctrl+Shift+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier | Qt::ShiftModifier) << "none"
                                         << (ssCtrl | ssShift) << 3;
        QTest::newRow("Alt+Up") << int(Qt::Key_Up) << int(Qt::AltModifier) << "none" << int(ssAlt) << 1;
        QTest::newRow("key taken") << int(Qt::Key_Down) << int(Qt::NoModifier) << "zero" << 0 << 2;
        QTest::newRow("abort skips the grid") << int(Qt::Key_Down) << int(Qt::NoModifier) << "abort" << 0 << 2;
        // The focus chain takes Tab on to the next control: the next row's edit.
        QTest::newRow("Tab reported") << int(Qt::Key_Tab) << int(Qt::NoModifier) << "none" << 0 << 3;
        QTest::newRow("Tab taken") << int(Qt::Key_Tab) << int(Qt::NoModifier) << "zero" << 0 << 2;
    }
    void childKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, handler);
        QFETCH(int, shift);
        QFETCH(int, recNo);
        TValuesFixture f;
        f.Grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.Grid));
        int seenKey = -1, seenShift = -1;
        QObject* seenSender = nullptr;
        f.Grid.OnChildKey = [&](QObject* sender, int& k, TShiftState s) {
            seenSender = sender;
            seenKey = k;
            seenShift = s;
            if (handler == "zero")
                k = 0;
            if (handler == "abort")
                Abort();
        };
        f.Edit(1)->setFocus();
        QCOMPARE(f.Values.RecNo(), 2);
        QTest::keyClick(f.Edit(1), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(seenKey, key);
        QCOMPARE(seenShift, shift);
        QCOMPARE(seenSender, f.Edit(1));
        QCOMPARE(f.Values.RecNo(), recNo);
        if (recNo != 2 && key != Qt::Key_Tab)
            QCOMPARE(QApplication::focusWidget(), f.Edit(recNo - 1));
    }

    // Rows beyond the panels scroll into view as the current row moves.
    void currentRowScrollsIntoView() {
        TValuesFixture f(9);
        f.Grid.show();
        f.Values.SetRecNo(7);
        QCOMPARE(f.Grid.TopRow(), 3);
        QCOMPARE(f.Name(3)->text(), QString("Risk 7"));
        f.Values.First();
        QCOMPARE(f.Grid.TopRow(), 0);
        QCOMPARE(f.Name(0)->text(), QString("Risk 1"));
        GrabWindow(&f.Grid, "adjustgrid");
    }
};

TAVLO_TEST(TestBvAdjustGrid);
#include "tst_BvAdjustGrid.moc"
