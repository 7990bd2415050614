#include "ModelFixture.h"
#include "TestMain.h"
#include "TvIntegerList.h"
#include "TvRiskList.h"

#include <QTest>

class TestTvLists : public QObject {
    Q_OBJECT
private slots:
    void riskListFindsTheFirstOfAnId() {
        TRiskList list;
        list.AddRisk(3);
        TRiskItem& first = list.AddRisk(7);
        TRiskItem& second = list.AddRisk(7);
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.FindByRiskId(7), &first);
        QCOMPARE(second.Index(), 2);
        QVERIFY(list.FindByRiskId(8) == nullptr);
        list.Delete(1);
        QCOMPARE(list.FindByRiskId(7), &second);
        QCOMPARE(second.Index(), 1);
        list.Clear();
        QCOMPARE(list.Count(), 0);
        QVERIFY(list.FindByRiskId(3) == nullptr);
    }

    void positionsOutsideAListFail() {
        TRiskList risks;
        risks.AddRisk(1);
        QCOMPARE(ErrorOf([&] { risks.Item(1); }), QString("List index out of bounds (1)"));
        QCOMPARE(ErrorOf([&] { risks.Delete(-1); }), QString("List index out of bounds (-1)"));
        TIntegerList values;
        QCOMPARE(ErrorOf([&] { values[0]; }), QString("List index out of bounds (0)"));
        QCOMPARE(ErrorOf([&] { values.Delete(0); }), QString("List index out of bounds (0)"));
    }

    void indexOf_data() {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("position");
        QTest::newRow("twice gives the first") << QList<int>{5, 7, 5} << 5 << 0;
        QTest::newRow("later twice") << QList<int>{1, 7, 3, 7} << 7 << 1;
        QTest::newRow("absent") << QList<int>{1, 2} << 3 << -1;
        QTest::newRow("empty list") << QList<int>{} << 0 << -1;
        QTest::newRow("negative values") << QList<int>{-1, -2} << -2 << 1;
    }
    void indexOf() {
        QFETCH(QList<int>, values);
        QFETCH(int, value);
        QFETCH(int, position);
        TIntegerList list;
        for (int v : values)
            list.Add(v);
        QCOMPARE(list.IndexOf(value), position);
    }

    void assigningCopiesValuesAndTag() {
        TIntegerList begin(10);
        begin.Add(5);
        begin.Add(7);
        TIntegerList copy(-1);
        copy.Add(99);
        copy.Assign(begin);
        QCOMPARE(copy.Tag(), 10);
        QCOMPARE(copy.Count(), 2);
        QCOMPARE(copy[0], 5);
        QCOMPARE(copy[1], 7);
        // The copy is a list of its own.
        copy.Items(0).Value = 6;
        copy.Delete(1);
        QCOMPARE(begin[0], 5);
        QCOMPARE(begin.Count(), 2);
    }

    void textEntriesCarryIntegerObjects() {
        TTextObjectList entries;
        entries.append({"Preface", NewIntegerObject(5)});
        entries.append({"Caption", nullptr});
        entries.append({"Ending", NewIntegerObject(-3)});
        QCOMPARE(entries[0].Object->Value, 5);
        QCOMPARE(entries[2].Object->Value, -3);
        FreeObjects(entries);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[2].Text, QString("Ending"));
        for (const TTextObject& entry : entries)
            QVERIFY(entry.Object == nullptr);
        FreeObjects(entries); // freeing twice is harmless
    }
};

TAVLO_TEST(TestTvLists);
#include "tst_TvIntegerList.moc"
