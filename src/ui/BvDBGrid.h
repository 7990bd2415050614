#pragma once
// The sortable data grid: a data grid whose columns carry sort orders (an
// index name or index field names of the dataset, or an ORDER BY of a local
// SQL query), an incremental search on the sort column, record-level keys
// (choose, insert, delete) and columns that grow with the grid.
//
// The view reads the rows through TDataSetModel, which asks the dataset
// only for the rows shown: a stored table of a hundred thousand patients is
// never read whole into the grid.

#include "Component.h"
#include "DataSet.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <memory>

class TBvDBGrid;
class TDataSetModel;
class TQuery;

enum TSortIndicator : int { siButton = 1, siArrow = 2 };
using TSortIndicators = int;

class TBvColumn : public QObject {
    Q_OBJECT
public:
    TBvColumn(TBvDBGrid* grid, const QString& fieldName);

    TBvDBGrid* Grid() const { return FGrid; }
    int Index() const;
    QString FieldName() const { return FFieldName; }
    void SetFieldName(const QString& name);
    TField* Field() const; // nullptr without a dataset or such a field

    QString Title() const; // the caption, else the field's label
    void SetTitle(const QString& title);
    int Width() const;
    void SetWidth(int width);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    QColor Color;
    QFont Font;
    bool HasFont = false;

    bool SizeWithGrid = false;
    QString IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(const QString& names);
    QString IndexName() const { return FIndexName; }
    void SetIndexName(const QString& name);
    // Sortable only with an index name or index field names.
    bool Sortable() const { return !FIndexName.isEmpty() || !FIndexFieldNames.isEmpty(); }
    bool Sorted() const;
    void SetSorted(bool value);

private:
    friend class TBvDBGrid;
    TBvDBGrid* FGrid;
    QString FFieldName, FTitle, FIndexFieldNames, FIndexName;
    int FWidth = -1;
    bool FReadOnly = false;
    bool FVisible = true;
};

using TGridSearchEvent = std::function<bool(QObject* Sender, const QString& Text)>; // true: handled
using TGridTitleClickEvent = std::function<void(TBvColumn* Column)>;
using TGridMouseEvent = std::function<void(QObject* Sender, Qt::MouseButton Button, int Shift, int X, int Y)>;

class TBvDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TBvDBGrid(QWidget* parent = nullptr);
    ~TBvDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const; // nullptr when there is no active one
    TDataSetModel* DataModel() const { return FModel; }

    // Columns. Without any, the grid shows a column per visible field.
    TBvColumn* AddColumn(const QString& fieldName);
    void ClearColumns();
    int ColumnCount() const { return int(FColumns.size()); }
    TBvColumn* Column(int index) const { return FColumns.value(index); }
    const QList<TBvColumn*>& Columns() const { return FColumns; }
    int SelectedIndex() const; // the current column, -1 when none
    void SetSelectedIndex(int index);

    // Options of the toolkit's grid.
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ShowTitles() const { return FShowTitles; }
    void SetShowTitles(bool value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);

    // Sorting.
    int SortColumn() const; // the first sorted column, -1 when none
    void SetSortColumn(int index);
    void PriorSortColumn();
    void NextSortColumn();
    bool AllowSort = false;
    TSortIndicators SortIndicators = siButton;

    // Incremental search.
    bool AllowSearch = false;
    bool Searching() const { return !FSearchText.isEmpty(); }
    QString SearchText() const { return FSearchText; }
    // What the search cell shows: the search text, laid into the field's
    // edit mask where it has one.
    QString SearchCellText() const;
    int BeepCount() const { return FBeeps; } // searches that found nothing

    bool AutoEdit = false;
    bool AutoInsert = false;
    bool ConfirmDelete = false;
    // The narrowest a column growing with the grid becomes.
    int MinWidth = 0;
    QColor InactiveColor() const { return FInactiveColor; }
    void SetInactiveColor(const QColor& color);

    // A column the Tab key stops at.
    bool TabStop(int column) const;

    // Record-level operations, as the keys and the double click run them.
    void Choose();
    void InsertRecord();
    void DeleteRecords();

    TGridSearchEvent OnSearch;
    TNotifyEvent BeforeInsert, AfterInsert, BeforeDelete, AfterDelete;
    TNotifyEvent BeforeChoose, AfterChoose, BeforeSearch, AfterSearch;
    TGridTitleClickEvent OnTitleClick;
    TGridMouseEvent OnMouseDown;

    // For the painting of the title and the search cell.
    int LogicalOf(int column) const; // model column of a grid column, -1
    int ColumnOfLogical(int logical) const;
    bool IsSearchCell(const QModelIndex& index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyboardSearch(const QString&) override {} // the grid's own search replaces it

private:
    class TLink;
    class TProxy;
    friend class TBvColumn;
    friend class TProxy;
    void SortBy(TBvColumn* column, bool on);
    bool IsSorted(const TBvColumn* column) const;
    void StepSortColumn(int step);
    bool SearchActive() const;
    bool SearchKey(QChar key);
    void SearchField(TField* field, const QString& text);
    void EndSearch();
    void ReturnToSearchStart();
    void Beep();
    bool RecordKey(QKeyEvent* event); // true when handled whole
    void TabKey(bool forward);
    void MoveRows(int delta);
    void ApplyColumns();
    void ApplyOptions();
    void SyncCurrent();
    void Chain(TDataSet* dataSet);
    void Unchain();
    void Fire(const TNotifyEvent& event) { if (event) event(this); }
    QList<QVariant> SelectedBookmarks() const;

    TDataSetModel* FModel;
    TProxy* FProxy;
    std::unique_ptr<TLink> FLink;
    QList<TBvColumn*> FColumns;
    bool FDefaultColumns = true;
    bool FRowSelect = false;
    bool FMultiSelect = false;
    bool FShowTitles = true;
    bool FReadOnly = false;
    QColor FInactiveColor;
    QString FSearchText;
    QVariant FSearchStart;
    bool FSearchMoving = false;
    bool FSyncing = false;
    bool FApplyingColumns = false;
    int FBeeps = 0;
    bool FCellEditing = false; // AutoEdit switched whole-row selection off

    // The dataset's handlers this grid chained itself after.
    QPointer<TDataSet> FChained;
    TDataSetNotifyEvent FOldAfterEdit, FOldAfterInsert, FOldAfterPost, FOldAfterCancel;
};
