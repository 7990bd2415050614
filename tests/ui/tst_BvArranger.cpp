#include "BvArranger.h"
#include "BvDictionary.h"
#include "BvTranslator.h"
#include "TestGrab.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QStyle>
#include <QTest>
#include <QToolButton>

namespace {

struct TArrangerFixture {
    TBvArranger Arranger;
    QList<QWidget*> Buttons;
    TArrangerFixture(bool fixed, int minColumns, int cellWidth, int border, int count) {
        Arranger.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        Arranger.Data()->SetWidth(cellWidth);
        Arranger.Data()->SetHeight(25);
        Arranger.Data()->SetBorder(border);
        Arranger.Data()->SetMinColumns(minColumns);
        Arranger.Data()->SetFixed(fixed);
        for (int i = 0; i < count; ++i) {
            auto* button = new QToolButton(Arranger.Contents());
            button->setText(QStringLiteral("Button %1").arg(i + 1));
            button->resize(cellWidth - 2, 23);
            Buttons << button;
        }
    }
};

} // namespace

class TestBvArranger : public QObject {
    Q_OBJECT
private slots:
    // The columns follow the width (or stay MinColumns when fixed); each
    // child sits in its cell, row after row, after every resize.
    void cellsAcrossResizes_data() {
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<int>("minColumns");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("widths");  // the arranger resized to each in turn
        QTest::addColumn<QList<int>>("columns"); // the columns at each width
        QTest::newRow("free: 250 holds two, 242 one") << false << 1 << 5 << QList<int>{250, 242, 243, 400, 120}
                                                      << QList<int>{2, 1, 2, 3, 1};
        QTest::newRow("free: never below MinColumns") << false << 2 << 5 << QList<int>{100, 250, 500}
                                                      << QList<int>{2, 2, 4};
        QTest::newRow("fixed: three columns at any width") << true << 3 << 14 << QList<int>{250, 100, 900}
                                                           << QList<int>{3, 3, 3};
    }
    void cellsAcrossResizes() {
        QFETCH(bool, fixed);
        QFETCH(int, minColumns);
        QFETCH(int, count);
        QFETCH(QList<int>, widths);
        QFETCH(QList<int>, columns);
        TArrangerFixture f(fixed, minColumns, 120, 2, count);
        f.Arranger.show();
        for (int step = 0; step < widths.size(); ++step) {
            f.Arranger.resize(widths[step], 200);
            QCOMPARE(f.Arranger.Columns(), columns[step]);
            for (int i = 0; i < count; ++i) {
                const QPoint expected((i % columns[step]) * 120 + 2, (i / columns[step]) * 25 + 2);
                if (f.Buttons[i]->pos() != expected)
                    QFAIL(qPrintable(QStringLiteral("width %1: button %2 at %3,%4 instead of %5,%6")
                                         .arg(widths[step]).arg(i).arg(f.Buttons[i]->x()).arg(f.Buttons[i]->y())
                                         .arg(expected.x()).arg(expected.y())));
            }
        }
    }

    // Fourteen buttons in three fixed columns take five rows; the last is in
    // column 1 of row 4, and the scrolled contents hold them all.
    void fourteenButtonsInThreeColumns() {
        TArrangerFixture f(true, 3, 120, 2, 14);
        f.Arranger.resize(400, 60);
        f.Arranger.show();
        QCOMPARE(f.Buttons.last()->pos(), QPoint(1 * 120 + 2, 4 * 25 + 2));
        QVERIFY(f.Arranger.Contents()->height() >= 5 * 25 + 2);
    }

    // A child being added takes the next free cell at once; removing one
    // moves those after it up; a changed property places all again.
    void insertRemoveAndProperties() {
        TArrangerFixture f(false, 1, 120, 2, 3);
        f.Arranger.resize(250, 200);
        f.Arranger.show();
        auto* check = new QCheckBox(QStringLiteral("Vis"), f.Arranger.Contents());
        QCOMPARE(check->pos(), QPoint(1 * 120 + 2, 1 * 25 + 2));
        delete f.Buttons.takeFirst();
        QCOMPARE(f.Buttons[0]->pos(), QPoint(2, 2));
        QCOMPARE(f.Buttons[1]->pos(), QPoint(122, 2));
        QCOMPARE(check->pos(), QPoint(2, 27));
        f.Arranger.Data()->SetBorder(10);
        QCOMPARE(f.Buttons[0]->pos(), QPoint(10, 10));
        // Below the minimum the minimum is stored.
        f.Arranger.Data()->SetWidth(0);
        f.Arranger.Data()->SetHeight(-3);
        f.Arranger.Data()->SetBorder(-1);
        f.Arranger.Data()->SetMinColumns(0);
        QCOMPARE(f.Arranger.Data()->Width(), 1);
        QCOMPARE(f.Arranger.Data()->Height(), 1);
        QCOMPARE(f.Arranger.Data()->Border(), 0);
        QCOMPARE(f.Arranger.Data()->MinColumns(), 1);
    }

    // The vertical scroll bar, when shown, takes its width from the room.
    void shownScrollBarCountsInTheMargin() {
        TArrangerFixture f(false, 1, 120, 2, 40);
        f.Arranger.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        f.Arranger.resize(250, 100);
        f.Arranger.show();
        const int bar = f.Arranger.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        f.Arranger.resize(242 + bar + 1, 100);
        QCOMPARE(f.Arranger.Columns(), 2);
        f.Arranger.resize(242 + bar, 100);
        QCOMPARE(f.Arranger.Columns(), 1);
    }

    // The result page's buttons as the work window lays them out, in
    // English and Danish.
    void grabs() {
        TBvDictionary dictionary;
        dictionary.SetDictionaryName("MainDictionary");
        dictionary.LoadFromText("language 0 en/us \"English\"\nlanguage 1 da/dk \"Dansk\"\n"
                                "text \"Risk\"\nda/dk \"Risiko\"\n"
                                "text \"Treatment\"\nda/dk \"Behandling\"\n"
                                "text \"Number needed to treat\"\nda/dk \"Antal der skal behandles\"\n"
                                "text \"Show goals\"\nda/dk \"Vis mål\"\n",
                                "test");
        TBvArranger arranger;
        arranger.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        arranger.Data()->SetWidth(170);
        arranger.Data()->SetHeight(25);
        arranger.Data()->SetBorder(2);
        arranger.Data()->SetFixed(false);
        for (const char* text : {"Risk", "Treatment", "Number needed to treat"}) {
            auto* button = new QToolButton(arranger.Contents());
            button->setText(text);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->resize(166, 23);
        }
        auto* goals = new QCheckBox("Show goals", arranger.Contents());
        goals->resize(166, 23);
        arranger.resize(370, 60);
        arranger.show();
        QCOMPARE(arranger.Columns(), 2);
        QCOMPARE(goals->pos(), QPoint(172, 27));
        GrabWindow(&arranger, "arranger-en");
        dictionary.SetCurrentLanguage(1);
        TranslateWidgetTree(&arranger, &dictionary);
        QCOMPARE(goals->text(), QString("Vis mål"));
        GrabWindow(&arranger, "arranger-da");
    }
};

TAVLO_TEST(TestBvArranger);
#include "tst_BvArranger.moc"
