#pragma once
// The update-error dialog: shown when a change cannot be written back. It
// shows the kind of update, the engine's message and the row's values, and
// offers the reconcile actions. OK applies the chosen action ("Correct" with
// the values as the user edited them); closing it any other way aborts.

#include "DBTables.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QTableWidget;

class TReconcileErrorForm : public QDialog {
    Q_OBJECT
public:
    TReconcileErrorForm(TDataSet* dataSet, const TReconcileError& error, QWidget* parent = nullptr);

    // The chosen action when accepted, raAbort otherwise.
    TReconcileAction Action() const;
    void SetAction(TReconcileAction action);
    // The row's values with the user's edits of the "Modified Value" column.
    QVector<QVariant> EditedValues() const;

    static QString UpdateKindText(TUpdateKind kind);

public slots:
    // "Correct" with a value that does not convert keeps the dialog open.
    void accept() override;

private:
    TDataSet* FDataSet;
    TReconcileError FError;
    QLabel* FUpdateType;
    QLabel* FErrorMessage;
    QTableWidget* FGrid;
    QButtonGroup* FActions;
};

// The handler TMlTable installs: shows the dialog and, for "Correct", puts
// the edited values into the error.
TReconcileAction HandleReconcileError(TDataSet* dataSet, TReconcileError& error);
