#include "DataSetModel.h"

class TDataSetModel::TLink : public TDataLink {
public:
    explicit TLink(TDataSetModel* model) : FModel(model) {}

protected:
    void ActiveChanged() override { FModel->Reset(); }
    void DataSetChanged() override { FModel->Sync(); }
    void DataSetScrolled() override {
        FModel->Remember();
        FModel->RowChanged();
    }
    void LayoutChanged() override { FModel->Reset(); }
    void EditingChanged() override { FModel->EditingStarted(); }
    void CheckBrowseMode() override { FModel->RememberNeighbours(); }
    void RecordChanged(TField* /*field*/) override { FModel->RowsChanged(FModel->CurrentRow(), FModel->CurrentRow()); }

private:
    TDataSetModel* FModel;
};

TDataSetModel::TDataSetModel(QObject* parent) : QAbstractTableModel(parent), FLink(std::make_unique<TLink>(this)) {}
TDataSetModel::~TDataSetModel() = default;

TDataSource* TDataSetModel::DataSource() const { return FLink->DataSource(); }
void TDataSetModel::SetDataSource(TDataSource* source) {
    FLink->SetDataSource(source);
    Reset();
}
TDataSet* TDataSetModel::DataSet() const { return FLink->Active() ? FLink->DataSet() : nullptr; }

QList<TField*> TDataSetModel::Columns() const {
    QList<TField*> columns;
    if (TDataSet* ds = DataSet())
        for (TField* field : ds->Fields())
            if (field->Visible())
                columns << field;
    return columns;
}

int TDataSetModel::CurrentRow() const {
    TDataSet* ds = DataSet();
    if (!ds)
        return -1;
    if (ds->InsertIndex() >= 0)
        return ds->InsertIndex();
    return ds->ActiveIndex();
}

QVariant TDataSetModel::BookmarkAt(int record) const {
    TDataSet* ds = DataSet();
    QVariant bookmark;
    if (ds && ds->State() == TDataSetState::dsBrowse && record >= 0 && record < ds->RecordCount())
        ds->WithRecord(record, [&] { bookmark = ds->GetBookmark(); });
    return bookmark;
}

void TDataSetModel::Remember() {
    TDataSet* ds = DataSet();
    FShown.State = ds ? ds->State() : TDataSetState::dsInactive;
    FShown.Insert = ds ? ds->InsertIndex() : -1;
    FShown.Current = ds ? ds->ActiveIndex() : -1;
    FShown.Bookmark = FShown.Before = FShown.After = QVariant();
}

// Every operation that changes the rows first ends the editing; a deletion
// follows at once, while the row and its neighbours are still there to be
// named. Not while the controls are disabled: their enabling tells all. A
// cursor whose row is not the one at its place stands on rows replaced.
void TDataSetModel::RememberNeighbours() {
    TDataSet* ds = DataSet();
    if (!ds || ds->ControlsDisabled())
        return;
    Remember();
    if (ds->State() != TDataSetState::dsBrowse)
        return;
    FShown.Bookmark = ds->GetBookmark();
    if (BookmarkAt(FShown.Current) != FShown.Bookmark) {
        FShown.Bookmark = QVariant();
        return;
    }
    FShown.Before = BookmarkAt(FShown.Current - 1);
    FShown.After = BookmarkAt(FShown.Current + 1);
}

void TDataSetModel::Reset() {
    beginResetModel();
    TDataSet* ds = DataSet();
    FShown.Rows = ds ? ds->RecordCount() + (ds->InsertIndex() >= 0 ? 1 : 0) : 0;
    Remember();
    endResetModel();
    RowChanged();
}

// Editing a row begins without a data change event; an insert or a post is
// told by the data change that follows its state change.
void TDataSetModel::EditingStarted() {
    TDataSet* ds = DataSet();
    if (ds && ds->State() == TDataSetState::dsEdit && FShown.State == TDataSetState::dsBrowse) {
        FShown.State = TDataSetState::dsEdit;
        FShown.Current = ds->ActiveIndex();
    }
}

// One record fewer, the current one gone, its neighbours where they were.
bool TDataSetModel::IsDeletion() const {
    TDataSet* ds = DataSet();
    if (!FShown.Bookmark.isValid() || ds->BookmarkValid(FShown.Bookmark))
        return false;
    if (FShown.Before.isValid() && BookmarkAt(FShown.Current - 1) != FShown.Before)
        return false;
    return !FShown.After.isValid() || BookmarkAt(FShown.Current) == FShown.After;
}

void TDataSetModel::Sync() {
    TDataSet* ds = DataSet();
    if (!ds) {
        Reset();
        return;
    }
    using S = TDataSetState;
    const S was = FShown.State, now = ds->State();
    const int wasRecords = FShown.Rows - (FShown.Insert >= 0 ? 1 : 0);
    const int records = ds->RecordCount();
    if (was == S::dsBrowse && now == S::dsInsert && records == wasRecords)
        RowInserted(ds->InsertIndex());
    else if (was == S::dsInsert && now == S::dsBrowse && records == wasRecords)
        RowRemoved(FShown.Insert); // cancelled, or posted outside the rows shown
    else if (was == S::dsInsert && now == S::dsBrowse && records == wasRecords + 1)
        RowMoved(FShown.Insert, ds->ActiveIndex());
    else if (was == S::dsEdit && now == S::dsBrowse && records == wasRecords)
        RowMoved(FShown.Current, ds->ActiveIndex());
    else if (was == S::dsEdit && now == S::dsBrowse && records == wasRecords - 1)
        RowRemoved(FShown.Current); // posted outside the rows shown
    else if (was == S::dsBrowse && now == S::dsBrowse && records == wasRecords - 1 && IsDeletion()) {
        RowRemoved(FShown.Current);
        // Told from the rows around it only: whatever else shows is read again.
        RowsChanged(0, FShown.Rows - 1);
    } else {
        Reset();
        return;
    }
    Remember();
    RowChanged();
}

void TDataSetModel::RowInserted(int row) {
    FOldRow = [row](int old) { return old < row ? old : old + 1; };
    beginInsertRows(QModelIndex(), row, row);
    FOldRow = nullptr;
    ++FShown.Rows;
    endInsertRows();
}

void TDataSetModel::RowRemoved(int row) {
    FOldRow = [row](int old) { return old < row ? old : old == row ? -1 : old - 1; };
    beginRemoveRows(QModelIndex(), row, row);
    FOldRow = nullptr;
    --FShown.Rows;
    endRemoveRows();
}

// A posted row stands where the order puts it; the other rows keep theirs.
void TDataSetModel::RowMoved(int from, int to) {
    if (from != to && from >= 0 && to >= 0) {
        FOldRow = [from, to](int old) {
            if (old == from)
                return to;
            const int other = old < from ? old : old - 1;
            return other < to ? other : other + 1;
        };
        beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
        FOldRow = nullptr;
        endMoveRows();
    }
    RowsChanged(to, to);
}

void TDataSetModel::RowsChanged(int first, int last) {
    const int columns = columnCount();
    if (first >= 0 && last >= first && last < FShown.Rows && columns > 0)
        emit dataChanged(index(first, 0), index(last, columns - 1));
}

void TDataSetModel::RowChanged() {
    const int row = CurrentRow();
    if (row != FLastCurrent) {
        FLastCurrent = row;
        emit currentRowChanged(row);
    }
}

int TDataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FShown.Rows; }

int TDataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(Columns().size());
}

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
    TDataSet* ds = DataSet();
    if (!ds || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const QList<TField*> columns = Columns();
    if (index.column() >= columns.size())
        return QVariant();
    TField* field = columns[index.column()];
    int row = FOldRow ? FOldRow(index.row()) : index.row();
    if (row < 0 || row >= ds->RecordCount() + (ds->InsertIndex() >= 0 ? 1 : 0))
        return QVariant();
    QString text;
    // A view paints inside Qt's event handling, which no exception may cross:
    // a text that cannot be formed shows empty.
    auto read = [&] {
        try {
            text = role == Qt::DisplayRole ? field->DisplayText() : field->Text();
        } catch (const Exception&) {
            text.clear();
        }
    };
    const int inserting = ds->InsertIndex();
    if (inserting >= 0) {
        if (row == inserting) {
            read();
            return text;
        }
        if (row > inserting)
            --row;
    }
    ds->WithRecord(row, read);
    return text;
}

void TDataSetModel::MoveTo(int row) {
    TDataSet* ds = DataSet();
    if (!ds || row == CurrentRow())
        return;
    ds->SetRecNo(row + 1);
}

bool TDataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    TDataSet* ds = DataSet();
    if (!ds || role != Qt::EditRole || !index.isValid())
        return false;
    TField* field = Columns().value(index.column());
    if (!field || !field->CanModify())
        return false;
    MoveTo(index.row());
    ds->Edit();
    field->SetText(value.toString());
    return true;
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal) {
        TField* field = Columns().value(section);
        return field ? QVariant(field->DisplayLabel()) : QVariant();
    }
    return section + 1;
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    TField* field = Columns().value(index.column());
    if (field && field->CanModify())
        result |= Qt::ItemIsEditable;
    return result;
}
