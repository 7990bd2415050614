#include "BvArranger.h"

#include <QChildEvent>
#include <QScrollBar>
#include <QStyle>

TArrangeData::TArrangeData(TBvArranger* arranger) : QObject(arranger), FArranger(arranger) {}

void TArrangeData::Set(int& field, int value, int minimum) {
    value = qMax(value, minimum);
    if (value == field)
        return;
    field = value;
    FArranger->Arrange();
}

void TArrangeData::SetWidth(int value) { Set(FWidth, value, 1); }
void TArrangeData::SetHeight(int value) { Set(FHeight, value, 1); }
void TArrangeData::SetBorder(int value) { Set(FBorder, value, 0); }
void TArrangeData::SetMinColumns(int value) { Set(FMinColumns, value, 1); }
void TArrangeData::SetFixed(bool value) {
    if (value == FFixed)
        return;
    FFixed = value;
    FArranger->Arrange();
}

TBvArranger::TBvArranger(QWidget* parent) : QScrollArea(parent), FData(new TArrangeData(this)), FContents(new QWidget) {
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    FContents->setObjectName(QStringLiteral("Contents"));
    FContents->installEventFilter(this);
    setWidget(FContents);
}

QList<QWidget*> TBvArranger::Children() const {
    QList<QWidget*> result;
    for (QObject* child : FContents->children())
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow())
            result << static_cast<QWidget*>(child);
    return result;
}

// c columns fit while c × Width + Border (+ the scroll bar when shown) stays
// below the width. The used width starts at the MinColumns cells already
// taken: counted as one cell, MinColumns above 1 would add columns that
// overflow the width.
int TBvArranger::Columns() const {
    if (FData->Fixed())
        return FData->MinColumns();
    int columns = FData->MinColumns();
    int used = columns * FData->Width();
    const int scrollBar = verticalScrollBar()->isVisible() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const int margin = FData->Border() + FData->Width() + scrollBar;
    while (used + margin < width()) {
        ++columns;
        used += FData->Width();
    }
    return qMax(columns, FData->MinColumns());
}

QPoint TBvArranger::CellOrigin(int index, int columns) const {
    return QPoint((index % columns) * FData->Width() + FData->Border(), (index / columns) * FData->Height() + FData->Border());
}

void TBvArranger::FitContents(int count, int columns) {
    const int rows = (count + columns - 1) / columns;
    const int w = qMax(columns * FData->Width() + FData->Border(), viewport()->width());
    FContents->resize(w, rows * FData->Height() + FData->Border());
}

void TBvArranger::Arrange() {
    if (FArranging)
        return;
    FArranging = true;
    const QList<QWidget*> children = Children();
    const int columns = Columns();
    for (int i = 0; i < children.size(); ++i)
        children[i]->move(CellOrigin(i, columns));
    FitContents(int(children.size()), columns);
    FArranging = false;
}

void TBvArranger::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    Arrange();
}

bool TBvArranger::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FContents) {
        if (event->type() == QEvent::ChildAdded) {
            // The child is still being made: it takes the next free cell now.
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType()) {
                const QList<QWidget*> children = Children();
                const int columns = Columns();
                const int index = int(children.indexOf(static_cast<QWidget*>(child)));
                static_cast<QWidget*>(child)->move(CellOrigin(index < 0 ? int(children.size()) : index, columns));
                FitContents(int(children.size()) + (index < 0 ? 1 : 0), columns);
            }
        } else if (event->type() == QEvent::ChildRemoved) {
            Arrange();
        }
    }
    return QScrollArea::eventFilter(watched, event);
}
