#pragma once
// The grids' view of a dataset: one row per visible row (plus the row being
// inserted), one column per visible field, display and edit text through
// the fields. The current row follows the dataset's cursor.

#include "DataSet.h"

#include <QAbstractTableModel>

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
    void Reset();
    void RowChanged();
    std::unique_ptr<TLink> FLink;
    int FLastCurrent = -1;
};
