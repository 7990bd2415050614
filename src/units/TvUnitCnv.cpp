#include "TvUnitCnv.h"

#include "Conversions.h"
#include "DataSet.h"
#include "MathErrors.h"

#include <algorithm>

bool SameUnitName(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

// ---------------------------------------------------------------- TUnitExpr

void TUnitExpr::PrepareVariables() {
    TBvExprResult::PrepareVariables();
    FX = &VarList().FindOrAdd(QStringLiteral("X"));
}

double TUnitExpr::Calculate(const QString& formula, double x) {
    SetExpressionText(formula);
    Compile();
    FX->SetNumber(x);
    return Evaluate().AsNumber();
}

// ---------------------------------------------------------------- TUnitItem

TUnitItem::TUnitItem(TUnitCategory* category, const QString& fromUnit, const QString& toUnit,
                     const QString& expression)
    : FCategory(category), FFromUnit(fromUnit), FToUnit(toUnit), FExpression(expression) {
    FIsFactor = TryDataToFloat(expression, FFactor);
    if (!FIsFactor)
        FFactor = 0;
    FCategory->FItems.push_back(this);
}

TUnitItem::~TUnitItem() {
    auto& items = FCategory->FItems;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
}

bool TUnitItem::Accepts(const QString& unit) const {
    return SameUnitName(FFromUnit, unit) || (FIsFactor && SameUnitName(FToUnit, unit));
}

bool TUnitItem::Reaches(const QString& unit) const {
    return SameUnitName(FToUnit, unit) || (FIsFactor && SameUnitName(FFromUnit, unit));
}

double TUnitItem::Apply(const QString& unit, double value) const {
    if (!Reaches(unit))
        return value;
    if (!FIsFactor)
        return FCategory->Converter()->UnitExpr()->Calculate(FExpression, value);
    if (SameUnitName(FFromUnit, unit))
        return FloatDivide(value, FFactor);
    return FloatMultiply(value, FFactor);
}

// ---------------------------------------------------------------- TUnitCategory

TUnitCategory::TUnitCategory(TUnitConverter* converter, const QString& name) : FConverter(converter), FName(name) {
    FConverter->FCategories.push_back(this);
}

TUnitCategory::~TUnitCategory() {
    while (!FItems.empty())
        delete FItems.back();
    auto& categories = FConverter->FCategories;
    categories.erase(std::remove(categories.begin(), categories.end(), this), categories.end());
}

bool TUnitCategory::TryRules(const QString& fromUnit, const QString& toUnit, double value, double& result) const {
    for (const TUnitItem* item : FItems)
        if (item->Accepts(fromUnit) && item->Reaches(toUnit)) {
            result = item->Apply(toUnit, value);
            return true;
        }
    return false;
}

double TUnitCategory::Convert(const QString& fromUnit, const QString& toUnit, double value) const {
    if (SameUnitName(fromUnit, toUnit))
        return value;
    double result = 0;
    if (TryRules(fromUnit, toUnit, value, result))
        return result;
    // One bridge: only the first rule accepting the source unit is tried, and
    // only as a factor rule read backwards (its ToUnit is the source unit).
    const auto bridge = std::find_if(FItems.begin(), FItems.end(),
                                     [&](const TUnitItem* item) { return item->Accepts(fromUnit); });
    if (bridge != FItems.end() && (*bridge)->IsFactor() && SameUnitName((*bridge)->ToUnit(), fromUnit)) {
        const double base = FloatDivide(value, (*bridge)->Factor());
        if (TryRules((*bridge)->FromUnit(), toUnit, base, result))
            return result;
    }
    throw EUnitConvertError(QStringLiteral("Cannot convert between %1 and %2.").arg(fromUnit, toUnit));
}

// ---------------------------------------------------------------- TUnitConverter

TUnitConverter::TUnitConverter(QObject* AOwner) : TComponent(AOwner), FUnitExpr(new TUnitExpr(this)) {}

TUnitConverter::~TUnitConverter() { Clear(); }

void TUnitConverter::SetActive(bool active) {
    if (FActive == active)
        return;
    FActive = active;
    Reload();
}

void TUnitConverter::SetDataSet(TDataSet* dataSet) {
    if (FDataSet == dataSet)
        return;
    FDataSet = dataSet;
    Reload();
}

TUnitCategory* TUnitConverter::CategoryByName(const QString& name) const {
    for (TUnitCategory* category : FCategories)
        if (SameUnitName(category->Name(), name))
            return category;
    return nullptr;
}

TUnitItem* TUnitConverter::AddUnit(const QString& category, const QString& fromUnit, const QString& toUnit,
                                   const QString& expression) {
    TUnitCategory* target = CategoryByName(category);
    if (!target)
        target = new TUnitCategory(this, category);
    return new TUnitItem(target, fromUnit, toUnit, expression);
}

void TUnitConverter::Clear() {
    while (!FCategories.empty())
        delete FCategories.back();
}

void TUnitConverter::Reload() {
    Clear();
    if (!FActive || !FDataSet)
        return;
    TDataSet* dataSet = FDataSet;
    try {
        if (dataSet->Active())
            dataSet->First();
        else
            dataSet->Open();
        TDisableControlsScope quiet(dataSet);
        const TField* toUnit = dataSet->FieldByName(QStringLiteral("ToUnit"));
        const TField* expression = dataSet->FieldByName(QStringLiteral("Expression"));
        const TField* fromUnit = dataSet->FieldByName(QStringLiteral("FromUnit"));
        const TField* category = dataSet->FieldByName(QStringLiteral("Category"));
        for (; !dataSet->Eof(); dataSet->Next())
            AddUnit(category->AsString(), fromUnit->AsString(), toUnit->AsString(), expression->AsString());
    } catch (...) {
        // Half a rule set would convert some units and refuse others: hold
        // none, and stay inactive so that activating again retries.
        Clear();
        FActive = false;
        throw;
    }
}
