#include "BuildFM.h"

#include "Application.h"
#include "BuildDM.h"
#include "BvDictionary.h"
#include "BvTranslator.h"
#include "BvUtils.h"
#include "DataSet.h"
#include "DialogResults.h"
#include "Exceptions.h"
#include "Keyboard.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {
QString& HintText() {
    static QString hint;
    return hint;
}

// Runs one step of a window that goes anyway: an error is shown, the other
// steps still run.
template <typename Fn>
void ShowingErrors(Fn fn) {
    try {
        fn();
    } catch (const EAbort&) {
    } catch (const Exception& error) {
        TApplication::ShowException(error.Message());
    } catch (const std::exception& error) {
        TApplication::ShowException(QString::fromUtf8(error.what()));
    }
}
} // namespace

QString ApplicationHint() { return HintText(); }

TNotifyEvent& ApplicationOnHint() {
    static TNotifyEvent handler;
    return handler;
}

void SetApplicationHint(const QString& hint) {
    HintText() = hint;
    if (ApplicationOnHint())
        ApplicationOnHint()(qApp);
}

// One filter on the application for every window: it gives a window its
// key strokes first and follows the control under the mouse for the hint.
class TFormEventHub : public QObject {
public:
    static void Ensure() {
        static TFormEventHub* hub = nullptr;
        if (!hub && qApp) {
            hub = new TFormEventHub(qApp);
            qApp->installEventFilter(hub);
        }
    }

protected:
    explicit TFormEventHub(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* widget = qobject_cast<QWidget*>(watched);
            auto* form = widget ? qobject_cast<TBuildForm*>(widget->window()) : nullptr;
            // Only once per stroke: the event reaches the focus widget first.
            if (form && form->KeyPreview && widget != form && widget == QApplication::focusWidget())
                return form->PreviewKey(static_cast<QKeyEvent*>(event));
        } else if (event->type() == QEvent::Enter) {
            if (auto* widget = qobject_cast<QWidget*>(watched)) {
                const QString hint = widget->statusTip().isEmpty() ? widget->toolTip() : widget->statusTip();
                if (hint != HintText())
                    SetApplicationHint(hint);
            }
        }
        return false;
    }
};

TBuildForm::TBuildForm(QWidget* parent) : QDialog(parent) {
    TFormEventHub::Ensure();
    setLayoutDirection(Qt::LeftToRight);
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    Translator = new TBvTranslator(this);
    Translator->SetName(QStringLiteral("Translator"));
}

TBuildForm::~TBuildForm() {
    // Deleted without FreeForm: the base steps still post and close.
    if (!FDestroyed)
        BeforeDestruction();
    RestoreHintHandler();
}

void TBuildForm::SetMasterCountryData(TCountryDataModuleBase* module) {
    FMasterCountryData = module;
    TranslateForm();
}

void TBuildForm::DisplayHint(QObject* /*Sender*/) {}

void TBuildForm::LoadSettings() {}

void TBuildForm::SaveSettings() {}

void TBuildForm::TranslateForm() { Translator->Translate(this); }

void TBuildForm::AfterConstruction() {
    if (FConstructed)
        return;
    FConstructed = true;
    // The designed size, centred on the screen; restored settings come after.
    if (!testAttribute(Qt::WA_Resized))
        resize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    TranslateForm();
    if (TBvDictionary* dictionary = Translator->Dictionary())
        connect(dictionary, &TBvDictionary::LanguageChanged, this, [this] { TranslateForm(); });
    if (!IsShiftDown())
        LoadSettings();
    if (TCountryDataModuleBase* country = FirstCountryDataModule())
        SetMasterCountryData(country);
    OpenDataSets(this, 0);
    DoCreate();
}

void TBuildForm::BeforeDestruction() {
    if (FDestroyed)
        return;
    FDestroyed = true;
    RestoreHintHandler();
    ShowingErrors([this] { DoDestroy(); });
    // Posted first: closing a dataset drops an edit that is still open.
    for (TDataSet* dataSet : OwnedDataSets(this))
        ShowingErrors([dataSet] { PostIfEditing(dataSet); });
    if (!IsShiftDown())
        ShowingErrors([this] { SaveSettings(); });
    for (TDataSet* dataSet : OwnedDataSets(this))
        if (dataSet->Tag() == 0)
            ShowingErrors([dataSet] { dataSet->Close(); });
}

void TBuildForm::reject() { done(mrCancel); }

void TBuildForm::showEvent(QShowEvent* event) {
    AfterConstruction();
    QDialog::showEvent(event);
}

bool TBuildForm::event(QEvent* event) {
    if (event->type() == QEvent::DeferredDelete)
        BeforeDestruction();
    return QDialog::event(event);
}

void TBuildForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            InstallHintHandler();
        else
            RestoreHintHandler();
    }
    QDialog::changeEvent(event);
}

void TBuildForm::InstallHintHandler() {
    if (FHintInstalled || FDestroyed)
        return;
    FPreviousHint = ApplicationOnHint();
    // The handler may outlive the window in someone's remembered handler.
    ApplicationOnHint() = [form = QPointer<TBuildForm>(this)](QObject* sender) {
        if (form)
            form->DisplayHint(sender);
    };
    FHintInstalled = true;
}

void TBuildForm::RestoreHintHandler() {
    if (!FHintInstalled)
        return;
    ApplicationOnHint() = std::move(FPreviousHint);
    FPreviousHint = nullptr;
    FHintInstalled = false;
}

void FreeForm(QWidget* form) {
    if (auto* buildForm = qobject_cast<TBuildForm*>(form))
        buildForm->BeforeDestruction();
    delete form;
}
