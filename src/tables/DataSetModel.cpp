#include "DataSetModel.h"

class TDataSetModel::TLink : public TDataLink {
public:
    explicit TLink(TDataSetModel* model) : FModel(model) {}

protected:
    void ActiveChanged() override { FModel->Reset(); }
    void DataSetChanged() override { FModel->Reset(); }
    void DataSetScrolled() override { FModel->RowChanged(); }
    void LayoutChanged() override { FModel->Reset(); }
    void EditingChanged() override { FModel->Reset(); }
    void RecordChanged(TField* /*field*/) override {
        const int row = FModel->CurrentRow();
        if (row >= 0)
            emit FModel->dataChanged(FModel->index(row, 0), FModel->index(row, FModel->columnCount() - 1));
    }

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

void TDataSetModel::Reset() {
    beginResetModel();
    endResetModel();
    RowChanged();
}

void TDataSetModel::RowChanged() {
    const int row = CurrentRow();
    if (row != FLastCurrent) {
        FLastCurrent = row;
        emit currentRowChanged(row);
    }
}

int TDataSetModel::rowCount(const QModelIndex& parent) const {
    TDataSet* ds = DataSet();
    if (parent.isValid() || !ds)
        return 0;
    return ds->RecordCount() + (ds->InsertIndex() >= 0 ? 1 : 0);
}

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
    int row = index.row();
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
