#pragma once
// The work window: the program's only main window. It shows the patient
// archive (the sortable patient list and the search page), the journal of
// the current patient and, for support staff, a debugging page; it owns the
// actions that create and delete patients and examinations, applies the
// chosen language and country to everything it shows, and types and posts
// a patient's identity (birth date and sequence id) by the country's rules.
//
// The window works on the modules of a material module that the caller
// creates (with its CreateModules) and keeps for the window's lifetime.

#include "BuildFM.h"
#include "DataSet.h"

#include <QHash>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class TBvDBGrid;
class TQuery;
class TTvWorkCalculateDataModule;
class TTvWorkCountryDataModule;
class TTvWorkJournalDataModule;
class TTvWorkMaterialDataModule;

// Qt's input mask for an edit mask of the table store ("99-99-99;1;_",
// "!99-99-99;0;_", "0AA0;0;_"): the mask part with the store's characters
// ("0" digit, "9" optional digit, "A" letter or digit, "a" optional one,
// "L" letter, "l" optional letter) in Qt's letters, and the blank character.
QString InputMaskOf(const QString& editMask);

// A single-line edit of one field of a data source: it shows the field's
// text, puts the dataset into edit mode when the user types and writes the
// text into the field when the user leaves it (or the row is posted). The
// field's edit mask is the edit's input mask.
class TWorkDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TWorkDBEdit(QWidget* parent = nullptr);
    ~TWorkDBEdit() override;

    void SetDataSource(TDataSource* source);
    QString DataField;
    bool UpperCase = false;
    TField* Field() const;

    // Typed since the field's value was last shown.
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    // Writes the typed text into the field (the dataset into edit mode
    // first); nothing when nothing was typed.
    void UpdateRecord();
    // Shows the field's value again (and its mask).
    void Reset();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class TLink;
    friend class TLink;
    std::unique_ptr<TLink> FLink;
    bool FModified = false;
    bool FShowing = false;
};

class TTvWorkForm : public TBuildForm {
    Q_OBJECT
public:
    explicit TTvWorkForm(TTvWorkMaterialDataModule* material, QWidget* parent = nullptr);
    ~TTvWorkForm() override;

    // ------------------------------------------------------------ state
    int ItemWidth = 120;
    bool Busy = false;
    bool JournalVisible = true;

    TTvWorkMaterialDataModule* MaterialData = nullptr;
    TTvWorkCountryDataModule* CountryData = nullptr;
    TTvWorkJournalDataModule* JournalData = nullptr;
    TTvWorkCalculateDataModule* CalculateData = nullptr; // none when the material made another

    // ------------------------------------------------------------ components
    QTabWidget* MainPageControl = nullptr;
    QWidget* ArchiveSheet = nullptr;
    QWidget* JournalSheet = nullptr;
    QWidget* DebugSheet = nullptr;
    QTabWidget* GridPageControl = nullptr;
    QWidget* PatientSheet = nullptr;
    QWidget* QuerySheet = nullptr;
    TBvDBGrid* PatientGrid = nullptr;
    TBvDBGrid* QueryGrid = nullptr;
    TBvDBGrid* DebugGrid = nullptr;
    QWidget* QueryPanel = nullptr;
    QLabel* QueryLastNameLabel = nullptr;
    QLabel* QueryFirstNameLabel = nullptr;
    QLabel* QueryBirthDateLabel = nullptr;
    QLabel* QueryExportLabel = nullptr;
    QLineEdit* QueryLastNameEdit = nullptr;
    QLineEdit* QueryFirstNameEdit = nullptr;
    QLineEdit* QueryBirthDateEdit = nullptr;
    QCheckBox* QueryExportCheck = nullptr;
    QPushButton* SearchButton = nullptr;
    QPushButton* AdvancedButton = nullptr;
    QPushButton* NewSearchButton = nullptr;
    QCheckBox* IgnoreTestPatientCheck = nullptr;
    QCheckBox* CanExchangeCheck = nullptr;
    TQuery* Query = nullptr;
    TDataSource* QuerySource = nullptr;

    // The journal page's patient panel: the identity edits; the rest of the
    // page are containers its own code fills.
    QWidget* PatientPanel = nullptr;
    TWorkDBEdit* LastNameEdit = nullptr;
    TWorkDBEdit* FirstNameEdit = nullptr;
    TWorkDBEdit* BirthDateEdit = nullptr;
    TWorkDBEdit* SequenceIdEdit = nullptr;
    QLineEdit* AgeEdit = nullptr;
    QWidget* BaseGrid = nullptr;
    QWidget* JournalPanel = nullptr;
    TWorkDBEdit* DateEdit = nullptr;
    QWidget* ExamGrid = nullptr;
    QWidget* MainNotebook = nullptr;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* NewButton = nullptr;
    QToolButton* DeleteButton = nullptr;
    QToolButton* PrintButton = nullptr;
    QToolButton* ImportButton = nullptr;
    QToolButton* ExportButton = nullptr;
    QToolButton* ToolUpdateButton = nullptr;
    QMenu* NewPopupMenu = nullptr;
    QMenu* DeletePopupMenu = nullptr;
    QMenuBar* MainMenu = nullptr;
    QMenu* FilesMenu = nullptr;
    QMenu* FilesNewMenu = nullptr;
    QMenu* FilesDeleteMenu = nullptr;
    QAction* FilesPrinterSettingsMenu = nullptr;
    QAction* FilesUpdateSeparator = nullptr;
    QAction* FilesCloseMenu = nullptr;
    QMenu* FunctionsMenu = nullptr;
    QAction* FunctionsSettingsMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* HelpContentsMenu = nullptr;
    QAction* HelpAboutMenu = nullptr;
    QStatusBar* StatusBar = nullptr;

    QAction* PatientImportAction = nullptr;
    QAction* PatientExportAction = nullptr;
    QAction* PrintAction = nullptr;
    QAction* NewPatientAction = nullptr;
    QAction* NewExaminationAction = nullptr;
    QAction* DeletePatientAction = nullptr;
    QAction* DeleteExaminationAction = nullptr;
    QAction* CompleteExportAction = nullptr;
    QAction* UpdateMedicalSystemAction = nullptr;

    // ------------------------------------------------------------ operations
    // A design size at the screen's pixels per inch (96 is the design's).
    int Scaled(int designSize) const;
    static int ScaledBy(int designSize, int pixelsPerInch);

    void ApplyLanguage();
    void ApplyCountry();
    void UpdateActions();
    void PatientScrolled();
    // 0 archive with the patient list, 1 archive with the search page, 2 journal.
    int ActivePageCode() const;
    void SelectPageCode(int code);

    void NewPatient();
    void NewExamination();
    void DeletePatient();
    void DeleteExamination();
    // False (with the warning) while the current patient has no birth date.
    bool CanClose();

    // The search statement of the typed inputs and its parameters; an empty
    // statement when nothing is typed.
    QString QueryStatement(QVariantList& params) const;
    void Search();
    void NewSearch();
    void PlaceQueryInputs();

    // The patient identity.
    void ApplyBirthDateFormat();
    void FixBirthDateCentury();
    void RefreshAge();
    void NextSequenceId();
    void ValidatePatientId();
    void PostPatient();
    // Leaving the identity edits and the age box; `next` is the control the
    // focus moves to.
    void BirthDateExit(QWidget* next);
    void SequenceIdExit(QWidget* next);
    void AgeExit();
    // The mask text of the country's birth-date format ("99-99-99").
    QString BirthDateMaskText() const;

    void DisplayHint(QObject* Sender) override;
    void LoadSettings() override;
    void SaveSettings() override;
    void TranslateForm() override;

protected:
    void DoCreate() override;
    void DoDestroy() override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateArchive();
    void CreateJournalPage();
    void CreateDebugPage();
    QAction* MakeAction(const QString& name, const QString& category, const QString& caption,
                        const QKeySequence& shortcut, const QString& hint);
    void SetButtonAction(QToolButton* button, QAction* action);
    void MainPageChanged();
    void GridPageChanged();
    void QueryScrolled();
    void PostPending();
    void RefreshPending();
    void ShowJournalPage();
    void ShowPatientTestState(bool test);
    void ApplyStoredPage();

    QHash<QAction*, QString> FHints; // the untranslated "short|long" hint
    QString FAboutCaption = QStringLiteral("About %s\u00AE...");
    int FStoredPage = 0;
    bool FCreated = false;
    bool FQueryMoving = false;
};
