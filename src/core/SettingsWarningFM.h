#pragma once
// The warning dialog of the questions the user can switch off: a message, a
// check box "In the future, do not show this warning", Yes (the default
// button, result 6) and No (the cancel button: Escape and closing answer 7).
// A window of the system like any other: translated when it is created.

#include "BuildFM.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TSettingsWarningForm : public TBuildForm {
    Q_OBJECT
public:
    explicit TSettingsWarningForm(QWidget* parent = nullptr);

    QLabel* WarningLabel = nullptr;
    QCheckBox* DoNotShowCheck = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // Style 0 (the only one the system uses): Yes and No.
    void SetButtonStyle(int style);

    void reject() override; // Escape and the window's close box: No
};
