#pragma once
// The grids' view of a dataset: one row per visible row (plus the row being
// inserted), one column per visible field, display and edit text through
// the fields. The current row follows the dataset's cursor.
//
// A grid of a hundred thousand patients must not rebuild itself per
// keystroke, so the model tells its views what changed: a typed value
// changes one row; beginning an insert adds a row, cancelling it takes the
// row away; posting a row that the order puts elsewhere moves it; deleting
// removes it. Only when the rows themselves are replaced (opening, a filter,
// another master row, a refresh, a jump to the first or last row) is the
// model reset. The model knows this from what the dataset's events show:
// the state before and after, the record count and the current row.

#include "DataSet.h"

#include <QAbstractTableModel>

#include <functional>

class TDataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDataSetModel(QObject* parent = nullptr);
    ~TDataSetModel() override;
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    QList<TField*> Columns() const;
    int CurrentRow() const; // -1 when none

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void MoveTo(int row); // moves the dataset's cursor to a model row

signals:
    void currentRowChanged(int row);

private:
    class TLink;
    friend class TLink;
    // What the views were last told: rows, the dataset's state, the current
    // record, and the bookmarks of it and its neighbours, by which a
    // deletion is told from rows replaced.
    struct TShown {
        int Rows = 0;
        TDataSetState State = TDataSetState::dsInactive;
        int Insert = -1;
        int Current = -1;
        QVariant Bookmark, Before, After;
    };
    void Reset();
    void Sync();
    void EditingStarted();
    void Remember();
    void RememberNeighbours();
    bool IsDeletion() const;
    void RowChanged();
    void RowInserted(int row);
    void RowRemoved(int row);
    void RowMoved(int from, int to);
    void RowsChanged(int first, int last);
    QVariant BookmarkAt(int record) const;
    std::unique_ptr<TLink> FLink;
    TShown FShown;
    // While the views are told of a change, rows as they knew them: the row
    // of the dataset that an old row is now (-1 when gone).
    std::function<int(int)> FOldRow;
    int FLastCurrent = -1;
};
