#pragma once
// The adjust grid: a data-aware grid of control panels, one panel per row
// of a dataset, each repeating the controls of the first panel. With Fixed
// the rows always have FixedHeight and as many as fit the grid's height are
// shown. Keys that a child control passes to the grid (Tab and the arrow
// keys) are reported through OnChildKey before the grid handles them.
//
// The panels' controls come from PanelControls, which builds one panel and
// is called for every row panel; its data-aware controls (TBvPanelEdit,
// TBvPanelText) show and edit their panel's row through the data source.

#include "Component.h"
#include "DataSet.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <memory>

class QScrollBar;

// The Shift state of a key: a set of Shift, Alt and Ctrl.
enum TShiftFlag : int { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = int;
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

// Key is the Qt key code; a handler setting it to 0, or raising, keeps the
// grid from handling the key.
using TChildKeyEvent = std::function<void(QObject* Sender, int& Key, TShiftState Shift)>;
using TEnablePanelEvent = std::function<void(QObject* Sender, QWidget* Panel, bool& Enabled)>;

enum class TBvGridOrientation { goVertical, goHorizontal };

// An edit showing one field of its panel's row; typing edits that row.
class TBvPanelEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TBvPanelEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
    QString DataField;
};

// A text showing one field of its panel's row.
class TBvPanelText : public QLabel {
    Q_OBJECT
public:
    explicit TBvPanelText(QWidget* parent = nullptr) : QLabel(parent) {}
    QString DataField;
};

class TBvAdjustGrid : public QFrame {
    Q_OBJECT
public:
    explicit TBvAdjustGrid(QWidget* parent = nullptr);
    ~TBvAdjustGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);

    // Builds the controls of one panel; called for every row panel.
    std::function<void(QWidget* Panel)> PanelControls;
    void RebuildPanels(); // after PanelControls changed

    int RowCount() const { return FRowCount; }
    void SetRowCount(int value);
    int PanelHeight() const { return FPanelHeight; }
    void SetPanelHeight(int value);
    TBvGridOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TBvGridOrientation value);

    bool Fixed() const { return FFixed; }
    void SetFixed(bool value);
    int FixedHeight() const { return FFixedHeight; }
    void SetFixedHeight(int value);

    // While loading (the window building the grid) the fixed rows are not applied.
    void BeginLoad() { ++FLoading; }
    void EndLoad();
    bool Loading() const { return FLoading > 0; }

    TChildKeyEvent OnChildKey;
    // Raised after the rows or the panel height were applied.
    TNotifyEvent OnRowsChanged;

    // Carried for the windows that set them; they change nothing shown.
    QString EnabledField;
    bool Switch = false;
    TEnablePanelEvent OnEnablePanel;

    QWidget* Panel(int index) const { return FPanels.value(index); }
    int PanelCount() const { return int(FPanels.size()); }
    // The dataset row panel `index` shows, -1 when it shows none.
    int PanelRow(int index) const;
    int TopRow() const { return FTop; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TLink;
    friend class TLink;
    void ApplyFixedRows();
    void LayoutPanels();
    void UpdatePanels();
    int Rows() const; // the dataset's rows, with one being inserted
    int CurrentRow() const;
    void ScrollToCurrent();
    void ReadRow(int row, const std::function<void()>& fn) const;
    void Bind(QWidget* panel);
    int RowOfControl(QObject* control) const;
    void MoveToRow(int row);
    void ControlEdited(TBvPanelEdit* edit);
    void WriteControl(TBvPanelEdit* edit);
    bool ChildKey(QObject* control, QKeyEvent* event);
    void FocusRow(int row, QObject* likeControl);
    QRect PanelArea() const;

    std::unique_ptr<TLink> FLink;
    QWidget* FArea;
    QScrollBar* FScrollBar;
    QList<QWidget*> FPanels;
    int FRowCount = 3;
    int FPanelHeight = 72;
    int FRememberedHeight = 72;
    TBvGridOrientation FOrientation = TBvGridOrientation::goVertical;
    bool FFixed = false;
    int FFixedHeight = 25;
    int FLoading = 0;
    int FTop = 0;
    bool FUpdating = false;
    QPointer<TBvPanelEdit> FDirty; // typed into, not yet written to its field
};
