#pragma once
// The product's country data module: the base's tables and questions, plus
// the chosen country's pick lists and the country choice. Whenever the
// current Country row changes, the application title (Prevention edition),
// the pick lists' separator and the pick lists follow it, and
// OnCountryChange tells the work window, which then sets the process's
// decimal separator and reloads the formulas.

#include "BuildCountryDM.h"
#include "Component.h"

#include <memory>

class TField;
class TPickList;

class TTvWorkCountryDataModule : public TBuildCountryDataModule {
    Q_OBJECT
public:
    explicit TTvWorkCountryDataModule(QObject* AOwner = nullptr);
    ~TTvWorkCountryDataModule() override;

    TPickList* PickList() const { return FPickList.get(); }

    // The texts offered for the risk factor, or none when it has no pick list.
    const QStringList* PickValues(int riskId) const;
    // The value as its pick list shows it; the general float text without one.
    QString ValueText(int riskId, double value) const;
    // Stores typed text of a risk value in the field: through the risk
    // factor's pick list (and the field's unit conversion when active) with
    // the plausibility question, which cancels the row's edit unless it is
    // answered Yes; else as a float with the current decimal separator. A
    // text that is no number fails with the translated "SNotValidNumber".
    void TextToField(const QString& text, int riskId, TField* field);

    // Raised, with the module as sender, once a country is chosen.
    TNotifyEvent OnCountryChange;

protected:
    void CountryChanged() override;

private:
    std::unique_ptr<TPickList> FPickList;
};
