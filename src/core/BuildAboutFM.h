#pragma once
// The about windows, one per edition: a panel with the title, the version,
// two fixed texts and the application's picture, the contact lines below
// it and a Close button.

#include "BuildFM.h"
#include "Edition.h"

class QFrame;
class QLabel;
class QPushButton;

class TBuildAboutForm : public TBuildForm {
    Q_OBJECT
public:
    explicit TBuildAboutForm(QWidget* parent = nullptr);

    QFrame* Panel = nullptr;
    QLabel* AppImage = nullptr;
    QLabel* TitleLabel = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* ProductLabel = nullptr;   // fixed text
    QLabel* CopyrightLabel = nullptr; // fixed text
    QLabel* ContactLabel = nullptr;   // multi-line
    QPushButton* CloseButton = nullptr;

    // Appends a line to ContactLabel, after a line break ("\n\r") when it
    // already has text.
    void AddContactLine(const QString& text);
    // The contact text as built ("\n\r" between lines); the label shows
    // each CR, LF or pair of them as one line break.
    QString ContactText() const { return FContactText; }
    void SetContactText(const QString& text);
    // Shows a text whose lines are broken by CR, LF or a pair of them.
    static void SetLinesText(QLabel* label, const QString& text);

protected:
    // VersionLabel := LongVersion; the application's icon when AppImage has
    // no picture.
    void DoCreate() override;

private:
    QString FContactText;
};

// Prevention: the version with the update level, the main window's caption
// as the title and the current country's about text.
class TMlAboutForm : public TBuildAboutForm {
    Q_OBJECT
public:
    explicit TMlAboutForm(QWidget* parent = nullptr);

protected:
    void DoCreate() override;
};

class TSdAboutForm : public TBuildAboutForm {
    Q_OBJECT
public:
    explicit TSdAboutForm(QWidget* parent = nullptr);
};

class TTvAboutForm : public TBuildAboutForm {
    Q_OBJECT
public:
    explicit TTvAboutForm(QWidget* parent = nullptr);
};

// The about window of an edition, past its creation steps.
TBuildAboutForm* CreateAboutForm(TEdition edition);
// The work window's About command: shows the edition's about window
// modally and frees it.
void ShowAboutForm(TEdition edition);
