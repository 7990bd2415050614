#pragma once
// The base of every window. A window restores and stores its settings
// (unless Shift is held), is translated into the current language, opens
// its tag-0 datasets when it is created and closes them when it goes, posts
// a pending edit before it goes, and shows the hints of its controls while
// it is active.
//
// Creating runs in two steps, because the window's own controls and
// datasets exist only after its constructor: create windows with
// CreateForm<T>(...) (or call AfterConstruction yourself; showing a window
// runs it too) and free them with FreeForm / TFormPtr, which runs the
// destruction steps while the whole window still exists; so does a window
// closed with WA_DeleteOnClose or deleteLater. A window deleted otherwise
// still posts and closes its datasets, but its own SaveSettings is not
// reached any more.

#include "BuildDM.h"
#include "Component.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class TBvTranslator;

// The application's hint: the long hint of the control under the mouse
// (its status tip, else its tool tip). OnHint is one handler; a window puts
// its own in while it is active.
QString ApplicationHint();
void SetApplicationHint(const QString& hint);
TNotifyEvent& ApplicationOnHint();

class TBuildForm : public QDialog {
    Q_OBJECT
public:
    explicit TBuildForm(QWidget* parent = nullptr);
    ~TBuildForm() override;

    // The localisation engine's translator of this window (dictionary
    // "MainDictionary").
    TBvTranslator* Translator = nullptr;

    // The country module whose data the window shows.
    TCountryDataModuleBase* MasterCountryData() const { return FMasterCountryData.data(); }
    void SetMasterCountryData(TCountryDataModuleBase* module);

    // The window sees key strokes before its controls (PreviewKey).
    bool KeyPreview = true;

    // Show the application's current hint; nothing here.
    virtual void DisplayHint(QObject* Sender);
    // Restore and store the window's settings; nothing here.
    virtual void LoadSettings();
    virtual void SaveSettings();
    // Let the Translator translate the window now.
    virtual void TranslateForm();

    // The creation steps: translate, LoadSettings unless Shift is held, the
    // first country module as MasterCountryData, open the tag-0 datasets.
    // Runs once.
    void AfterConstruction();
    // The destruction steps: post pending edits, SaveSettings unless Shift
    // is held, close the tag-0 datasets. Runs once; errors are shown, not
    // raised, since the window goes anyway.
    void BeforeDestruction();
    bool Constructed() const { return FConstructed; }

    int ShowModal() { return exec(); }
    int ModalResult() const { return result(); }
    void SetModalResult(int value) { done(value); }

    // Escape and the close box answer Cancel (2).
    void reject() override;

protected:
    // The window's own creation and destruction steps: after the base's
    // creation steps, and before its destruction steps.
    virtual void DoCreate() {}
    virtual void DoDestroy() {}
    // A key stroke for a control of this window, before the control sees
    // it; true when handled (the control then does not get it).
    virtual bool PreviewKey(QKeyEvent* /*event*/) { return false; }
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A window closed with WA_DeleteOnClose (or given to deleteLater) runs
    // its destruction steps while it is still whole.
    bool event(QEvent* event) override;

private:
    friend class TFormEventHub;
    void InstallHintHandler();
    void RestoreHintHandler();
    QPointer<TCountryDataModuleBase> FMasterCountryData;
    bool FConstructed = false;
    bool FDestroyed = false;
    bool FHintInstalled = false;
    TNotifyEvent FPreviousHint;
};

// The base of the print dialog.
class TBuildPrintForm : public TBuildForm {
    Q_OBJECT
public:
    explicit TBuildPrintForm(QWidget* parent = nullptr) : TBuildForm(parent) {}
};

// Frees a window after its destruction steps.
void FreeForm(QWidget* form);
struct TFormDeleter {
    void operator()(QWidget* form) const { FreeForm(form); }
};
template <class T>
using TFormPtr = std::unique_ptr<T, TFormDeleter>;

// A window of class T, created and past its creation steps; a failing
// creation step frees it and passes the error on.
template <class T, class... Args>
T* CreateForm(Args&&... args) {
    T* form = new T(std::forward<Args>(args)...);
    if constexpr (std::is_base_of_v<TBuildForm, T>) {
        try {
            form->AfterConstruction();
        } catch (...) {
            delete form;
            throw;
        }
    }
    return form;
}

// Creates a window of the class without an owner, shows it modally, frees
// it and returns its modal result.
template <class T>
int ShowModalForm() {
    TFormPtr<T> form(CreateForm<T>());
    return form->exec();
}
