#include "TvWorkFM.h"

#include "Application.h"
#include "BuildAboutFM.h"
#include "BuildMediatorDM.h"
#include "BvDBGrid.h"
#include "BvDictionary.h"
#include "BvUtils.h"
#include "DBClient.h"
#include "DBTables.h"
#include "DateTime.h"
#include "Conversions.h"
#include "Edition.h"
#include "Exceptions.h"
#include "FormatSettings.h"
#include "Keyboard.h"
#include "MorlenSettings.h"
#include "MorlenTables.h"
#include "TvWorkCalculateDM.h"
#include "TvWorkCountryDM.h"
#include "TvWorkJournalDM.h"
#include "TvWorkMaterialDM.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// The grid's columns that grow with it share the room the others leave,
// so the list fits its page without a horizontal scroll bar.
void FitGrowingColumns(TBvDBGrid* grid) {
    const int room = grid->viewport()->width();
    if (room <= 0)
        return;
    int fixed = 0;
    QList<TBvColumn*> growing;
    for (TBvColumn* column : grid->Columns()) {
        if (!column->Visible())
            continue;
        if (column->SizeWithGrid)
            growing << column;
        else
            fixed += column->Width();
    }
    if (growing.isEmpty())
        return;
    const int share = qMax(grid->MinWidth, (room - fixed - 2) / int(growing.size()));
    for (TBvColumn* column : growing)
        column->SetWidth(share);
}

const QString WorkFormKey = QStringLiteral("Forms\\Work");
const QString LaterHint = QStringLiteral("Available in a later version");

QString Tr(const QString& text) { return TranslateText(text); }

// Runs an operation of the user's: its error is shown as the event loop
// shows one, a silent abort shows nothing. True when it went through.
bool Guarded(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        TApplication::ShowException(e.Message());
    } catch (const std::exception& e) {
        TApplication::ShowException(QString::fromUtf8(e.what()));
    }
    return false;
}

QString LongHint(const QString& hint) {
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}
QString ShortHint(const QString& hint) {
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

// The digits of a typed text (the search's birth date keeps no separators).
QString DigitsOf(const QString& text) {
    QString digits;
    for (QChar c : text)
        if (c.isDigit())
            digits += c;
    return digits;
}
} // namespace

// ---------------------------------------------------------------- masks

QString InputMaskOf(const QString& editMask) {
    const QStringList parts = editMask.split(QLatin1Char(';'));
    QString mask = parts.value(0);
    const QString blank = parts.size() > 2 && !parts[2].isEmpty() ? parts[2].left(1) : QStringLiteral("_");
    if (mask.startsWith(QLatin1Char('!')))
        mask.remove(0, 1); // the store's "keep leading blanks" has no counterpart
    QString result;
    for (QChar c : mask) {
        switch (c.unicode()) {
        case '0': result += QLatin1Char('9'); break; // a digit is required
        case '9': result += QLatin1Char('0'); break; // a digit may be left out
        case 'A': result += QLatin1Char('N'); break;
        case 'a': result += QLatin1Char('n'); break;
        case 'L': result += QLatin1Char('A'); break;
        case 'l': result += QLatin1Char('a'); break;
        case 'N': case 'n': case 'X': case 'x': case 'D': case 'd': case '#': case 'H': case 'h':
        case 'B': case 'b': case '>': case '<': case '[': case ']': case '{': case '}': case '\\':
            result += QLatin1Char('\\');
            result += c;
            break;
        default: result += c;
        }
    }
    return result.isEmpty() ? QString() : result + QLatin1Char(';') + blank;
}

// ---------------------------------------------------------------- TWorkDBEdit

class TWorkDBEdit::TLink : public TDataLink {
public:
    explicit TLink(TWorkDBEdit* edit) : FEdit(edit) {}

protected:
    void ActiveChanged() override { FEdit->Reset(); }
    void RecordChanged(TField* field) override {
        if (!field || field == FEdit->Field())
            FEdit->Reset();
    }
    void EditingChanged() override { FEdit->Reset(); }
    void UpdateData() override { FEdit->UpdateRecord(); }

private:
    TWorkDBEdit* FEdit;
};

TWorkDBEdit::TWorkDBEdit(QWidget* parent) : QLineEdit(parent), FLink(std::make_unique<TLink>(this)) {
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (FShowing)
            return;
        if (TField* field = Field(); field && field->DataSet()->State() == TDataSetState::dsBrowse) {
            const QString typed = text();
            const int cursor = cursorPosition();
            FShowing = true;
            field->DataSet()->Edit();
            setText(typed);
            setCursorPosition(cursor);
            FShowing = false;
        }
        FModified = true;
    });
}

TWorkDBEdit::~TWorkDBEdit() { FLink->SetDataSource(nullptr); }

void TWorkDBEdit::SetDataSource(TDataSource* source) {
    FLink->SetDataSource(source);
    Reset();
}

TField* TWorkDBEdit::Field() const {
    TDataSet* dataSet = FLink->DataSet();
    if (!dataSet || !dataSet->Active() || DataField.isEmpty())
        return nullptr;
    return dataSet->FindField(DataField);
}

void TWorkDBEdit::Reset() {
    if (FShowing)
        return;
    TField* field = Field();
    FShowing = true;
    const QString mask = field ? InputMaskOf(field->EditMask()) : QString();
    if (inputMask() != mask)
        setInputMask(mask);
    setText(field ? field->Text() : QString());
    FShowing = false;
    FModified = false;
}

void TWorkDBEdit::UpdateRecord() {
    TField* field = Field();
    if (!field || !FModified)
        return;
    QString typed = text();
    if (UpperCase)
        typed = typed.toUpper();
    TDataSet* dataSet = field->DataSet();
    // A text of separators only is an empty date.
    if (DigitsOf(typed).isEmpty() && field->DataType() == TFieldType::ftDateTime)
        typed.clear();
    // The text the field shows already is no change: writing it again would
    // undo what the program made of it (a birth date moved back a century
    // reads the same with a two-digit year).
    if (typed.trimmed() == field->Text())
        return;
    FShowing = true;
    try {
        if (dataSet->State() == TDataSetState::dsBrowse)
            dataSet->Edit();
        field->SetText(typed.trimmed());
    } catch (...) {
        FShowing = false;
        throw;
    }
    FShowing = false;
}

void TWorkDBEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && Field() && IsEditing(Field()->DataSet())) {
        Field()->DataSet()->Cancel();
        Reset();
        return;
    }
    QLineEdit::keyPressEvent(event);
    if (UpperCase && !event->text().isEmpty()) {
        const int cursor = cursorPosition();
        const QString upper = text().toUpper();
        if (upper != text()) {
            setText(upper);
            setCursorPosition(cursor);
        }
    }
}

void TWorkDBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Guarded([this] { UpdateRecord(); });
}

// ---------------------------------------------------------------- the window

TTvWorkForm::TTvWorkForm(TTvWorkMaterialDataModule* material, QWidget* parent)
    : TBuildForm(parent), MaterialData(material) {
    setObjectName(QStringLiteral("TvWorkForm"));
    setWindowFlags(Qt::Window);
    setSizeGripEnabled(false);
    CountryData = static_cast<TTvWorkCountryDataModule*>(material->CountryData);
    JournalData = material->WorkJournal();
    CalculateData = material->WorkCalculation();

    // 2. Dates print with "-" whatever the country's format says.
    ItemWidth = Scaled(120);
    FormatSettings().DateSeparator = QLatin1Char('-');

    CreateActions();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateMenus();
    layout->setMenuBar(MainMenu);
    CreateToolBar();
    layout->addWidget(ToolBar1);

    MainPageControl = new QTabWidget(this);
    MainPageControl->setObjectName(QStringLiteral("MainPageControl"));
    MainPageControl->setTabPosition(QTabWidget::West);
    layout->addWidget(MainPageControl, 1);
    CreateArchive();
    CreateJournalPage();
    CreateDebugPage();

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    layout->addWidget(StatusBar);

    connect(MainPageControl, &QTabWidget::currentChanged, this, [this] { MainPageChanged(); });
    connect(GridPageControl, &QTabWidget::currentChanged, this, [this] { GridPageChanged(); });
    resize(Scaled(1000), Scaled(680));
}

TTvWorkForm::~TTvWorkForm() {
    // The grids and edits let go of the modules' data sources first.
    if (Query)
        Query->Close();
}

int TTvWorkForm::ScaledBy(int designSize, int pixelsPerInch) {
    return int(std::lround(double(pixelsPerInch) * designSize / 96.0));
}

int TTvWorkForm::Scaled(int designSize) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int ppi = screen ? int(std::lround(screen->logicalDotsPerInch())) : 96;
    return ScaledBy(designSize, ppi);
}

QAction* TTvWorkForm::MakeAction(const QString& name, const QString& category, const QString& caption,
                                 const QKeySequence& shortcut, const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setProperty("Category", category);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (!hint.isEmpty()) {
        FHints.insert(action, hint);
        action->setToolTip(ShortHint(hint));
        action->setStatusTip(LongHint(hint));
    }
    addAction(action);
    return action;
}

void TTvWorkForm::CreateActions() {
    PatientImportAction = MakeAction("PatientImportAction", "Exchange", "Patient import...", {},
                                     "Import patient(s)|Import one or more patients");
    PatientExportAction = MakeAction("PatientExportAction", "Exchange", "Patient export...", {},
                                     "Export patient(s)|Export one or more patients");
    PrintAction = MakeAction("PrintAction", "Files", "Print...", QKeySequence("Ctrl+P"), "Print|Print current examination");
    NewPatientAction = MakeAction("NewPatientAction", "New", "New patient", QKeySequence("Ctrl+Shift+P"),
                                  "New patient|Create a new patient");
    NewExaminationAction = MakeAction("NewExaminationAction", "New", "New examination", QKeySequence("Ctrl+Shift+E"),
                                      "New examination|Create a new examination");
    DeletePatientAction = MakeAction("DeletePatientAction", "Delete", "Delete patient", QKeySequence("Ctrl+Alt+P"),
                                     "Delete patient|Delete current patient");
    DeleteExaminationAction = MakeAction("DeleteExaminationAction", "Delete", "Delete examination",
                                         QKeySequence("Ctrl+Alt+E"), "Delete examination|Delete current examination");
    CompleteExportAction = MakeAction("CompleteExportAction", "Files", "Complete export...", {}, {});
    UpdateMedicalSystemAction = MakeAction("UpdateMedicalSystemAction", "Files", "Update medical system", {}, {});

    // Exchange, printing and the update have their dialogs in a later
    // version: the actions are there, disabled, and say so.
    for (QAction* action : {PatientImportAction, PatientExportAction, PrintAction, CompleteExportAction,
                            UpdateMedicalSystemAction}) {
        action->setEnabled(false);
        if (!FHints.contains(action))
            FHints.insert(action, action->text().remove(QStringLiteral("...")) + QLatin1Char('|') + LaterHint);
        action->setStatusTip(LongHint(FHints.value(action)) + QStringLiteral(" - ") + LaterHint);
    }
    connect(NewPatientAction, &QAction::triggered, this, [this] { Guarded([this] { NewPatient(); }); });
    connect(NewExaminationAction, &QAction::triggered, this,
            [this] { Guarded([this] { NewExamination(); }); });
    connect(DeletePatientAction, &QAction::triggered, this,
            [this] { Guarded([this] { DeletePatient(); }); });
    connect(DeleteExaminationAction, &QAction::triggered, this,
            [this] { Guarded([this] { DeleteExamination(); }); });
}

void TTvWorkForm::CreateMenus() {
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setNativeMenuBar(false);
    FilesMenu = MainMenu->addMenu(QStringLiteral("Files"));
    FilesMenu->setObjectName(QStringLiteral("FilesMenu"));
    FilesMenu->menuAction()->setObjectName(QStringLiteral("FilesMenuItem"));
    FilesNewMenu = FilesMenu->addMenu(QStringLiteral("New"));
    FilesNewMenu->setObjectName(QStringLiteral("FilesNewMenu"));
    FilesNewMenu->addAction(NewPatientAction);
    FilesNewMenu->addAction(NewExaminationAction);
    FilesDeleteMenu = FilesMenu->addMenu(QStringLiteral("Delete"));
    FilesDeleteMenu->setObjectName(QStringLiteral("FilesDeleteMenu"));
    FilesDeleteMenu->addAction(DeletePatientAction);
    FilesDeleteMenu->addAction(DeleteExaminationAction);
    FilesMenu->addSeparator();
    FilesPrinterSettingsMenu = FilesMenu->addAction(QStringLiteral("Printer setup..."));
    FilesPrinterSettingsMenu->setObjectName(QStringLiteral("FilesPrinterSettingsMenu"));
    FilesPrinterSettingsMenu->setVisible(false);
    connect(FilesPrinterSettingsMenu, &QAction::triggered, this, [] { PrinterSetup(); });
    FilesMenu->addAction(PrintAction);
    FilesMenu->addSeparator();
    FilesMenu->addAction(PatientImportAction);
    FilesMenu->addAction(PatientExportAction);
    FilesMenu->addAction(CompleteExportAction);
    FilesUpdateSeparator = FilesMenu->addSeparator();
    FilesMenu->addAction(UpdateMedicalSystemAction);
    connect(UpdateMedicalSystemAction, &QAction::visibleChanged, this,
            [this] { FilesUpdateSeparator->setVisible(UpdateMedicalSystemAction->isVisible()); });
    FilesMenu->addSeparator();
    FilesCloseMenu = FilesMenu->addAction(QStringLiteral("Exit"));
    FilesCloseMenu->setObjectName(QStringLiteral("FilesCloseMenu"));
    FilesCloseMenu->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    connect(FilesCloseMenu, &QAction::triggered, this, [this] { close(); });

    FunctionsMenu = MainMenu->addMenu(QStringLiteral("Functions"));
    FunctionsMenu->setObjectName(QStringLiteral("FunctionsMenu"));
    FunctionsSettingsMenu = FunctionsMenu->addAction(QStringLiteral("Settings..."));
    FunctionsSettingsMenu->setObjectName(QStringLiteral("FunctionsSettingsMenu"));
    // The settings dialog comes with a later version.
    FunctionsSettingsMenu->setEnabled(false);
    FunctionsSettingsMenu->setStatusTip(LaterHint);

    HelpMenu = MainMenu->addMenu(QStringLiteral("Help"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    HelpContentsMenu = HelpMenu->addAction(QStringLiteral("Contents"));
    HelpContentsMenu->setObjectName(QStringLiteral("HelpContentsMenu"));
    HelpContentsMenu->setShortcut(QKeySequence(Qt::Key_F1));
    connect(HelpContentsMenu, &QAction::triggered, this, [this] {
        const QString file = property("HelpFile").toString();
        if (!file.isEmpty())
            QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    });
    HelpAboutMenu = HelpMenu->addAction(QStringLiteral("About %s\u00AE..."));
    HelpAboutMenu->setObjectName(QStringLiteral("HelpAboutMenu"));
    connect(HelpAboutMenu, &QAction::triggered, this,
            [] { Guarded([] { ShowAboutForm(Edition()); }); });
}

void TTvWorkForm::CreateToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto button = [this](const QString& name, QAction* action) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(name);
        b->setAutoRaise(true);
        SetButtonAction(b, action);
        ToolBar1->addWidget(b);
        return b;
    };
    NewPopupMenu = new QMenu(this);
    NewPopupMenu->setObjectName(QStringLiteral("NewPopupMenu"));
    NewPopupMenu->addAction(NewPatientAction);
    NewPopupMenu->addAction(NewExaminationAction);
    DeletePopupMenu = new QMenu(this);
    DeletePopupMenu->setObjectName(QStringLiteral("DeletePopupMenu"));
    DeletePopupMenu->addAction(DeletePatientAction);
    DeletePopupMenu->addAction(DeleteExaminationAction);
    NewButton = button(QStringLiteral("NewButton"), NewPatientAction);
    NewButton->setMenu(NewPopupMenu);
    NewButton->setPopupMode(QToolButton::MenuButtonPopup);
    DeleteButton = button(QStringLiteral("DeleteButton"), DeletePatientAction);
    DeleteButton->setMenu(DeletePopupMenu);
    DeleteButton->setPopupMode(QToolButton::MenuButtonPopup);
    ToolBar1->addSeparator();
    PrintButton = button(QStringLiteral("PrintButton"), PrintAction);
    ImportButton = button(QStringLiteral("ImportButton"), PatientImportAction);
    ExportButton = button(QStringLiteral("ExportButton"), PatientExportAction);
    ToolUpdateButton = button(QStringLiteral("ToolUpdateButton"), UpdateMedicalSystemAction);
}

void TTvWorkForm::SetButtonAction(QToolButton* button, QAction* action) {
    if (button->defaultAction() == action && (action || !button->isEnabled()))
        return;
    if (QAction* old = button->defaultAction())
        button->removeAction(old);
    if (action) {
        button->setDefaultAction(action);
        button->setEnabled(action->isEnabled());
    } else {
        // A tool button without an action keeps its last caption, disabled.
        button->setDefaultAction(nullptr);
        button->setEnabled(false);
    }
}

void TTvWorkForm::CreateArchive() {
    ArchiveSheet = new QWidget;
    ArchiveSheet->setObjectName(QStringLiteral("ArchiveSheet"));
    MainPageControl->addTab(ArchiveSheet, QStringLiteral("Archive"));
    auto* archiveLayout = new QVBoxLayout(ArchiveSheet);
    GridPageControl = new QTabWidget(ArchiveSheet);
    GridPageControl->setObjectName(QStringLiteral("GridPageControl"));
    GridPageControl->setDocumentMode(true);
    archiveLayout->addWidget(GridPageControl);

    TDataSource* patients = JournalData->PatientSource;

    PatientSheet = new QWidget;
    PatientSheet->setObjectName(QStringLiteral("PatientSheet"));
    GridPageControl->addTab(PatientSheet, QStringLiteral("Patient"));
    auto* patientLayout = new QVBoxLayout(PatientSheet);
    patientLayout->setContentsMargins(0, 0, 0, 0);
    PatientGrid = new TBvDBGrid(PatientSheet);
    PatientGrid->setObjectName(QStringLiteral("PatientGrid"));
    patientLayout->addWidget(PatientGrid);
    PatientGrid->SetDataSource(patients);
    {
        TBvColumn* last = PatientGrid->AddColumn(QStringLiteral("Last name"));
        last->SetTitle(QStringLiteral("Last name"));
        last->SizeWithGrid = true;
        last->SetIndexFieldNames(QStringLiteral("Last name;First name;Patient id"));
        TBvColumn* first = PatientGrid->AddColumn(QStringLiteral("First name"));
        first->SetTitle(QStringLiteral("First name"));
        first->SizeWithGrid = true;
        first->SetIndexFieldNames(QStringLiteral("First name;Last name;Patient id"));
        TBvColumn* birth = PatientGrid->AddColumn(QStringLiteral("Birth date"));
        birth->SetTitle(QStringLiteral("Date of birth"));
        birth->SetIndexName(QStringLiteral("DEFAULT_ORDER"));
        birth->SetWidth(Scaled(110));
    }
    PatientGrid->SetRowSelect(true);
    PatientGrid->SetReadOnly(true);
    PatientGrid->AllowSort = true;
    PatientGrid->AllowSearch = true;
    PatientGrid->SortIndicators = siArrow;
    // Choosing and deleting from the list are not the list's business.
    PatientGrid->installEventFilter(this);
    PatientGrid->BeforeChoose = [](QObject*) { throw EAbort(); };
    PatientGrid->BeforeDelete = [](QObject*) { throw EAbort(); };

    QuerySheet = new QWidget;
    QuerySheet->setObjectName(QStringLiteral("QuerySheet"));
    GridPageControl->addTab(QuerySheet, QStringLiteral("Query"));
    auto* queryLayout = new QVBoxLayout(QuerySheet);
    queryLayout->setContentsMargins(0, 0, 0, 0);
    QueryPanel = new QWidget(QuerySheet);
    QueryPanel->setObjectName(QStringLiteral("QueryPanel"));
    QueryPanel->setMinimumHeight(Scaled(48));
    QueryPanel->installEventFilter(this);
    queryLayout->addWidget(QueryPanel);
    auto label = [this](const QString& name, const QString& caption) {
        auto* l = new QLabel(caption, QueryPanel);
        l->setObjectName(name);
        return l;
    };
    QueryLastNameLabel = label(QStringLiteral("QueryLastNameLabel"), QStringLiteral("Last name"));
    QueryFirstNameLabel = label(QStringLiteral("QueryFirstNameLabel"), QStringLiteral("First name"));
    QueryBirthDateLabel = label(QStringLiteral("QueryBirthDateLabel"), QStringLiteral("Date of birth"));
    QueryExportLabel = label(QStringLiteral("QueryExportLabel"), QStringLiteral("Export"));
    QueryExportLabel->setVisible(false);
    QueryLastNameEdit = new QLineEdit(QueryPanel);
    QueryLastNameEdit->setObjectName(QStringLiteral("QueryLastNameEdit"));
    QueryFirstNameEdit = new QLineEdit(QueryPanel);
    QueryFirstNameEdit->setObjectName(QStringLiteral("QueryFirstNameEdit"));
    QueryBirthDateEdit = new QLineEdit(QueryPanel);
    QueryBirthDateEdit->setObjectName(QStringLiteral("QueryBirthDateEdit"));
    QueryBirthDateEdit->installEventFilter(this);
    QueryExportCheck = new QCheckBox(QueryPanel);
    QueryExportCheck->setObjectName(QStringLiteral("QueryExportCheck"));
    QueryExportCheck->setVisible(false);
    for (QLineEdit* edit : {QueryLastNameEdit, QueryFirstNameEdit, QueryBirthDateEdit})
        connect(edit, &QLineEdit::returnPressed, this, [this] { Search(); });

    Query = new TQuery(this);
    Query->setObjectName(QStringLiteral("Query"));
    Query->SetDatabaseName(MediatorDataModule->PatientDatabase->DatabaseName());
    SetComponentTag(Query, 1); // opened by the search, not with the window
    QuerySource = new TDataSource(this);
    QuerySource->SetDataSet(Query);
    QuerySource->OnDataChange = [this](QObject*, TField* field) {
        if (!field)
            QueryScrolled();
    };
    QueryGrid = new TBvDBGrid(QuerySheet);
    QueryGrid->setObjectName(QStringLiteral("QueryGrid"));
    queryLayout->addWidget(QueryGrid, 1);
    QueryGrid->SetDataSource(QuerySource);
    QueryGrid->AddColumn(QStringLiteral("Last name"))->SetTitle(QStringLiteral("Last name"));
    QueryGrid->AddColumn(QStringLiteral("First name"))->SetTitle(QStringLiteral("First name"));
    QueryGrid->AddColumn(QStringLiteral("Birth date"))->SetTitle(QStringLiteral("Date of birth"));
    QueryGrid->AddColumn(QStringLiteral("Export"))->SetVisible(false);
    QueryGrid->Column(0)->SizeWithGrid = true;
    QueryGrid->Column(1)->SizeWithGrid = true;
    QueryGrid->SetRowSelect(true);
    QueryGrid->SetMultiSelect(true);
    QueryGrid->SetReadOnly(true);
    QueryGrid->BeforeChoose = [](QObject*) { throw EAbort(); };
    QueryGrid->BeforeDelete = [](QObject*) { throw EAbort(); };
    QueryGrid->BeforeInsert = [](QObject*) { throw EAbort(); };

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(Scaled(8), Scaled(4), Scaled(8), Scaled(6));
    buttons->addStretch(1);
    SearchButton = new QPushButton(QStringLiteral("Search"), QuerySheet);
    SearchButton->setObjectName(QStringLiteral("SearchButton"));
    SearchButton->setDefault(true);
    AdvancedButton = new QPushButton(QStringLiteral("Advanced"), QuerySheet);
    AdvancedButton->setObjectName(QStringLiteral("AdvancedButton"));
    AdvancedButton->setVisible(false);
    AdvancedButton->setEnabled(false);
    NewSearchButton = new QPushButton(QStringLiteral("New search"), QuerySheet);
    NewSearchButton->setObjectName(QStringLiteral("NewSearchButton"));
    buttons->addWidget(SearchButton);
    buttons->addWidget(AdvancedButton);
    buttons->addWidget(NewSearchButton);
    queryLayout->addLayout(buttons);
    connect(SearchButton, &QPushButton::clicked, this, [this] { Search(); });
    connect(NewSearchButton, &QPushButton::clicked, this, [this] { NewSearch(); });
    QueryGrid->horizontalHeader()->installEventFilter(this);
    connect(QueryGrid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { PlaceQueryInputs(); });
}

void TTvWorkForm::CreateJournalPage() {
    JournalSheet = new QWidget;
    JournalSheet->setObjectName(QStringLiteral("JournalSheet"));
    MainPageControl->addTab(JournalSheet, QStringLiteral("Journal"));
    auto* page = new QHBoxLayout(JournalSheet);
    auto* left = new QVBoxLayout;
    page->addLayout(left, 1);

    PatientPanel = new QGroupBox(JournalSheet);
    PatientPanel->setObjectName(QStringLiteral("PatientPanel"));
    auto* grid = new QGridLayout(PatientPanel);
    auto add = [&](int row, int column, const QString& caption, QWidget* edit) {
        auto* l = new QLabel(caption, PatientPanel);
        l->setBuddy(edit);
        grid->addWidget(l, row * 2, column);
        grid->addWidget(edit, row * 2 + 1, column);
        return l;
    };
    TDataSource* patients = JournalData->PatientSource;
    auto dbEdit = [&](const QString& name, const QString& field) {
        auto* e = new TWorkDBEdit(PatientPanel);
        e->setObjectName(name);
        e->DataField = field;
        e->SetDataSource(patients);
        return e;
    };
    LastNameEdit = dbEdit(QStringLiteral("LastNameEdit"), QStringLiteral("Last name"));
    FirstNameEdit = dbEdit(QStringLiteral("FirstNameEdit"), QStringLiteral("First name"));
    BirthDateEdit = dbEdit(QStringLiteral("BirthDateEdit"), QStringLiteral("Birth date"));
    SequenceIdEdit = dbEdit(QStringLiteral("SequenceIdEdit"), QStringLiteral("Sequence id"));
    SequenceIdEdit->UpperCase = true;
    AgeEdit = new QLineEdit(PatientPanel);
    AgeEdit->setObjectName(QStringLiteral("AgeEdit"));
    AgeEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), AgeEdit));
    add(0, 0, QStringLiteral("Date of birth"), BirthDateEdit);
    add(0, 1, QStringLiteral("Id"), SequenceIdEdit);
    add(0, 2, QStringLiteral("Age"), AgeEdit)->setToolTip(QStringLiteral("Age has to be between 30 and 70 years"));
    add(1, 0, QStringLiteral("Last name"), LastNameEdit);
    add(1, 1, QStringLiteral("First name"), FirstNameEdit);
    grid->addWidget(FirstNameEdit, 3, 1, 1, 2);
    for (QWidget* w : {static_cast<QWidget*>(BirthDateEdit), static_cast<QWidget*>(SequenceIdEdit),
                       static_cast<QWidget*>(AgeEdit)})
        w->installEventFilter(this);
    connect(AgeEdit, &QLineEdit::returnPressed, this, [this] { Guarded([this] { AgeExit(); }); });
    left->addWidget(PatientPanel);

    BaseGrid = new QWidget(JournalSheet);
    BaseGrid->setObjectName(QStringLiteral("BaseGrid"));
    left->addWidget(BaseGrid);
    JournalPanel = new QGroupBox(JournalSheet);
    JournalPanel->setObjectName(QStringLiteral("JournalPanel"));
    auto* journal = new QGridLayout(JournalPanel);
    DateEdit = new TWorkDBEdit(JournalPanel);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->DataField = QStringLiteral("Date");
    DateEdit->SetDataSource(JournalData->JournalSource);
    auto* dateLabel = new QLabel(QStringLiteral("Date"), JournalPanel);
    dateLabel->setBuddy(DateEdit);
    journal->addWidget(dateLabel, 0, 0);
    journal->addWidget(DateEdit, 1, 0);
    journal->setColumnStretch(1, 1);
    left->addWidget(JournalPanel);
    ExamGrid = new QWidget(JournalSheet);
    ExamGrid->setObjectName(QStringLiteral("ExamGrid"));
    left->addWidget(ExamGrid, 1);

    MainNotebook = new QWidget(JournalSheet);
    MainNotebook->setObjectName(QStringLiteral("MainNotebook"));
    page->addWidget(MainNotebook, 1);
}

void TTvWorkForm::CreateDebugPage() {
    DebugSheet = new QWidget;
    DebugSheet->setObjectName(QStringLiteral("DebugSheet"));
    MainPageControl->addTab(DebugSheet, QStringLiteral("Debug"));
    auto* layout = new QVBoxLayout(DebugSheet);
    auto* group = new QGroupBox(QStringLiteral("Testings"), DebugSheet);
    group->setObjectName(QStringLiteral("TestingsGroup"));
    auto* groupLayout = new QVBoxLayout(group);
    IgnoreTestPatientCheck = new QCheckBox(QStringLiteral("Ignore test patient"), group);
    IgnoreTestPatientCheck->setObjectName(QStringLiteral("IgnoreTestPatientCheck"));
    CanExchangeCheck = new QCheckBox(QStringLiteral("Can exchange"), group);
    CanExchangeCheck->setObjectName(QStringLiteral("CanExchangeCheck"));
    groupLayout->addWidget(IgnoreTestPatientCheck);
    groupLayout->addWidget(CanExchangeCheck);
    layout->addWidget(group);
    DebugGrid = new TBvDBGrid(DebugSheet);
    DebugGrid->setObjectName(QStringLiteral("DebugGrid"));
    DebugGrid->SetReadOnly(true);
    layout->addWidget(DebugGrid, 1);
    connect(IgnoreTestPatientCheck, &QCheckBox::clicked, this, [this](bool on) {
        Settings()->SetIgnoreTestPatient(on);
        PatientScrolled();
    });
    connect(CanExchangeCheck, &QCheckBox::clicked, this, [](bool on) { Settings()->SetCanExchange(on); });
}

// ---------------------------------------------------------------- creation

void TTvWorkForm::DoCreate() {
    TMlSettings* settings = Settings();
    // 4.
    UpdateMedicalSystemAction->setVisible(true);
    MainPageControl->setTabVisible(MainPageControl->indexOf(DebugSheet), settings->CanDebug());

    // 5. The handlers on the other modules.
    MaterialData->SetOnCountryChange([this](QObject*) { Guarded([this] { ApplyCountry(); }); });
    MaterialData->SetOnPatientScroll([this](TDataSet*) { PatientScrolled(); });
    MediatorDataModule->OnLanguageChange = [this](QObject*) {
        CountryData->SelectLanguage(Settings()->DefaultLanguage());
    };
    JournalData->OnIdentityFocus = [this] { SequenceIdEdit->setFocus(); };

    // 6.
    JournalData->Journal->Refresh();
    // 7.
    ApplyLanguage();
    ApplyCountry();
    // 8.
    JournalData->JournalChanged(nullptr);
    RefreshAge();
    // 9.
    if (CalculateData)
        CalculateData->InitPredictionYears();
    // 10.
    if (!settings->CanDebug()) {
        MainPageControl->removeTab(MainPageControl->indexOf(DebugSheet));
        DebugSheet->hide();
    } else {
        IgnoreTestPatientCheck->setChecked(settings->IgnoreTestPatient());
        CanExchangeCheck->setChecked(settings->CanExchange());
        DebugGrid->SetDataSource(JournalData->JournalSource);
    }
    // 11.
    UpdateActions();
    if (CalculateData)
        CalculateData->AutoCalculate = true;
    PatientScrolled();
    // 13.
    JournalData->OnModelSwitch = [this](QObject*) { Guarded([this] { ApplyCountry(); }); };
    JournalData->Patient->First();
    // 14.
    setMinimumSize(Scaled(620), Scaled(492));
    FCreated = true;
    ApplyStoredPage();
}

void TTvWorkForm::DoDestroy() {
    MaterialData->SetOnCountryChange({});
    MaterialData->SetOnPatientScroll({});
    if (MediatorDataModule)
        MediatorDataModule->OnLanguageChange = {};
    JournalData->OnIdentityFocus = {};
    JournalData->OnModelSwitch = {};
    if (Query)
        Query->Close();
}

// ---------------------------------------------------------------- language and country

void TTvWorkForm::ApplyLanguage() {
    const QString code = Settings()->DefaultLanguage();
    int index = IndexOfLanguage(code);
    if (index < 0)
        index = IndexOfLanguage(QStringLiteral("en/gb"));
    SetLanguageByIndex(index);
    CountryData->SelectLanguage(code);
    ApplyBirthDateFormat();
    FormatSettings().DateSeparator = QLatin1Char('-');
    JournalData->Patient->Refresh();
    JournalData->Journal->Refresh();
}

void TTvWorkForm::ApplyCountry() {
    TDataSet* country = CountryData->Country;
    // 1.
    const QChar separator = CountryData->DecimalSeparatorChar();
    if (!separator.isNull())
        FormatSettings().DecimalSeparator = separator;
    // 2.
    ApplyBirthDateFormat();
    FormatSettings().DateSeparator = QLatin1Char('-');
    // 4.
    const bool autoNumber = country->Active() && country->FieldByName(QStringLiteral("PatientIdAutoNumber"))->AsBoolean();
    SequenceIdEdit->setReadOnly(autoNumber);
    SequenceIdEdit->setFocusPolicy(autoNumber ? Qt::ClickFocus : Qt::StrongFocus);
    QPalette palette = SequenceIdEdit->palette();
    palette.setColor(QPalette::Base, autoNumber ? palette.color(QPalette::Button) : QColor(Qt::white));
    SequenceIdEdit->setPalette(palette);
    // 6.
    const QString help = country->Active() ? country->FieldByName(QStringLiteral("HelpFile"))->AsString() : QString();
    setProperty("HelpFile", help.isEmpty() ? QString() : ApplicationDirectory() + help);
    // 7.
    JournalData->Exam->Refresh();
    JournalData->Base->Refresh();
    if (CalculateData)
        Guarded([this] { CalculateData->LoadFormulas(); });
    TranslateForm();
    // 9. The button style of the tool bar.
    const bool flat = Settings()->UseFlatButtons();
    for (QToolButton* button : ToolBar1->findChildren<QToolButton*>())
        button->setAutoRaise(flat);
    // 10.
    setWindowTitle(ApplicationTitle());
    FAboutCaption = QStringLiteral("About %s...");
    HelpAboutMenu->setText(FormatText(Tr(FAboutCaption), {ApplicationTitle()}));
}

void TTvWorkForm::TranslateForm() {
    TBuildForm::TranslateForm();
    for (auto it = FHints.cbegin(); it != FHints.cend(); ++it) {
        QAction* action = it.key();
        action->setToolTip(Tr(ShortHint(it.value())));
        QString tip = Tr(LongHint(it.value()));
        if (!action->isEnabled() && !action->statusTip().isEmpty() && it.value().contains(LaterHint) == false &&
            action->statusTip().endsWith(LaterHint))
            tip += QStringLiteral(" - ") + Tr(LaterHint);
        action->setStatusTip(tip);
    }
    if (HelpAboutMenu)
        HelpAboutMenu->setText(FormatText(Tr(FAboutCaption), {ApplicationTitle()}));
    // Column titles are the grids' own texts, not widgets of the window.
    for (TBvDBGrid* grid : {PatientGrid, QueryGrid})
        for (TBvColumn* column : grid->Columns()) {
            QVariant original = column->property("OriginalTitle");
            if (!original.isValid()) {
                original = column->Title();
                column->setProperty("OriginalTitle", original);
            }
            column->SetTitle(Tr(original.toString()));
        }
    PlaceQueryInputs();
}

// ---------------------------------------------------------------- settings and pages

int TTvWorkForm::ActivePageCode() const {
    if (MainPageControl->currentWidget() != ArchiveSheet)
        return 2;
    return GridPageControl->currentWidget() == QuerySheet ? 1 : 0;
}

void TTvWorkForm::SelectPageCode(int code) {
    if (code == 2) {
        MainPageControl->setCurrentWidget(JournalSheet);
        return;
    }
    GridPageControl->setCurrentWidget(code == 1 ? QuerySheet : PatientSheet);
    MainPageControl->setCurrentWidget(ArchiveSheet);
}

void TTvWorkForm::LoadSettings() {
    TMlSettings* settings = Settings();
    FStoredPage = qBound(0, settings->LastActivePage(), 2);
    settings->LoadFormPosition(WorkFormKey, this);
    if (FCreated)
        ApplyStoredPage();
}

void TTvWorkForm::ApplyStoredPage() { SelectPageCode(FStoredPage); }

void TTvWorkForm::SaveSettings() {
    TMlSettings* settings = Settings();
    settings->SetLastActivePage(ActivePageCode());
    settings->SaveFormPosition(WorkFormKey, this);
}

void TTvWorkForm::showEvent(QShowEvent* event) {
    TBuildForm::showEvent(event);
    if (FCreated && !IsShiftDown()) {
        ApplyStoredPage();
        Settings()->LoadFormPosition(WorkFormKey, this);
    }
    PatientGrid->SetSortColumn(0);
    QTimer::singleShot(0, this, [this] {
        FitGrowingColumns(PatientGrid);
        FitGrowingColumns(QueryGrid);
        PlaceQueryInputs();
    });
}

void TTvWorkForm::UpdateActions() {
    FilesNewMenu->setEnabled(true);
    FilesDeleteMenu->setEnabled(true);
    QAction* newAction = nullptr;
    QAction* deleteAction = nullptr;
    if (MainPageControl->currentWidget() == ArchiveSheet) {
        if (GridPageControl->currentWidget() == QuerySheet) {
            FilesNewMenu->setEnabled(false);
            FilesDeleteMenu->setEnabled(false);
        } else {
            newAction = NewPatientAction;
            deleteAction = DeletePatientAction;
        }
    } else if (MainPageControl->currentWidget() == JournalSheet) {
        newAction = NewExaminationAction;
        deleteAction = DeleteExaminationAction;
    }
    // A menu that is disabled still lets its shortcuts through: the actions
    // follow it, so Ctrl+Shift+P does nothing on the search page either.
    for (QAction* action : {NewPatientAction, NewExaminationAction})
        action->setEnabled(FilesNewMenu->isEnabled());
    for (QAction* action : {DeleteExaminationAction})
        action->setEnabled(FilesDeleteMenu->isEnabled());
    DeletePatientAction->setEnabled(FilesDeleteMenu->isEnabled() && !JournalData->IsTestPatient());
    SetButtonAction(NewButton, newAction);
    SetButtonAction(DeleteButton, deleteAction);
}

void TTvWorkForm::PostPending() { PostDataSets(JournalData, 0); }
void TTvWorkForm::RefreshPending() { RefreshDataSets(JournalData, 0); }

void TTvWorkForm::MainPageChanged() {
    if (!FCreated)
        return;
    QTimer::singleShot(0, this, [this] { FitGrowingColumns(PatientGrid); });
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Guarded([this] {
        PostIfEditing(JournalData->Patient);
        PostIfEditing(JournalData->Journal);
    });
    UpdateActions();
}

void TTvWorkForm::GridPageChanged() {
    if (!FCreated)
        return;
    if (GridPageControl->currentWidget() == PatientSheet)
        QueryScrolled();
    UpdateActions();
    QTimer::singleShot(0, this, [this] {
        FitGrowingColumns(PatientGrid);
        FitGrowingColumns(QueryGrid);
        PlaceQueryInputs();
    });
}

void TTvWorkForm::PatientScrolled() {
    RefreshAge();
    const bool test = JournalData->IsTestPatient();
    ShowPatientTestState(test);
    DeletePatientAction->setEnabled(!test && FilesDeleteMenu->isEnabled());
}

void TTvWorkForm::ShowPatientTestState(bool test) {
    for (TWorkDBEdit* edit : {BirthDateEdit, SequenceIdEdit})
        edit->setReadOnly(test || (edit == SequenceIdEdit && CountryData->Country->Active() &&
                                   CountryData->Country->FieldByName(QStringLiteral("PatientIdAutoNumber"))->AsBoolean()));
}

void TTvWorkForm::DisplayHint(QObject*) {
    if (StatusBar)
        StatusBar->showMessage(LongHint(ApplicationHint()));
}

bool TTvWorkForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && isVisible()) {
        auto* focusEvent = static_cast<QFocusEvent*>(event);
        const bool leaving = focusEvent->reason() != Qt::PopupFocusReason && focusEvent->reason() != Qt::ActiveWindowFocusReason;
        QWidget* next = QApplication::focusWidget();
        if (leaving && watched == BirthDateEdit) {
            Guarded([&] { BirthDateEdit->UpdateRecord(); BirthDateExit(next); });
        } else if (leaving && watched == SequenceIdEdit) {
            Guarded([&] { SequenceIdEdit->UpdateRecord(); SequenceIdExit(next); });
        } else if (leaving && watched == AgeEdit) {
            Guarded([this] { AgeExit(); });
        }
    } else if (watched == QueryBirthDateEdit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text[0].isPrint() && !text[0].isDigit() && text[0] != FormatSettings().DateSeparator) {
            QApplication::beep();
            return true;
        }
    } else if (watched == PatientGrid && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert &&
               static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        // The list is not edited in place, but Insert still starts a patient
        // row by the journal's own rules.
        Guarded([this] { JournalData->Patient->Insert(); });
        return true;
    } else if (watched == QueryPanel && event->type() == QEvent::Resize) {
        PlaceQueryInputs();
    }
    return TBuildForm::eventFilter(watched, event);
}

void TTvWorkForm::changeEvent(QEvent* event) {
    TBuildForm::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !FCreated)
        return;
    // The value grids fill once their rows have been walked through.
    Guarded([this] {
        for (TDataSet* table : {static_cast<TDataSet*>(JournalData->Base), static_cast<TDataSet*>(JournalData->Exam)})
            if (table->Active() && !IsEditing(table)) {
                table->Last();
                table->First();
            }
    });
    int width = 3;
    for (QAction* action : ToolBar1->actions())
        if (action->isVisible())
            if (QWidget* button = ToolBar1->widgetForAction(action))
                width += button->sizeHint().width();
    ToolBar1->setMinimumWidth(qMin(width, this->width()));
}

bool TTvWorkForm::event(QEvent* event) {
    // A menu item under the mouse tells its long hint this way.
    if (event->type() == QEvent::StatusTip && StatusBar) {
        StatusBar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return TBuildForm::event(event);
}

void TTvWorkForm::resizeEvent(QResizeEvent* event) {
    TBuildForm::resizeEvent(event);
    PlaceQueryInputs();
}

void TTvWorkForm::keyPressEvent(QKeyEvent* event) {
    // The main window is left through Exit or its close box, never by Escape.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    TBuildForm::keyPressEvent(event);
}

// ---------------------------------------------------------------- closing

bool TTvWorkForm::CanClose() {
    TDataSet* patient = JournalData->Patient;
    if (BirthDateEdit->hasFocus())
        Guarded([this] { BirthDateEdit->UpdateRecord(); });
    const bool hasPatient = patient->State() == TDataSetState::dsInsert || !patient->IsEmpty();
    if (hasPatient && patient->FieldByName(QStringLiteral("Birth date"))->IsNull()) {
        MessageDlg(Tr(QStringLiteral("Date of birth missing.")), TMsgDlgType::mtWarning, mbOK, mbOK);
        return false;
    }
    bool posted = true;
    Guarded([&] {
        posted = false;
        for (TDataSet* table : {static_cast<TDataSet*>(JournalData->Patient), static_cast<TDataSet*>(JournalData->Journal),
                                static_cast<TDataSet*>(JournalData->Exam), static_cast<TDataSet*>(JournalData->Base)})
            PostIfEditing(table);
        posted = true;
    });
    // An edit the store refused stays open for the user to mend: the
    // window does not go and take it along.
    return posted;
}

void TTvWorkForm::done(int result) {
    if (!CanClose())
        return;
    TBuildForm::done(result);
}

// ---------------------------------------------------------------- patients and examinations

void TTvWorkForm::ShowJournalPage() {
    MainPageControl->setCurrentWidget(JournalSheet);
    UpdateActions();
    JournalVisible = true;
    JournalPanel->setVisible(true);
    ExamGrid->setVisible(true);
}

void TTvWorkForm::NewPatient() {
    ShowJournalPage();
    BirthDateEdit->setFocus();
    ShowPatientTestState(false);
    JournalData->SetDiabetes(false);
    JournalData->Patient->Insert();
    BirthDateEdit->setFocus();
}

void TTvWorkForm::NewExamination() {
    TDataSet* patient = JournalData->Patient;
    if (patient->FieldByName(QStringLiteral("Patient id"))->AsInteger() < 1) {
        MessageDlg(Tr(QStringLiteral("Please fill out patient information before creating new examination!")),
                   TMsgDlgType::mtWarning, mbOK, mbOK);
        return;
    }
    ShowJournalPage();
    DateEdit->setFocus();
    JournalData->Journal->Insert();
}

void TTvWorkForm::DeletePatient() {
    TDataSet* patient = JournalData->Patient;
    if (patient->IsEmpty() && patient->State() != TDataSetState::dsInsert)
        return;
    // The action can be reached by its shortcut whatever the button shows.
    if (JournalData->IsTestPatient())
        return;
    if (Settings()->AskPatientDelete(patient->FieldByName(QStringLiteral("FullName"))->AsString()) != 6)
        return;
    if (patient->State() == TDataSetState::dsInsert) {
        patient->Cancel(); // a row never stored is discarded
        return;
    }
    PostIfEditing(patient);
    patient->Delete();
}

void TTvWorkForm::DeleteExamination() {
    TDataSet* journal = JournalData->Journal;
    if (journal->IsEmpty())
        return;
    if (Settings()->AskJournalDelete(journal->FieldByName(QStringLiteral("Date"))->AsDateTime()) != 6)
        return;
    journal->Delete();
}

// ---------------------------------------------------------------- search

void TTvWorkForm::PlaceQueryInputs() {
    if (!QueryGrid || !QueryPanel)
        return;
    const QList<QLabel*> labels{QueryLastNameLabel, QueryFirstNameLabel, QueryBirthDateLabel, QueryExportLabel};
    const QList<QWidget*> inputs{QueryLastNameEdit, QueryFirstNameEdit, QueryBirthDateEdit, QueryExportCheck};
    const int labelTop = Scaled(4);
    const int inputTop = labelTop + QueryLastNameLabel->sizeHint().height() + Scaled(2);
    int left = QueryGrid->geometry().left() + QueryGrid->verticalHeader()->width() + 14 -
               QueryGrid->horizontalHeader()->offset();
    QHeaderView* header = QueryGrid->horizontalHeader();
    for (int i = 0; i < 4; ++i) {
        const int logical = QueryGrid->Column(i) ? QueryGrid->LogicalOf(i) : -1;
        const int width = logical >= 0 && !header->isSectionHidden(logical) ? header->sectionSize(logical) : 80;
        labels[i]->move(left, labelTop);
        labels[i]->adjustSize();
        inputs[i]->setGeometry(left, inputTop, width + 2, inputs[i]->sizeHint().height());
        left += width + 1;
    }
    QueryPanel->setMinimumHeight(inputTop + QueryLastNameEdit->sizeHint().height() + Scaled(4));
}

QString TTvWorkForm::QueryStatement(QVariantList& params) const {
    QStringList conditions;
    auto nameCondition = [&](const QString& field, const QString& typed) {
        if (typed.isEmpty())
            return;
        QString pattern = typed;
        pattern.replace(QStringLiteral(".."), QStringLiteral("%"));
        const QString name = QStringLiteral("P%1").arg(params.size());
        conditions << QStringLiteral("(Patient.\"%1\" LIKE :%2)").arg(field, name);
        params << pattern;
    };
    nameCondition(QStringLiteral("Last name"), QueryLastNameEdit->text());
    nameCondition(QStringLiteral("First name"), QueryFirstNameEdit->text());

    const QString digits = DigitsOf(QueryBirthDateEdit->text());
    if (digits.size() >= 6) {
        QString order = CountryData->Country->Active()
                            ? CountryData->Country->FieldByName(QStringLiteral("BirthDateFormat"))->AsString().toLower()
                            : QStringLiteral("dd-mm-yy");
        order.remove(QLatin1Char('-'));
        int dayAt = order.indexOf(QLatin1Char('d'));
        int monthAt = order.indexOf(QLatin1Char('m'));
        int yearAt = order.indexOf(QLatin1Char('y'));
        const bool fourDigits = digits.size() >= 8;
        // Day and month take two digits, the year two or four: the positions
        // follow the order of the three parts in the format.
        struct Part { int at; int size; int* start; };
        int dayStart = 0, monthStart = 0, yearStart = 0;
        QList<Part> parts{{dayAt, 2, &dayStart}, {monthAt, 2, &monthStart}, {yearAt, fourDigits ? 4 : 2, &yearStart}};
        std::sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) { return a.at < b.at; });
        int position = 0;
        for (Part& part : parts) {
            *part.start = position;
            position += part.size;
        }
        const int day = StrToIntDef(digits.mid(dayStart, 2), 0);
        const int month = StrToIntDef(digits.mid(monthStart, 2), 0);
        const int year = StrToIntDef(digits.mid(yearStart, fourDigits ? 4 : 2), 0);
        QList<int> years;
        if (fourDigits)
            years << year;
        else
            years << 1900 + year << 2000 + year;
        QStringList terms;
        for (int y : years) {
            TDateTime date = 0;
            // A date that cannot exist finds nobody instead of failing the search.
            const bool valid = TryEncodeDate(y, month, day, date);
            const QString name = QStringLiteral("P%1").arg(params.size());
            terms << QStringLiteral("(Patient.\"Birth date\" = :%1)").arg(name);
            params << (valid ? QVariant(date) : QVariant(-1.0));
        }
        conditions << (terms.size() == 1 ? terms[0] : QStringLiteral("(") + terms.join(QStringLiteral(" OR ")) + QStringLiteral(")"));
    }
    if (QueryExportCheck->isChecked())
        conditions << QStringLiteral("(Patient.\"Export\" = True)");
    if (conditions.isEmpty())
        return QString();
    return QStringList{QStringLiteral("SELECT Patient.\"Patient ID\", Patient.\"Last name\", Patient.\"First name\", "
                                      "Patient.\"Birth date\", Patient.\"Export\""),
                       QStringLiteral(" FROM Patient"), QStringLiteral("WHERE ("),
                       conditions.join(QStringLiteral(" AND ")), QStringLiteral(")")}
        .join(QLatin1Char('\n'));
}

void TTvWorkForm::Search() {
    Query->Close();
    QVariantList params;
    const QString statement = QueryStatement(params);
    if (statement.isEmpty())
        return;
    Query->SetSQL(statement.split(QLatin1Char('\n')));
    for (int i = 0; i < params.size(); ++i)
        Query->ParamByName(QStringLiteral("P%1").arg(i)).SetValue(params[i]);
    FQueryMoving = true;
    const bool ok = Guarded([this] {
        Query->Open();
        if (TField* birth = Query->FindField(QStringLiteral("Birth date")))
            birth->SetDisplayLabel(Tr(QStringLiteral("Date of birth")));
    });
    FQueryMoving = false;
    if (!ok)
        Query->Close();
    else
        QueryScrolled();
    PlaceQueryInputs();
}

void TTvWorkForm::NewSearch() {
    QueryLastNameEdit->clear();
    QueryFirstNameEdit->clear();
    QueryBirthDateEdit->clear();
    QueryExportCheck->setChecked(false);
    QueryLastNameEdit->setFocus();
}

void TTvWorkForm::QueryScrolled() {
    if (FQueryMoving || !Query->Active() || Query->IsEmpty())
        return;
    const int id = Query->FieldByName(QStringLiteral("Patient ID"))->AsInteger();
    TDataSet* patient = JournalData->Patient;
    if (patient->FieldByName(QStringLiteral("Patient id"))->AsInteger() == id)
        return;
    Guarded([&] {
        PostIfEditing(patient);
        patient->Locate(QStringLiteral("Patient id"), id);
    });
}

// ---------------------------------------------------------------- identity

QString TTvWorkForm::BirthDateMaskText() const {
    QString mask = FormatSettings().ShortDateFormat;
    for (QChar& c : mask)
        if (c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y') || c == QLatin1Char('D') ||
            c == QLatin1Char('M') || c == QLatin1Char('Y'))
            c = QLatin1Char('9');
    return mask;
}

void TTvWorkForm::ApplyBirthDateFormat() {
    if (!CountryData->Country->Active() || CountryData->Country->IsEmpty())
        return;
    const QString format = CountryData->Country->FieldByName(QStringLiteral("BirthDateFormat"))->AsString();
    if (format.isEmpty())
        return;
    FormatSettings().ShortDateFormat = format;
    const QString mask = BirthDateMaskText();
    const int width = int(std::lround(7.0 * format.size()));
    for (QWidget* edit : {static_cast<QWidget*>(BirthDateEdit), static_cast<QWidget*>(DateEdit),
                          static_cast<QWidget*>(QueryBirthDateEdit)})
        edit->setMinimumWidth(width);
    if (QueryGrid->Column(2))
        QueryGrid->Column(2)->SetWidth(width);
    JournalData->Patient->FieldByName(QStringLiteral("Birth date"))->SetEditMask(mask + QStringLiteral(";1;_"));
    JournalData->Journal->FieldByName(QStringLiteral("Date"))->SetEditMask(mask + QStringLiteral(";1;_"));
    QueryBirthDateEdit->setInputMask(InputMaskOf(QStringLiteral("!") + mask + QStringLiteral(";0;_")));
    BirthDateEdit->Reset();
    DateEdit->Reset();
    NewSearch();
}

void TTvWorkForm::FixBirthDateCentury() {
    if (!BirthDateEdit->Modified())
        return;
    try {
        TDateTime parsed = 0;
        if (!TryStrToDateTimeFmt(BirthDateEdit->text(), FormatSettings().ShortDateFormat, parsed))
            return;
        TDateTime fixed = parsed;
        if (parsed > Now()) {
            int year, month, day;
            DecodeDate(parsed, year, month, day);
            // 29 February of a leap year a century back may not exist: the 28th then.
            if (!TryEncodeDate(year - 100, month, day, fixed))
                TryEncodeDate(year - 100, month, day - 1, fixed);
        }
        TField* field = JournalData->Patient->FieldByName(QStringLiteral("Birth date"));
        if (fixed != parsed || (BirthDateEdit->Modified() && field->AsDateTime() != fixed)) {
            if (!IsEditing(JournalData->Patient))
                JournalData->Patient->Edit();
            field->SetAsDateTime(fixed);
            // The date the user typed is still the user's: the mark stays
            // for the identity's validation and post.
            BirthDateEdit->SetModified(true);
        }
    } catch (...) {
        // An unparsable text is the field's own validation's matter.
    }
}

void TTvWorkForm::RefreshAge() {
    JournalData->AgeOverride = 0;
    const int age = JournalData->GetAge();
    AgeEdit->setText(age < 0 ? QString() : IntToStr(age));
    AgeEdit->setModified(false);
    if (!JournalData->Inserting())
        JournalData->JournalChanged(nullptr);
}

void TTvWorkForm::NextSequenceId() {
    TDataSet* patient = JournalData->Patient;
    const TDateTime birth = patient->FieldByName(QStringLiteral("Birth date"))->AsDateTime();
    // The stored patients of that day, in the order of their sequence texts.
    TQuery snapshot;
    snapshot.SetDatabaseName(MediatorDataModule->PatientDatabase->DatabaseName());
    snapshot.SetSQLText(QStringLiteral("SELECT \"Sequence id\" FROM Patient WHERE \"Birth date\" = :Birth "
                                       "ORDER BY \"Sequence id\""));
    snapshot.ParamByName(QStringLiteral("Birth")).SetValue(birth);
    snapshot.Open();
    int number = 1;
    for (snapshot.First(); !snapshot.Eof(); snapshot.Next()) {
        const QString sequence = snapshot.FieldByName(QStringLiteral("Sequence id"))->AsString().trimmed();
        if (sequence.isEmpty()) {
            number = 1;
            continue;
        }
        int value = 0;
        if (!TryStrToInt(sequence, value))
            throw Exception(FormatText(Tr(QStringLiteral("The sequence id '%s' of a patient born on %s is not a number.")),
                                       {sequence, DateToStr(birth)}));
        number = value + 1;
    }
    snapshot.Close();
    if (!IsEditing(patient))
        patient->Edit();
    patient->FieldByName(QStringLiteral("Sequence id"))->SetAsString(PadLeft(IntToStr(number), 4, QLatin1Char('0')));
}

void TTvWorkForm::ValidatePatientId() {
    if (!JournalData->IdentityValid()) {
        SequenceIdEdit->setFocus();
        throw Exception(CountryData->InvalidIdMessage());
    }
}

void TTvWorkForm::PostPatient() {
    TDataSet* patient = JournalData->Patient;
    try {
        if (patient->State() == TDataSetState::dsBrowse)
            patient->Edit();
        patient->Post();
    } catch (const EDatabaseError& e) {
        if (e.Message() != KeyViolationMessage)
            throw;
        const int answer = MessageDlg(Tr(QStringLiteral("Patient ID already exists.\r\nGo to patient?")),
                                      TMsgDlgType::mtConfirmation, mbYes | mbNo | mbCancel, mbYes);
        if (answer == 2) {
            patient->Cancel();
        } else if (answer == 6) {
            const QVariant birth = patient->FieldByName(QStringLiteral("Birth date"))->Value();
            const QString sequence = patient->FieldByName(QStringLiteral("Sequence id"))->AsString();
            patient->Cancel();
            patient->Locate(QStringLiteral("Birth date;Sequence id"), QVariantList{birth, sequence});
        } else {
            return;
        }
    }
    BirthDateEdit->SetModified(false);
    SequenceIdEdit->SetModified(false);
}

void TTvWorkForm::BirthDateExit(QWidget* next) {
    // Taken first: moving the date back a century shows it again, which
    // clears the edit's mark.
    const bool birthModified = BirthDateEdit->Modified();
    const bool sequenceModified = SequenceIdEdit->Modified();
    FixBirthDateCentury();
    TDataSet* patient = JournalData->Patient;
    if (!IsEditing(patient) && patient->IsEmpty())
        return;
    if (patient->FieldByName(QStringLiteral("Birth date"))->IsNull()) {
        QTimer::singleShot(0, BirthDateEdit, [edit = BirthDateEdit] { edit->setFocus(); });
        return;
    }
    if (next == SequenceIdEdit && !SequenceIdEdit->isReadOnly())
        return;
    if (!birthModified && !sequenceModified)
        return;
    try {
        if (birthModified)
            RefreshAge();
        const bool autoNumber = CountryData->Country->FieldByName(QStringLiteral("PatientIdAutoNumber"))->AsBoolean();
        if (autoNumber && patient->FieldByName(QStringLiteral("Sequence id"))->AsString().trimmed().isEmpty()) {
            NextSequenceId();
            PostPatient();
            RefreshAge();
            return;
        }
        ValidatePatientId();
        PostPatient();
        RefreshAge();
    } catch (...) {
        if (SequenceIdEdit->hasFocus() == false)
            QTimer::singleShot(0, BirthDateEdit, [edit = BirthDateEdit] { edit->setFocus(); });
        throw;
    }
}

void TTvWorkForm::SequenceIdExit(QWidget* next) {
    if (next == BirthDateEdit)
        return;
    if (!BirthDateEdit->Modified() && !SequenceIdEdit->Modified())
        return;
    try {
        FixBirthDateCentury();
        ValidatePatientId();
        PostPatient();
        RefreshAge();
    } catch (...) {
        QTimer::singleShot(0, SequenceIdEdit, [edit = SequenceIdEdit] { edit->setFocus(); });
        throw;
    }
}

void TTvWorkForm::AgeExit() {
    if (!AgeEdit->isModified())
        return;
    AgeEdit->setModified(false);
    int typed = 0;
    const bool ok = TryStrToInt(AgeEdit->text().trimmed(), typed);
    JournalData->AgeOverride = ok && typed > 0 ? typed : 0;
    const int age = JournalData->GetAge();
    AgeEdit->setText(age < 0 ? QString() : IntToStr(age));
    JournalData->JournalChanged(nullptr);
}

