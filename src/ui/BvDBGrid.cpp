#include "BvDBGrid.h"

#include "BvAdjustGrid.h"
#include "BvDictionary.h"
#include "BvUtils.h"
#include "Conversions.h"
#include "DBTables.h"
#include "DataSetModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyledItemDelegate>

namespace {

const QString OrderByText = QStringLiteral("ORDER BY ");

// "Last name;First name" as the field list of an ORDER BY; a name that is
// not a plain word is quoted, so a name with blanks stays one name.
QString OrderList(const QString& indexFieldNames) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    QStringList names;
    for (const QString& name : SplitFieldNames(indexFieldNames))
        names << (plain.match(name).hasMatch() ? name : QuoteName(name));
    return names.join(QStringLiteral(", "));
}

bool SameFieldList(const QString& a, const QString& b) {
    const QStringList x = SplitFieldNames(a), y = SplitFieldNames(b);
    if (x.size() != y.size())
        return false;
    for (int i = 0; i < x.size(); ++i)
        if (!SameName(x[i], y[i]))
            return false;
    return true;
}

QString StatementText(const TQuery* query) { return query->SQL().join('\n'); }

// The text after the last ORDER BY, -1 when there is none.
int OrderByAt(const QString& text) { return int(text.lastIndexOf(QStringLiteral("ORDER BY"), -1, Qt::CaseInsensitive)); }

// The key of a letter in the other case.
QString WithLastCase(const QString& text, bool upper) {
    if (text.isEmpty())
        return text;
    QString result = text;
    result[result.size() - 1] = upper ? result.back().toUpper() : result.back().toLower();
    return result;
}

// A text laid into an edit mask ("90/90/00;1;_": the mask, whether the text
// carries the literals, the blank): each character place takes the next
// character of the text or the blank, each literal shows itself (and uses
// up the text's own literal when the text carries them).
QString MaskedText(const QString& editMask, const QString& text) {
    const QStringList sections = editMask.split(';');
    const QString mask = sections.value(0);
    const bool withLiterals = sections.value(1, QStringLiteral("1")).trimmed() != QStringLiteral("0");
    const QChar blank = sections.value(2).isEmpty() ? QChar('_') : sections.value(2).front();
    static const QString places = QStringLiteral("09#LlAaCc");
    QString result;
    int at = 0;
    for (int i = 0; i < mask.size(); ++i) {
        QChar m = mask[i];
        if (m == '!' || m == '<' || m == '>')
            continue;
        const bool escaped = m == '\\' && i + 1 < mask.size();
        if (escaped)
            m = mask[++i];
        if (!escaped && places.contains(m)) {
            result += at < text.size() ? text[at++] : blank;
        } else {
            result += m;
            if (withLiterals && at < text.size())
                ++at;
        }
    }
    return result;
}

} // namespace

// ---------------------------------------------------------------- columns

TBvColumn::TBvColumn(TBvDBGrid* grid, const QString& fieldName) : QObject(grid), FGrid(grid), FFieldName(fieldName) {}

int TBvColumn::Index() const { return int(FGrid->FColumns.indexOf(const_cast<TBvColumn*>(this))); }

void TBvColumn::SetFieldName(const QString& name) {
    FFieldName = name;
    FGrid->ApplyColumns();
}

TField* TBvColumn::Field() const {
    TDataSet* ds = FGrid->DataSet();
    return ds ? ds->FindField(FFieldName) : nullptr;
}

QString TBvColumn::Title() const {
    if (!FTitle.isEmpty())
        return FTitle;
    TField* field = Field();
    return field ? field->DisplayLabel() : FFieldName;
}

void TBvColumn::SetTitle(const QString& title) {
    FTitle = title;
    FGrid->horizontalHeader()->viewport()->update();
}

int TBvColumn::Width() const {
    const int logical = FGrid->LogicalOf(Index());
    return logical >= 0 ? FGrid->horizontalHeader()->sectionSize(logical) : FWidth;
}

void TBvColumn::SetWidth(int width) {
    FWidth = qMax(0, width);
    const int logical = FGrid->LogicalOf(Index());
    if (logical >= 0)
        FGrid->horizontalHeader()->resizeSection(logical, FWidth);
}

void TBvColumn::SetVisible(bool value) {
    FVisible = value;
    FGrid->ApplyColumns();
}

void TBvColumn::SetIndexFieldNames(const QString& names) {
    FIndexFieldNames = names;
    FIndexName.clear();
    FGrid->horizontalHeader()->viewport()->update();
}

void TBvColumn::SetIndexName(const QString& name) {
    FIndexName = name;
    FIndexFieldNames.clear();
    FGrid->horizontalHeader()->viewport()->update();
}

bool TBvColumn::Sorted() const { return FGrid->IsSorted(this); }
void TBvColumn::SetSorted(bool value) { FGrid->SortBy(this, value); }

// ---------------------------------------------------------------- the grid's model and painting

// The dataset model as the grid shows it: the columns' titles, colours and
// fonts, and cells of fields that cannot be modified but set their own text.
class TBvDBGrid::TProxy : public QIdentityProxyModel {
public:
    explicit TProxy(TBvDBGrid* grid) : QIdentityProxyModel(grid), FGrid(grid) {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            if (TBvColumn* column = FGrid->Column(FGrid->ColumnOfLogical(section)))
                return TranslateText(column->Title());
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::BackgroundRole || role == Qt::FontRole) {
            TBvColumn* column = FGrid->Column(FGrid->ColumnOfLogical(index.column()));
            if (!column)
                return QVariant();
            if (role == Qt::BackgroundRole)
                return column->Color.isValid() ? QVariant(column->Color) : QVariant();
            return column->HasFont ? QVariant(column->Font) : QVariant();
        }
        return QIdentityProxyModel::data(index, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags result = QIdentityProxyModel::flags(index) & ~Qt::ItemIsEditable;
        if (Editable(index))
            result |= Qt::ItemIsEditable;
        return result;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !Editable(index))
            return false;
        TDataSet* ds = FGrid->DataSet();
        TField* field = FGrid->Column(FGrid->ColumnOfLogical(index.column()))->Field();
        // Inside the view's event handling: a text the field refuses is
        // shown with the field's message, never dropped unseen.
        try {
            FGrid->FModel->MoveTo(index.row());
            if (ds->State() == TDataSetState::dsBrowse)
                ds->Edit();
            field->SetText(value.toString());
            return true;
        } catch (const EAbort&) {
        } catch (const Exception& e) {
            ShowError(QStringLiteral("%1: %2").arg(field->DisplayLabel(), e.Message()));
        }
        return false;
    }

private:
    // A read-only column is never edited; a field that cannot be modified
    // may be when it sets its own text.
    bool Editable(const QModelIndex& index) const {
        TBvColumn* column = FGrid->Column(FGrid->ColumnOfLogical(index.column()));
        TDataSet* ds = FGrid->DataSet();
        if (!column || !ds || FGrid->ReadOnly() || column->ReadOnly())
            return false;
        TField* field = column->Field();
        return field && (field->CanModify() || field->OnSetText);
    }
    TBvDBGrid* FGrid;
};

namespace {

// The search text is drawn over the sort column's cell of the current row
// in the column's own colours.
class TGridDelegate : public QStyledItemDelegate {
public:
    explicit TGridDelegate(TBvDBGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (FGrid->IsSearchCell(index)) {
            const QVariant color = index.data(Qt::BackgroundRole);
            painter->fillRect(option.rect, color.isValid() ? color.value<QColor>() : option.palette.color(QPalette::Base));
        }
        QStyledItemDelegate::paint(painter, option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (FGrid->IsSearchCell(index)) {
            option->text = FGrid->SearchCellText();
            option->state &= ~QStyle::State_Selected;
        }
    }

private:
    TBvDBGrid* FGrid;
};

// Titles with the sort indicator of the sorted column: an arrow after the
// caption, or a pressed frame.
class TGridHeader : public QHeaderView {
public:
    explicit TGridHeader(TBvDBGrid* grid) : QHeaderView(Qt::Horizontal, grid), FGrid(grid) {
        setSectionsClickable(true);
        setHighlightSections(false);
        // Captions start at the left, as the arrow after them expects.
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        if (!FGrid->AllowSort || !FGrid->ShowTitles())
            return;
        const int column = FGrid->ColumnOfLogical(logicalIndex);
        if (column < 0 || column != FGrid->SortColumn())
            return;
        painter->save();
        painter->setClipRect(rect);
        if (FGrid->SortIndicators & siArrow) {
            const QString caption = TranslateText(FGrid->Column(column)->Title());
            const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
            const int x = rect.left() + margin + fontMetrics().horizontalAdvance(caption + QStringLiteral("XX"));
            const int h = qMax(4, rect.height() / 4);
            const int top = rect.center().y() - h / 2;
            const QPolygon arrow({QPoint(x, top), QPoint(x + h * 2, top), QPoint(x + h, top + h)});
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(palette().color(QPalette::ButtonText));
            painter->drawPolygon(arrow);
        }
        if (FGrid->SortIndicators & siButton) {
            const QRect r = rect.adjusted(0, 0, -1, -1);
            painter->setPen(palette().color(QPalette::Dark));
            painter->drawLine(r.topLeft(), r.topRight());
            painter->drawLine(r.topLeft(), r.bottomLeft());
            painter->setPen(palette().color(QPalette::Button));
            painter->drawLine(r.topRight(), r.bottomRight());
            painter->drawLine(r.bottomLeft(), r.bottomRight());
        }
        painter->restore();
    }

private:
    TBvDBGrid* FGrid;
};

} // namespace

// Follows the dataset being replaced under the data source.
class TBvDBGrid::TLink : public TDataLink {
public:
    explicit TLink(TBvDBGrid* grid) : FGrid(grid) {}

protected:
    void ActiveChanged() override { FGrid->Chain(Active() ? DataSet() : nullptr); }
    void LayoutChanged() override { FGrid->ApplyColumns(); }

private:
    TBvDBGrid* FGrid;
};

// ---------------------------------------------------------------- the grid

TBvDBGrid::TBvDBGrid(QWidget* parent)
    : QTableView(parent), FModel(new TDataSetModel(this)), FProxy(new TProxy(this)), FLink(std::make_unique<TLink>(this)) {
    FProxy->setSourceModel(FModel);
    setHorizontalHeader(new TGridHeader(this));
    setModel(FProxy);
    setItemDelegate(new TGridDelegate(this));
    setSortingEnabled(false);
    setTabKeyNavigation(true);
    setWordWrap(false);
    // Rows of one height: the view finds a row by arithmetic, never by
    // measuring the rows above it.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSortIndicatorShown(false);
    connect(FModel, &TDataSetModel::currentRowChanged, this, [this] { SyncCurrent(); });
    connect(FModel, &QAbstractItemModel::modelReset, this, [this] {
        ApplyColumns();
        SyncCurrent();
    });
    // A width the user gives a column stays through a change of order or rows.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (TBvColumn* column = Column(ColumnOfLogical(logical)); column && !FApplyingColumns)
            column->FWidth = size;
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int logical) {
        TBvColumn* column = Column(ColumnOfLogical(logical));
        if (!column)
            return;
        try {
            column->SetSorted(true);
        } catch (const EAbort&) {
        } catch (const Exception& e) {
            ShowError(e.Message());
        }
        if (OnTitleClick)
            OnTitleClick(column);
    });
    ApplyOptions();
}

TBvDBGrid::~TBvDBGrid() {
    Unchain();
    FLink->SetDataSource(nullptr);
}

TDataSource* TBvDBGrid::DataSource() const { return FModel->DataSource(); }

void TBvDBGrid::SetDataSource(TDataSource* source) {
    EndSearch();
    FLink->SetDataSource(source);
    FModel->SetDataSource(source);
    Chain(DataSet());
    ApplyColumns();
    SyncCurrent();
}

TDataSet* TBvDBGrid::DataSet() const { return FModel->DataSet(); }

TBvColumn* TBvDBGrid::AddColumn(const QString& fieldName) {
    if (FDefaultColumns) {
        qDeleteAll(FColumns);
        FColumns.clear();
        FDefaultColumns = false;
    }
    auto* column = new TBvColumn(this, fieldName);
    FColumns << column;
    ApplyColumns();
    return column;
}

void TBvDBGrid::ClearColumns() {
    qDeleteAll(FColumns);
    FColumns.clear();
    FDefaultColumns = true;
    ApplyColumns();
}

int TBvDBGrid::LogicalOf(int column) const {
    TBvColumn* c = Column(column);
    if (!c || !c->Visible())
        return -1;
    TField* field = c->Field();
    return field ? int(FModel->Columns().indexOf(field)) : -1;
}

int TBvDBGrid::ColumnOfLogical(int logical) const {
    for (int i = 0; i < FColumns.size(); ++i)
        if (LogicalOf(i) == logical && logical >= 0)
            return i;
    return -1;
}

// The model shows every visible field; the grid's columns pick and order them.
void TBvDBGrid::ApplyColumns() {
    const QList<TField*> fields = FModel->Columns();
    if (FDefaultColumns) {
        QStringList names;
        for (TField* field : fields)
            names << field->FieldName();
        QStringList have;
        for (TBvColumn* column : FColumns)
            have << column->FieldName();
        if (names != have) {
            qDeleteAll(FColumns);
            FColumns.clear();
            for (const QString& name : names)
                FColumns << new TBvColumn(this, name);
        }
    }
    QHeaderView* header = horizontalHeader();
    FApplyingColumns = true;
    const auto applied = qScopeGuard([this] { FApplyingColumns = false; });
    QVector<bool> used(fields.size(), false);
    int visual = 0;
    for (int i = 0; i < FColumns.size(); ++i) {
        const int logical = LogicalOf(i);
        if (logical < 0 || used[logical])
            continue;
        used[logical] = true;
        header->showSection(logical);
        header->moveSection(header->visualIndex(logical), visual++);
        TBvColumn* column = FColumns[i];
        const int width =
            column->FWidth >= 0
                ? column->FWidth
                : qMax(fields[logical]->DisplayWidth() * fontMetrics().horizontalAdvance(QLatin1Char('0')),
                       fontMetrics().horizontalAdvance(TranslateText(column->Title()) + QStringLiteral("XXXX"))) + 8;
        column->FWidth = width;
        header->resizeSection(logical, width);
    }
    for (int logical = 0; logical < fields.size(); ++logical)
        if (!used[logical])
            header->hideSection(logical);
    // Every column whose field sets its own text is a tab stop.
    try {
        for (int i = 0; i < FColumns.size(); ++i)
            TabStop(i);
    } catch (const Exception&) {
        ShowError(QStringLiteral("SetColumnAttributes: TabStops error"));
    }
}

bool TBvDBGrid::TabStop(int column) const {
    TBvColumn* c = Column(column);
    if (!c || LogicalOf(column) < 0 || c->ReadOnly())
        return false;
    TField* field = c->Field();
    return field && (field->CanModify() || field->OnSetText);
}

int TBvDBGrid::SelectedIndex() const { return ColumnOfLogical(currentIndex().column()); }

void TBvDBGrid::SetSelectedIndex(int index) {
    const int logical = LogicalOf(index);
    const int row = FModel->CurrentRow();
    if (logical < 0 || row < 0)
        return;
    FSyncing = true;
    setCurrentIndex(FProxy->index(row, logical));
    FSyncing = false;
}

void TBvDBGrid::SyncCurrent() {
    const int row = FModel->CurrentRow();
    if (row < 0 || row >= FProxy->rowCount())
        return;
    int logical = currentIndex().isValid() ? currentIndex().column() : -1;
    if (logical < 0 || horizontalHeader()->isSectionHidden(logical))
        logical = LogicalOf(0) >= 0 ? LogicalOf(0) : horizontalHeader()->logicalIndex(0);
    if (logical < 0)
        return;
    const QModelIndex index = FProxy->index(row, logical);
    if (index != currentIndex()) {
        FSyncing = true;
        const auto flags = FRowSelect && !FCellEditing ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                                       : QItemSelectionModel::ClearAndSelect;
        selectionModel()->setCurrentIndex(index, flags);
        FSyncing = false;
    }
    scrollTo(index);
}

void TBvDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // Moving to another cell ends a search, unless the search itself moved.
    if (!FSearchMoving && current != previous)
        EndSearch();
    if (FSyncing || !current.isValid() || current.row() == FModel->CurrentRow())
        return;
    try {
        FModel->MoveTo(current.row());
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowError(e.Message());
    }
    SyncCurrent();
}

void TBvDBGrid::ApplyOptions() {
    setSelectionBehavior(FRowSelect && !FCellEditing ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    setEditTriggers(FReadOnly || (FRowSelect && !FCellEditing)
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setVisible(FShowTitles);
}

void TBvDBGrid::SetRowSelect(bool value) {
    FRowSelect = value;
    ApplyOptions();
}
void TBvDBGrid::SetMultiSelect(bool value) {
    FMultiSelect = value;
    ApplyOptions();
}
void TBvDBGrid::SetShowTitles(bool value) {
    FShowTitles = value;
    ApplyOptions();
}
void TBvDBGrid::SetReadOnly(bool value) {
    FReadOnly = value;
    ApplyOptions();
}

// The selection as the grid shows it when it has no focus.
void TBvDBGrid::SetInactiveColor(const QColor& color) {
    FInactiveColor = color;
    QPalette p = palette();
    if (color.isValid())
        p.setColor(QPalette::Inactive, QPalette::Highlight, color);
    else
        p.setColor(QPalette::Inactive, QPalette::Highlight, QApplication::palette().color(QPalette::Inactive, QPalette::Highlight));
    setPalette(p);
}

// ---------------------------------------------------------------- chained dataset events

// With AutoEdit, editing or inserting switches whole-row selection to cell
// editing, and posting or cancelling switches back; the dataset's own
// handlers run first.
void TBvDBGrid::Chain(TDataSet* dataSet) {
    if (dataSet == FChained)
        return;
    Unchain();
    if (!dataSet)
        return;
    FChained = dataSet;
    FOldAfterEdit = dataSet->AfterEdit;
    FOldAfterInsert = dataSet->AfterInsert;
    FOldAfterPost = dataSet->AfterPost;
    FOldAfterCancel = dataSet->AfterCancel;
    auto toCells = [this](bool on) {
        if (!AutoEdit || !FRowSelect || FCellEditing == on)
            return;
        FCellEditing = on;
        ApplyOptions();
    };
    dataSet->AfterEdit = [this, toCells](TDataSet* ds) {
        if (FOldAfterEdit)
            FOldAfterEdit(ds);
        toCells(true);
    };
    dataSet->AfterInsert = [this, toCells](TDataSet* ds) {
        if (FOldAfterInsert)
            FOldAfterInsert(ds);
        toCells(true);
    };
    dataSet->AfterPost = [this, toCells](TDataSet* ds) {
        if (FOldAfterPost)
            FOldAfterPost(ds);
        toCells(false);
    };
    dataSet->AfterCancel = [this, toCells](TDataSet* ds) {
        if (FOldAfterCancel)
            FOldAfterCancel(ds);
        toCells(false);
    };
}

void TBvDBGrid::Unchain() {
    if (FChained) {
        FChained->AfterEdit = FOldAfterEdit;
        FChained->AfterInsert = FOldAfterInsert;
        FChained->AfterPost = FOldAfterPost;
        FChained->AfterCancel = FOldAfterCancel;
    }
    FChained = nullptr;
    FOldAfterEdit = FOldAfterInsert = FOldAfterPost = FOldAfterCancel = nullptr;
}

// ---------------------------------------------------------------- sorting

bool TBvDBGrid::IsSorted(const TBvColumn* column) const {
    TDataSet* ds = DataSet();
    if (!ds || !column->Sortable())
        return false;
    if (auto* query = qobject_cast<TQuery*>(ds)) {
        if (column->IndexFieldNames().isEmpty())
            return false;
        const QString text = StatementText(query);
        const int at = OrderByAt(text);
        return at >= 0 &&
               QString::compare(text.mid(at + OrderByText.size()).trimmed(), OrderList(column->IndexFieldNames()),
                                Qt::CaseInsensitive) == 0;
    }
    if (!ds->IndexName().isEmpty())
        return !column->IndexName().isEmpty() && SameName(ds->IndexName(), column->IndexName());
    return !column->IndexFieldNames().isEmpty() && SameFieldList(ds->IndexFieldNames(), column->IndexFieldNames());
}

// A column without an order sorts nothing: the dataset keeps its order.
void TBvDBGrid::SortBy(TBvColumn* column, bool on) {
    TDataSet* ds = DataSet();
    if (!ds || !column->Sortable())
        return;
    EndSearch();
    clearSelection();
    WithHourGlass([&] {
        if (auto* query = qobject_cast<TQuery*>(ds)) {
            if (column->IndexFieldNames().isEmpty())
                return;
            const QStringList before = query->SQL();
            QString text = StatementText(query);
            const int at = int(text.indexOf(QStringLiteral("ORDER BY"), 0, Qt::CaseInsensitive));
            if (at >= 0)
                text = text.left(at);
            while (text.endsWith('\n') || text.endsWith(' '))
                text.chop(1);
            QStringList lines = text.split('\n');
            if (on)
                lines << OrderByText + OrderList(column->IndexFieldNames());
            // A statement the engine refuses leaves the query as it was.
            try {
                query->Close();
                query->SetSQL(lines);
                query->Open();
            } catch (...) {
                query->Close();
                query->SetSQL(before);
                query->Open();
                throw;
            }
            return;
        }
        if (!column->IndexName().isEmpty())
            ds->SetIndexName(on ? column->IndexName() : QString());
        else
            ds->SetIndexFieldNames(on ? column->IndexFieldNames() : QString());
    });
    horizontalHeader()->viewport()->update();
    SyncCurrent();
}

int TBvDBGrid::SortColumn() const {
    for (int i = 0; i < FColumns.size(); ++i)
        if (IsSorted(FColumns[i]))
            return i;
    return -1;
}

void TBvDBGrid::SetSortColumn(int index) {
    if (index >= 0 && index < FColumns.size())
        FColumns[index]->SetSorted(true);
}

void TBvDBGrid::StepSortColumn(int step) {
    const int start = SortColumn();
    const int count = int(FColumns.size());
    if (start < 0)
        return;
    int i = start;
    do {
        i = (i + step + count) % count;
        FColumns[i]->SetSorted(true);
    } while (SortColumn() == start && i != start);
}

void TBvDBGrid::PriorSortColumn() { StepSortColumn(-1); }
void TBvDBGrid::NextSortColumn() { StepSortColumn(1); }

// ---------------------------------------------------------------- incremental search

bool TBvDBGrid::SearchActive() const {
    TDataSet* ds = DataSet();
    return AllowSearch && ds && ds->State() == TDataSetState::dsBrowse && SortColumn() >= 0;
}

bool TBvDBGrid::IsSearchCell(const QModelIndex& index) const {
    return Searching() && index.row() == FModel->CurrentRow() && index.column() == LogicalOf(SortColumn());
}

// With an edit mask, the part of the masked search text that agrees with
// the masked field text.
QString TBvDBGrid::SearchCellText() const {
    TBvColumn* column = Column(SortColumn());
    TField* field = column ? column->Field() : nullptr;
    if (!field || field->EditMask().isEmpty())
        return FSearchText;
    QString fieldText;
    try {
        fieldText = field->Text();
    } catch (const Exception&) {
        return FSearchText;
    }
    const QString search = MaskedText(field->EditMask(), FSearchText);
    const QString shown = MaskedText(field->EditMask(), fieldText);
    int agree = 0;
    while (agree < search.size() && agree < shown.size() && search[agree].toCaseFolded() == shown[agree].toCaseFolded())
        ++agree;
    return shown.left(agree);
}

void TBvDBGrid::Beep() {
    ++FBeeps;
    QApplication::beep();
}

void TBvDBGrid::ReturnToSearchStart() {
    TDataSet* ds = DataSet();
    if (!ds || !FSearchStart.isValid() || !ds->BookmarkValid(FSearchStart))
        return;
    FSearchMoving = true;
    const auto done = qScopeGuard([this] { FSearchMoving = false; });
    ds->GotoBookmark(FSearchStart);
}

void TBvDBGrid::EndSearch() {
    if (!Searching())
        return;
    FSearchStart = QVariant();
    FSearchText.clear();
    viewport()->update();
    Fire(AfterSearch);
}

// Tables by a nearest-key search on their order: the text as typed, then
// with its last letter in the other case (the order compares case, the
// search does not), then a case-insensitive partial locate, which the store
// runs on its index. Queries by the locate alone.
void TBvDBGrid::SearchField(TField* field, const QString& text) {
    TDataSet* ds = DataSet();
    auto reached = [&] { return field->DisplayText().startsWith(text, Qt::CaseInsensitive); };
    const TLocateOptions anyCase = loCaseInsensitive | loPartialKey;
    if (qobject_cast<TQuery*>(ds)) {
        ds->Locate(field->FieldName(), text, anyCase);
        return;
    }
    const QStringList order = ds->OrderFieldNames();
    if (!order.isEmpty() && SameName(order.first(), field->FieldName())) {
        QStringList keys{WithLastCase(text, true), WithLastCase(text, false)};
        if (!keys.contains(text))
            keys.prepend(text);
        keys.removeDuplicates();
        for (const QString& key : keys) {
            ds->FindNearest({key});
            if (reached())
                return;
        }
    }
    if (IsTextType(field->DataType()))
        ds->Locate(field->FieldName(), text, anyCase);
}

// One typed key: true when the search took it.
bool TBvDBGrid::SearchKey(QChar key) {
    TDataSet* ds = DataSet();
    TBvColumn* column = Column(SortColumn());
    TField* field = column ? column->Field() : nullptr;
    if (!ds || !field)
        return false;
    const ushort code = key.unicode();
    QString next = FSearchText;
    bool toStart = false;
    bool taken = true;
    if (code == 8) {
        next.chop(1);
        toStart = next.isEmpty();
    } else if (code == 13) {
        next.clear();
    } else if (code == 27) {
        next.clear();
        toStart = true;
    } else if (code >= 32 && code != 127) {
        next += key;
    } else {
        next.clear();
        taken = Searching();
    }
    if (!Searching() && next.isEmpty())
        return taken && code >= 32;
    if (toStart)
        ReturnToSearchStart();
    if (next == FSearchText)
        return true;
    if (next.isEmpty()) {
        EndSearch();
        return true;
    }
    const bool starting = FSearchText.isEmpty();
    if (starting)
        Fire(BeforeSearch);
    const TDataSet::TBookmark position = ds->GetBookmark();
    FSearchMoving = true;
    const auto done = qScopeGuard([this] { FSearchMoving = false; });
    bool found = false;
    QString fieldText;
    try {
        if (!(OnSearch && OnSearch(this, next)))
            SearchField(field, next);
        fieldText = field->DisplayText();
        found = fieldText.startsWith(next, Qt::CaseInsensitive);
    } catch (const Exception&) {
        found = false; // a text the field cannot take (letters in a date) finds nothing
    }
    if (!found) {
        try {
            if (ds->BookmarkValid(position))
                ds->GotoBookmark(position);
        } catch (const Exception&) {
        }
        Beep();
        // A search that never found a row ends as it began.
        if (starting)
            Fire(AfterSearch);
    } else {
        FSearchText = fieldText.left(next.size());
        if (!FSearchStart.isValid())
            FSearchStart = position;
    }
    viewport()->update();
    return true;
}

// ---------------------------------------------------------------- keys and mouse

void TBvDBGrid::MoveRows(int delta) {
    TDataSet* ds = DataSet();
    if (!ds)
        return;
    const bool inserting = ds->State() == TDataSetState::dsInsert;
    ds->CheckBrowseMode();
    if (inserting && delta > 0 && ds->State() == TDataSetState::dsBrowse)
        ds->Next(); // the posted row stands in its place; the next one after it
    else
        ds->MoveBy(delta);
}

// The toolkit's Tab (next column, past the last the next row's first), then
// on to the next tab stop; when no column is one, the last column.
void TBvDBGrid::TabKey(bool forward) {
    TDataSet* ds = DataSet();
    const int count = int(FColumns.size());
    if (!ds || count == 0)
        return;
    const bool wasInserting = ds->State() == TDataSetState::dsInsert;
    int column = qMax(0, SelectedIndex());
    const int step = forward ? 1 : -1;
    auto advance = [&] {
        column += step;
        if (column >= count || column < 0) {
            column = forward ? 0 : count - 1;
            MoveRows(step);
        }
    };
    advance();
    int tries = 0;
    while (!TabStop(column) && tries++ < count) {
        column = (column + step + count) % count;
    }
    if (!TabStop(column))
        column = count - 1;
    SyncCurrent();
    SetSelectedIndex(column);
    if (forward && AutoInsert && wasInserting && ds->State() != TDataSetState::dsInsert)
        InsertRecord();
}

// The record-level keys, only while no search text is typed.
bool TBvDBGrid::RecordKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    TDataSet* ds = DataSet();
    switch (event->key()) {
    case Qt::Key_Tab:
        if (mods == Qt::NoModifier) {
            TabKey(true);
            return true;
        }
        return false;
    case Qt::Key_Backtab:
        TabKey(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods != Qt::NoModifier)
            return false;
        Choose();
        return true;
    case Qt::Key_Escape: {
        if (mods != Qt::NoModifier)
            return false;
        const bool inserting = ds && ds->State() == TDataSetState::dsInsert;
        if (ds && IsEditing(ds))
            ds->Cancel();
        if (inserting)
            return true;
        event->ignore(); // the window's own Escape
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (mods == Qt::NoModifier && FRowSelect && !FCellEditing) {
            event->key() == Qt::Key_Left ? PriorSortColumn() : NextSortColumn();
            return true;
        }
        if (mods == Qt::ControlModifier)
            event->key() == Qt::Key_Left ? PriorSortColumn() : NextSortColumn();
        return false;
    case Qt::Key_Delete:
        if (mods == Qt::ControlModifier)
            return true;
        if (mods != Qt::NoModifier)
            return false;
        DeleteRecords();
        return true;
    case Qt::Key_Insert:
        if (mods != Qt::NoModifier)
            return false;
        InsertRecord();
        return true;
    default:
        return false;
    }
}

void TBvDBGrid::keyPressEvent(QKeyEvent* event) {
    try {
        if (!Searching() && RecordKey(event))
            return;
        if (SearchActive() || Searching()) {
            QChar key;
            switch (event->key()) {
            case Qt::Key_Backspace: key = QChar(8); break;
            case Qt::Key_Return:
            case Qt::Key_Enter: key = QChar(13); break;
            case Qt::Key_Escape: key = QChar(27); break;
            case Qt::Key_Tab: key = QChar(9); break;
            default:
                // Ctrl with a letter types its control character.
                if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
                    key = QChar(event->key() - Qt::Key_A + 1);
                else if (!event->text().isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                    key = event->text().front();
                else if (!event->text().isEmpty() && event->text().front().unicode() < 32)
                    key = event->text().front();
            }
            if (!key.isNull() && SearchKey(key))
                return;
        }
    } catch (const EAbort&) {
        return;
    } catch (const Exception& e) {
        ShowError(e.Message());
        return;
    }
    QTableView::keyPressEvent(event);
}

void TBvDBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool tab = hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, tab ? QAbstractItemDelegate::NoHint : hint);
    if (tab) {
        try {
            TabKey(hint == QAbstractItemDelegate::EditNextItem);
        } catch (const EAbort&) {
        } catch (const Exception& e) {
            ShowError(e.Message());
        }
    }
}

// A right click does nothing; whatever goes wrong while the button goes
// down (the handler included) is swallowed.
void TBvDBGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    try {
        QTableView::mousePressEvent(event);
        if (OnMouseDown)
            OnMouseDown(this, event->button(), ShiftStateOf(event->modifiers()), int(event->position().x()),
                        int(event->position().y()));
    } catch (...) {
    }
}

void TBvDBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid())
        return;
    try {
        Choose();
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowError(e.Message());
    }
}

// Columns that grow with the grid share the change of its width: each its
// share in column order, the last what remains.
void TBvDBGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (event->oldSize().width() < 0)
        return;
    const int delta = event->size().width() - event->oldSize().width();
    QList<TBvColumn*> growing;
    for (TBvColumn* column : FColumns)
        if (column->SizeWithGrid)
            growing << column;
    if (delta == 0 || growing.isEmpty())
        return;
    try {
        const int share = delta / int(growing.size());
        for (int i = 0; i < growing.size(); ++i) {
            const int add = i + 1 < growing.size() ? share : delta - share * int(growing.size() - 1);
            growing[i]->SetWidth(qMax(MinWidth, growing[i]->Width() + add));
        }
    } catch (...) {
    }
}

// ---------------------------------------------------------------- choose, insert, delete

void TBvDBGrid::Choose() {
    TDataSet* ds = DataSet();
    if (!ds || ds->IsEmpty())
        return;
    if (IsEditing(ds))
        return;
    Fire(BeforeChoose);
    if (!FReadOnly && ds->CanModify())
        ds->Edit();
    Fire(AfterChoose);
}

void TBvDBGrid::InsertRecord() {
    Fire(BeforeInsert);
    TDataSet* ds = DataSet();
    if (FReadOnly || !ds || ds->State() == TDataSetState::dsInsert || !ds->CanModify())
        return;
    ds->Insert();
    Fire(AfterInsert);
}

QList<QVariant> TBvDBGrid::SelectedBookmarks() const {
    QList<QVariant> bookmarks;
    TDataSet* ds = DataSet();
    if (!ds || !selectionModel())
        return bookmarks;
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (!rows.contains(index.row()))
            rows << index.row();
    for (int row : rows)
        if (row >= 0 && row < ds->RecordCount())
            ds->WithRecord(row, [&] { bookmarks << ds->GetBookmark(); });
    return bookmarks;
}

void TBvDBGrid::DeleteRecords() {
    Fire(BeforeDelete);
    TDataSet* ds = DataSet();
    if (FReadOnly || !ds || ds->IsEmpty() || (ds->Eof() && ds->Bof()) || !ds->CanModify())
        return;
    ds->CheckBrowseMode();
    const QList<QVariant> selected = SelectedBookmarks();
    if (selected.size() >= 2) {
        if (ConfirmDelete &&
            !AskYesNo(TranslateText(QStringLiteral("Slet %d markerede emner?")).replace(QStringLiteral("%d"), IntToStr(selected.size())),
                      false))
            return;
        // The dataset's own after-delete handler stays out of the walk.
        const TDataSetNotifyEvent afterDelete = ds->AfterDelete;
        ds->AfterDelete = nullptr;
        QProgressDialog progress(this);
        progress.setWindowTitle(TranslateText(QStringLiteral("Sletter")));
        progress.setCancelButton(nullptr);
        progress.setRange(0, int(selected.size()));
        progress.setMinimumDuration(0);
        {
            const auto restore = qScopeGuard([&] { ds->AfterDelete = afterDelete; });
            TDisableControlsScope quiet(ds);
            const TDataSet::TBookmark position = ds->GetBookmark();
            int done = 0;
            // Rows whose place became invalid are passed over.
            for (const QVariant& bookmark : selected) {
                progress.setValue(done++);
                if (!ds->BookmarkValid(bookmark))
                    continue;
                ds->GotoBookmark(bookmark);
                ds->Delete();
            }
            progress.setValue(done);
            if (ds->BookmarkValid(position))
                ds->GotoBookmark(position);
        }
        clearSelection();
    } else {
        if (ConfirmDelete && !AskYesNo(TranslateText(QStringLiteral("Slet?")), false))
            return;
        ds->Delete();
    }
    Fire(AfterDelete);
}
