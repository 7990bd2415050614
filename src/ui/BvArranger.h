#pragma once
// The button arranger: a scroll box that lays its children out in equal
// cells, as many columns as fit its width (or always MinColumns when Fixed),
// row after row. Children are placed again whenever the arranger is
// resized, a child goes, or a layout property changes; a child being added
// takes the next free cell at once.
//
// Children are made children of Contents(), the scrolled widget.

#include <QScrollArea>

class TBvArranger;

class TArrangeData : public QObject {
    Q_OBJECT
public:
    explicit TArrangeData(TBvArranger* arranger);

    int Width() const { return FWidth; }
    void SetWidth(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    int Border() const { return FBorder; }
    void SetBorder(int value);
    int MinColumns() const { return FMinColumns; }
    void SetMinColumns(int value);
    bool Fixed() const { return FFixed; }
    void SetFixed(bool value);

private:
    void Set(int& field, int value, int minimum);
    TBvArranger* FArranger;
    int FWidth = 1;
    int FHeight = 1;
    int FBorder = 0;
    int FMinColumns = 1;
    bool FFixed = true;
};

class TBvArranger : public QScrollArea {
    Q_OBJECT
public:
    explicit TBvArranger(QWidget* parent = nullptr);

    TArrangeData* Data() const { return FData; }
    QWidget* Contents() const { return FContents; }

    // The columns the current width holds.
    int Columns() const;
    // The cell of child i: its top-left corner.
    QPoint CellOrigin(int index, int columns) const;
    // Places every child again.
    void Arrange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> Children() const;
    void FitContents(int count, int columns);
    TArrangeData* FData;
    QWidget* FContents;
    bool FArranging = false;
};
