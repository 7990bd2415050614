#include "BvAdjustGrid.h"

#include "BvUtils.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    return shift;
}

namespace {
// Applying the rows moves and resizes panels, which can resize a grid again
// (this one or one on its panels): one application at a time for all grids.
bool ApplyingFixedRows = false;
} // namespace

class TBvAdjustGrid::TLink : public TDataLink {
public:
    explicit TLink(TBvAdjustGrid* grid) : FGrid(grid) {}

protected:
    void ActiveChanged() override { FGrid->UpdatePanels(); }
    void RecordChanged(TField*) override { FGrid->UpdatePanels(); }
    void DataSetChanged() override { FGrid->UpdatePanels(); }
    void DataSetScrolled() override { FGrid->UpdatePanels(); }
    void EditingChanged() override { FGrid->UpdatePanels(); }
    // The dataset leaves the row: what was typed goes into the field first.
    void UpdateData() override {
        if (FGrid->FDirty)
            FGrid->WriteControl(FGrid->FDirty);
    }
    void CheckBrowseMode() override { UpdateData(); }

private:
    TBvAdjustGrid* FGrid;
};

TBvAdjustGrid::TBvAdjustGrid(QWidget* parent)
    : QFrame(parent), FLink(std::make_unique<TLink>(this)), FArea(new QWidget(this)), FScrollBar(new QScrollBar(this)) {
    setFrameShape(QFrame::StyledPanel);
    FArea->setObjectName(QStringLiteral("Panels"));
    FScrollBar->setOrientation(Qt::Vertical);
    connect(FScrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!FUpdating)
            MoveToRow(value);
    });
    RebuildPanels();
}

TBvAdjustGrid::~TBvAdjustGrid() {
    FDirty = nullptr;
    FLink->SetDataSource(nullptr);
}

TDataSource* TBvAdjustGrid::DataSource() const { return FLink->DataSource(); }
void TBvAdjustGrid::SetDataSource(TDataSource* source) {
    FLink->SetDataSource(source);
    FTop = 0;
    UpdatePanels();
}

void TBvAdjustGrid::SetRowCount(int value) {
    value = qMax(1, value);
    if (value == FRowCount)
        return;
    FRowCount = value;
    RebuildPanels();
}

void TBvAdjustGrid::SetPanelHeight(int value) {
    value = qMax(1, value);
    if (value == FPanelHeight)
        return;
    FPanelHeight = value;
    LayoutPanels();
}

void TBvAdjustGrid::SetOrientation(TBvGridOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    FScrollBar->setOrientation(value == TBvGridOrientation::goVertical ? Qt::Vertical : Qt::Horizontal);
    ApplyFixedRows();
    LayoutPanels();
}

// Switching Fixed on remembers the panel height; switching it off restores it.
void TBvAdjustGrid::SetFixed(bool value) {
    if (value == FFixed)
        return;
    FFixed = value;
    if (value) {
        FRememberedHeight = FPanelHeight;
        ApplyFixedRows();
    } else {
        SetPanelHeight(FRememberedHeight);
    }
}

void TBvAdjustGrid::SetFixedHeight(int value) {
    value = qMax(1, value);
    if (value == FFixedHeight)
        return;
    FFixedHeight = value;
    ApplyFixedRows();
}

void TBvAdjustGrid::EndLoad() {
    if (FLoading > 0 && --FLoading == 0)
        ApplyFixedRows();
}

void TBvAdjustGrid::ApplyFixedRows() {
    if (!FFixed || Loading() || ApplyingFixedRows)
        return;
    ApplyingFixedRows = true;
    try {
        const int scrollBar =
            FOrientation == TBvGridOrientation::goHorizontal ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
        FPanelHeight = FFixedHeight;
        SetRowCount((height() - scrollBar) / FFixedHeight);
        LayoutPanels();
        if (OnRowsChanged)
            OnRowsChanged(this);
    } catch (...) {
        ApplyingFixedRows = false;
        throw;
    }
    ApplyingFixedRows = false;
}

void TBvAdjustGrid::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    ApplyFixedRows();
    LayoutPanels();
}

QRect TBvAdjustGrid::PanelArea() const {
    const QRect inside = contentsRect();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (FOrientation == TBvGridOrientation::goVertical)
        return QRect(inside.left(), inside.top(), qMax(0, inside.width() - bar), inside.height());
    return QRect(inside.left(), inside.top(), inside.width(), qMax(0, inside.height() - bar));
}

void TBvAdjustGrid::LayoutPanels() {
    const QRect area = PanelArea();
    const QRect inside = contentsRect();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    FArea->setGeometry(area);
    if (FOrientation == TBvGridOrientation::goVertical)
        FScrollBar->setGeometry(area.right() + 1, inside.top(), bar, inside.height());
    else
        FScrollBar->setGeometry(inside.left(), area.bottom() + 1, inside.width(), bar);
    for (int i = 0; i < FPanels.size(); ++i)
        FPanels[i]->setGeometry(0, i * FPanelHeight, area.width(), FPanelHeight);
}

void TBvAdjustGrid::RebuildPanels() {
    FDirty = nullptr;
    qDeleteAll(FPanels);
    FPanels.clear();
    for (int i = 0; i < FRowCount; ++i) {
        auto* panel = new QWidget(FArea);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setAutoFillBackground(true);
        if (PanelControls)
            PanelControls(panel);
        Bind(panel);
        FPanels << panel;
        panel->show();
    }
    LayoutPanels();
    UpdatePanels();
}

void TBvAdjustGrid::Bind(QWidget* panel) {
    for (QWidget* control : panel->findChildren<QWidget*>()) {
        control->installEventFilter(this);
        if (auto* edit = qobject_cast<TBvPanelEdit*>(control)) {
            connect(edit, &QLineEdit::textEdited, this, [this, edit] { ControlEdited(edit); });
            connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
                if (FDirty != edit)
                    return;
                try {
                    WriteControl(edit);
                } catch (const EAbort&) {
                } catch (const Exception& e) {
                    ShowError(e.Message());
                }
            });
        }
    }
}

int TBvAdjustGrid::Rows() const {
    TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
    if (!ds)
        return 0;
    return ds->RecordCount() + (ds->InsertIndex() >= 0 ? 1 : 0);
}

int TBvAdjustGrid::CurrentRow() const {
    TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
    if (!ds)
        return -1;
    return ds->InsertIndex() >= 0 ? ds->InsertIndex() : ds->ActiveIndex();
}

int TBvAdjustGrid::PanelRow(int index) const {
    const int row = FTop + index;
    return index >= 0 && index < FPanels.size() && row < Rows() ? row : -1;
}

// The row being inserted shows where it will be; the rows after it move down.
void TBvAdjustGrid::ReadRow(int row, const std::function<void()>& fn) const {
    TDataSet* ds = FLink->DataSet();
    const int inserting = ds->InsertIndex();
    if (row == CurrentRow()) {
        fn();
        return;
    }
    if (inserting >= 0 && row > inserting)
        --row;
    ds->WithRecord(row, fn);
}

void TBvAdjustGrid::ScrollToCurrent() {
    const int current = CurrentRow();
    const int rows = Rows();
    if (current >= 0) {
        if (current < FTop)
            FTop = current;
        else if (current >= FTop + FRowCount)
            FTop = current - FRowCount + 1;
    }
    FTop = qBound(0, FTop, qMax(0, rows - FRowCount));
}

void TBvAdjustGrid::UpdatePanels() {
    if (FUpdating)
        return;
    FUpdating = true;
    TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
    ScrollToCurrent();
    const int rows = Rows();
    const int current = CurrentRow();
    FScrollBar->setRange(0, qMax(0, rows - 1));
    FScrollBar->setValue(qMax(0, current));
    for (int i = 0; i < FPanels.size(); ++i) {
        QWidget* panel = FPanels[i];
        const int row = PanelRow(i);
        panel->setEnabled(row >= 0);
        panel->setBackgroundRole(row >= 0 && row == current ? QPalette::AlternateBase : QPalette::Base);
        for (QWidget* control : panel->findChildren<QWidget*>()) {
            auto* edit = qobject_cast<TBvPanelEdit*>(control);
            auto* text = qobject_cast<TBvPanelText*>(control);
            const QString fieldName = edit ? edit->DataField : text ? text->DataField : QString();
            if (fieldName.isEmpty() || (edit && edit == FDirty))
                continue;
            QString value;
            if (ds && row >= 0)
                if (TField* field = ds->FindField(fieldName)) {
                    try {
                        ReadRow(row, [&] { value = edit ? field->Text() : field->DisplayText(); });
                    } catch (const Exception&) {
                        value.clear(); // a text that cannot be formed shows empty
                    }
                }
            if (edit) {
                edit->setText(value);
                edit->setReadOnly(!ds || !ds->FindField(fieldName) || !ds->FindField(fieldName)->CanModify());
            } else {
                text->setText(value);
            }
        }
    }
    FUpdating = false;
}

int TBvAdjustGrid::RowOfControl(QObject* control) const {
    for (QObject* o = control; o; o = o->parent()) {
        const int index = int(FPanels.indexOf(qobject_cast<QWidget*>(o)));
        if (index >= 0)
            return PanelRow(index);
    }
    return -1;
}

void TBvAdjustGrid::MoveToRow(int row) {
    TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
    if (!ds || row < 0 || row == CurrentRow())
        return;
    try {
        if (FDirty)
            WriteControl(FDirty);
        const int inserting = ds->InsertIndex();
        ds->CheckBrowseMode();
        // Posting the inserted row put it in its place; the rows after it moved.
        if (inserting >= 0 && row > inserting && ds->InsertIndex() < 0 && ds->State() == TDataSetState::dsBrowse)
            row = qMin(row, ds->RecordCount() - 1);
        ds->SetRecNo(row + 1);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowError(e.Message());
    }
    UpdatePanels();
}

void TBvAdjustGrid::ControlEdited(TBvPanelEdit* edit) {
    TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
    if (!ds)
        return;
    const int row = RowOfControl(edit);
    if (row != CurrentRow())
        MoveToRow(row);
    // Marked first: the dataset's change of state shows the panels again,
    // and the text being typed must stay.
    FDirty = edit;
    try {
        if (ds->State() == TDataSetState::dsBrowse)
            ds->Edit();
    } catch (const EAbort&) {
        FDirty = nullptr;
    } catch (const Exception& e) {
        FDirty = nullptr;
        ShowError(e.Message());
    }
}

// What was typed goes into the field; a text the field refuses stays in the
// control with the field's message, so nothing typed is lost unseen.
void TBvAdjustGrid::WriteControl(TBvPanelEdit* edit) {
    TDataSet* ds = FLink->Active() ? FLink->DataSet() : nullptr;
    if (!ds || FDirty != edit)
        return;
    TField* field = ds->FindField(edit->DataField);
    if (!field)
        return;
    FDirty = nullptr;
    try {
        if (ds->State() == TDataSetState::dsBrowse)
            ds->Edit();
        field->SetText(edit->text());
    } catch (...) {
        FDirty = edit;
        throw;
    }
}

void TBvAdjustGrid::FocusRow(int row, QObject* likeControl) {
    MoveToRow(row);
    const int panelIndex = CurrentRow() - FTop;
    QWidget* from = nullptr;
    int fromPanel = -1;
    for (QObject* o = likeControl; o; o = o->parent()) {
        fromPanel = int(FPanels.indexOf(qobject_cast<QWidget*>(o)));
        if (fromPanel >= 0)
            break;
    }
    if (fromPanel < 0 || panelIndex < 0 || panelIndex >= FPanels.size())
        return;
    from = FPanels[fromPanel];
    const QList<QWidget*> source = from->findChildren<QWidget*>();
    const QList<QWidget*> target = FPanels[panelIndex]->findChildren<QWidget*>();
    const int at = int(source.indexOf(qobject_cast<QWidget*>(likeControl)));
    if (at >= 0 && at < target.size())
        target[at]->setFocus(Qt::OtherFocusReason);
}

bool TBvAdjustGrid::ChildKey(QObject* control, QKeyEvent* event) {
    int key = event->key();
    if (OnChildKey) {
        try {
            OnChildKey(control, key, ShiftStateOf(event->modifiers()));
        } catch (const EAbort&) {
            return true;
        } catch (const Exception& e) {
            ShowError(e.Message());
            return true;
        }
        if (key == 0)
            return true;
    }
    const int row = RowOfControl(control);
    if (key == Qt::Key_Up && row > 0) {
        FocusRow(row - 1, control);
        return true;
    }
    if (key == Qt::Key_Down && row >= 0 && row + 1 < Rows()) {
        FocusRow(row + 1, control);
        return true;
    }
    return false;
}

bool TBvAdjustGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched->isWidgetType() && FArea->isAncestorOf(static_cast<QWidget*>(watched))) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            switch (key->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_Left:
            case Qt::Key_Right:
                if (ChildKey(watched, key))
                    return true;
                break;
            default:
                break;
            }
        } else if (event->type() == QEvent::FocusIn) {
            // The current row follows the focus.
            const int row = RowOfControl(watched);
            if (row >= 0 && row != CurrentRow())
                MoveToRow(row);
        }
    }
    return QFrame::eventFilter(watched, event);
}
