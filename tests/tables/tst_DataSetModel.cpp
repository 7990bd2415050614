#include "DBTables.h"
#include "DBClient.h"
#include "TestDatabase.h"
#include "DataSetModel.h"
#include "TestMain.h"

#include <QAbstractItemModelTester>
#include <QSet>
#include <QTest>

namespace {

// What the views were told, structure only: "insert 2", "remove 3",
// "move 2>0" (the row's place before and after), "reset".
class TModelLog : public QObject {
public:
    QStringList Lines;
    QList<int> Changed; // rows of each dataChanged
    explicit TModelLog(QAbstractItemModel* model) {
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int) { Lines << QString("insert %1").arg(first); });
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex&, int first, int) { Lines << QString("remove %1").arg(first); });
        connect(model, &QAbstractItemModel::rowsMoved, this,
                [this](const QModelIndex&, int first, int, const QModelIndex&, int destination) {
                    Lines << QString("move %1>%2").arg(first).arg(destination > first ? destination - 1 : destination);
                });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { Lines << "reset"; });
        connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
            for (int row = from.row(); row <= to.row(); ++row)
                Changed << row;
        });
    }
    QString Take() {
        const QString text = Lines.join(", ");
        Lines.clear();
        Changed.clear();
        return text;
    }
};

QSet<int> Rows(const QList<int>& rows) { return QSet<int>(rows.begin(), rows.end()); }

// The names as the model shows them, row by row.
QString Shown(const TDataSetModel& model, int column = 1) {
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.data(model.index(row, column)).toString();
    return names.join(',');
}

void Fill(TDataSet& ds, const QStringList& names) {
    for (const QString& name : names) {
        ds.Append();
        ds.FieldByName("Id")->SetAsInteger(int(ds.RecordCount()) + 1);
        ds.FieldByName("Name")->SetAsString(name);
        ds.Post();
    }
    ds.First();
}

} // namespace

class TestDataSetModel : public QObject {
    Q_OBJECT
private slots:
    // Inserting, typing, posting, editing and deleting tell the views the
    // row they touch; a posted row that the order puts elsewhere moves. The
    // model is never reset, and the adapter keeps the rules of Qt's models.
    void editingTellsTheRowsItTouches_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("expected"); // after insert, post, edit, delete, append, cancel
        QTest::newRow("storage order") << false << "" << QStringList{"insert 2", "Cai,Ask,Ada,Eik,Bo,Dan", "",
                                                           "Cai,Ask,Zed,Eik,Bo,Dan", "remove 2", "Cai,Ask,Eik,Bo,Dan",
                                                           "insert 5, remove 5"};
        const QStringList byName{"insert 2", "Ada,Ask,Bo,Cai,Dan,Eik", "move 2>0", "Ask,Bo,Cai,Dan,Eik,Zed",
                                 "move 0>5, remove 5", "Ask,Bo,Cai,Dan,Eik", "insert 5, remove 5"};
        QTest::newRow("by name") << false << "Name" << byName;
        QTest::newRow("stored table by name") << true << "Name" << byName;
    }
    void editingTellsTheRowsItTouches() {
        QFETCH(bool, stored);
        QFETCH(QString, order);
        QFETCH(QStringList, expected);
        TTestDatabase db;
        TClientDataSet memory;
        TTable table;
        TDataSet& ds = stored ? static_cast<TDataSet&>(table) : memory;
        if (stored) {
            db.Create("People", {{"Id", TFieldType::ftInteger}, {"Name", TFieldType::ftString, 20}});
            table.SetDatabaseName(db.Name());
            table.SetTableName("People");
            table.SetIndexFieldNames(order);
            table.Open();
        } else {
            memory.CreateDataSet({{"Id", TFieldType::ftInteger}, {"Name", TFieldType::ftString, 20}});
            memory.SetIndexFieldNames(order);
        }
        Fill(ds, {"Cai", "Ask", "Eik", "Bo", "Dan"});
        TDataSource source;
        source.SetDataSet(&ds);
        TDataSetModel model;
        model.SetDataSource(&source);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        TModelLog log(&model);

        ds.SetRecNo(3);
        QCOMPARE(log.Take(), QString());
        ds.Insert();
        QCOMPARE(log.Take(), expected[0]);
        QCOMPARE(model.rowCount(), 6);
        QCOMPARE(model.CurrentRow(), 2);
        ds.FieldByName("Id")->SetAsInteger(6);
        ds.FieldByName("Name")->SetAsString("Ada");
        QCOMPARE(Rows(log.Changed), QSet<int>({2}));
        log.Take();
        ds.Post();
        QCOMPARE(Shown(model), expected[1]);
        const QString posted = log.Lines.join(", ");
        QVERIFY2(log.Changed.contains(model.CurrentRow()), qPrintable(posted));
        QCOMPARE(log.Take(), expected[2]);

        ds.Edit();
        ds.FieldByName("Name")->SetAsString("Zed");
        ds.Post();
        QCOMPARE(Shown(model), expected[3]);
        ds.Delete();
        QCOMPARE(log.Take(), expected[4]);
        QCOMPARE(Shown(model), expected[5]);
        QCOMPARE(model.rowCount(), ds.RecordCount());

        ds.Append();
        QCOMPARE(model.CurrentRow(), 5);
        ds.Cancel();
        QCOMPARE(log.Take(), expected[6]);
        QCOMPARE(Shown(model), expected[5]);
    }

    // Typing a value repaints the one row, nothing else.
    void typedValueChangesOneRow() {
        TClientDataSet ds;
        ds.CreateDataSet({{"Id", TFieldType::ftInteger}, {"Name", TFieldType::ftString, 20}});
        Fill(ds, {"Ask", "Bo", "Cai"});
        TDataSource source;
        source.SetDataSet(&ds);
        TDataSetModel model;
        model.SetDataSource(&source);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        TModelLog log(&model);
        QVERIFY(model.setData(model.index(1, 1), "Bodil"));
        QCOMPARE(ds.State(), TDataSetState::dsEdit);
        QCOMPARE(Rows(log.Changed), QSet<int>({1}));
        QCOMPARE(log.Take(), QString());
        QCOMPARE(Shown(model), QString("Ask,Bodil,Cai"));
    }

    // A filter and another master row replace the rows: the model resets.
    void replacedRowsResetTheModel() {
        TClientDataSet master, detail;
        master.CreateDataSet({{"Id", TFieldType::ftInteger}, {"Name", TFieldType::ftString, 20}});
        Fill(master, {"Ask", "Bo"});
        detail.CreateDataSet({{"Master", TFieldType::ftInteger}, {"Name", TFieldType::ftString, 20}});
        for (const auto& [owner, name] : QList<QPair<int, QString>>{{1, "a1"}, {1, "a2"}, {1, "a3"}, {2, "b1"}}) {
            detail.Append();
            detail.FieldByName("Master")->SetAsInteger(owner);
            detail.FieldByName("Name")->SetAsString(name);
            detail.Post();
        }
        TDataSource masterSource;
        masterSource.SetDataSet(&master);
        detail.SetIndexFieldNames("Master;Name");
        detail.SetMasterSource(&masterSource);
        detail.SetMasterFields("Id");
        TDataSource source;
        source.SetDataSet(&detail);
        TDataSetModel model;
        model.SetDataSource(&source);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        TModelLog log(&model);
        QCOMPARE(Shown(model), QString("a1,a2,a3"));
        detail.Next();
        log.Take();

        detail.SetFilter("Name <> 'a1'");
        detail.SetFiltered(true);
        QCOMPARE(log.Take(), QString("reset"));
        QCOMPARE(Shown(model), QString("a2,a3"));

        master.Next();
        QCOMPARE(log.Take(), QString("reset"));
        QCOMPARE(Shown(model), QString("b1"));
        master.Prior();
        QCOMPARE(log.Take(), QString("reset"));
        QCOMPARE(Shown(model), QString("a2,a3"));
    }
};

TAVLO_TEST(TestDataSetModel);
#include "tst_DataSetModel.moc"
