#include "TvWorkCountryDM.h"

#include "BuildMediatorDM.h"
#include "BvDictionary.h"
#include "Conversions.h"
#include "DialogResults.h"
#include "Edition.h"
#include "MorlenSettings.h"
#include "MorlenTables.h"
#include "TvConvertField.h"
#include "TvPickList.h"

TTvWorkCountryDataModule::TTvWorkCountryDataModule(QObject* AOwner)
    : TBuildCountryDataModule(AOwner), FPickList(std::make_unique<TPickList>()) {
    // Set only now: the base opened Country without choosing a country, the
    // pick lists did not exist then.
    SetCountryChoice(true);
}

TTvWorkCountryDataModule::~TTvWorkCountryDataModule() {
    SetCountryChoice(false);
    FPickList.reset();
}

void TTvWorkCountryDataModule::CountryChanged() {
    if (Edition() == TEdition::Prevention)
        SetApplicationTitle(Country->FieldByName(QStringLiteral("Program title"))->AsString());
    // A country without a separator keeps the one the lists have: texts
    // written with the character 0 could never be typed back.
    if (const QChar separator = DecimalSeparatorChar(); !separator.isNull())
        FPickList->SetSeparator(separator);
    // A definition that does not parse stops the choice here.
    FPickList->Load(Names, RisksLookup);
    if (OnCountryChange)
        OnCountryChange(this);
}

const QStringList* TTvWorkCountryDataModule::PickValues(int riskId) const {
    const TPickItem* item = FPickList->FindByRiskId(riskId);
    return item ? &item->Values : nullptr;
}

QString TTvWorkCountryDataModule::ValueText(int riskId, double value) const {
    const TPickItem* item = FPickList->FindByRiskId(riskId);
    return item ? item->ValueToText(value) : FloatToStr(value);
}

void TTvWorkCountryDataModule::TextToField(const QString& text, int riskId, TField* field) {
    double value = 0;
    try {
        if (const TPickItem* item = FPickList->FindByRiskId(riskId)) {
            value = item->TextToValue(text);
            auto* converting = qobject_cast<TCustomConvertFloatField*>(field);
            const bool convert = converting && converting->IsConvertActive();
            if (convert && qobject_cast<TTvRiskField*>(field))
                value = converting->ConvertValue(converting->DisplayUnit(), converting->StoreUnit(), value);
            // The limits are in the store unit; the question shows them as the field does.
            std::function<double(double)> toDisplay;
            if (convert)
                toDisplay = [converting](double limit) { return converting->ToDisplayUnit(limit); };
            if (Settings()->CheckRiskValue(riskId, this, toDisplay, value) != mrYes) {
                field->DataSet()->Cancel();
                return;
            }
        } else {
            value = StrToFloat(text);
        }
    } catch (const EConvertError& e) {
        // Without a translation the platform's own message says more than the key.
        const QString key = QStringLiteral("SNotValidNumber");
        const QString message = TranslateText(key);
        throw EConvertError(message == key ? e.Message() : message);
    }
    field->SetAsFloat(value);
}
