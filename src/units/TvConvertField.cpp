#include "TvConvertField.h"

#include "Conversions.h"
#include "FormatSettings.h"
#include "TvUnitCnv.h"

// ---------------------------------------------------------------- TCustomConvertFloatField

QString TCustomConvertFloatField::FormatConverted(double value, int decimals) {
    QString text = FormatFloat(QStringLiteral("#0.############"), value);
    if (decimals >= 0) {
        const qsizetype separator = text.indexOf(FormatSettings().DecimalSeparator);
        if (separator >= 0)
            text.truncate(decimals == 0 ? separator : separator + 1 + decimals);
    }
    return text;
}

void TCustomConvertFloatField::SetStoreText(const QString& dataText) {
    if (dataText.trimmed().isEmpty())
        Clear();
    else
        SetAsFloat(DataToFloat(dataText));
}

void TCustomConvertFloatField::SplitTyped(const QString& text, double& value, QString& unit) {
    const QString typed = text.trimmed();
    const TFormatSettings& format = FormatSettings();
    qsizetype run = 0;
    while (run < typed.size()) {
        const QChar c = typed[run];
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
              c == format.DecimalSeparator || c == format.ThousandSeparator))
            break;
        ++run;
    }
    // A run the platform cannot read (empty, with a thousands separator, a
    // sign not in front) counts as 0.
    if (!TryStrToFloat(typed.left(run), value, format.DecimalSeparator))
        value = 0;
    unit = typed.mid(run).trimmed();
}

QString TCustomConvertFloatField::GetText(bool displayText) const {
    QString text;
    if (IsConvertActive()) {
        text = FormatConverted(ToDisplayUnit(IsNull() ? 0.0 : AsFloat()), DisplayDecimals());
    } else if (OnDeactiveGetText) {
        OnDeactiveGetText(const_cast<TCustomConvertFloatField*>(this), text, displayText);
    } else {
        text = TFloatField::GetText(displayText);
    }
    if (OnAlwaysGetText)
        OnAlwaysGetText(const_cast<TCustomConvertFloatField*>(this), text, displayText);
    return text;
}

void TCustomConvertFloatField::SetTextValue(const QString& text) {
    if (OnAlwaysSetText)
        OnAlwaysSetText(this, Text());
    if (IsConvertActive()) {
        double value = 0;
        QString unit;
        SplitTyped(text, value, unit);
        if (unit.isEmpty())
            unit = DisplayUnit();
        const double stored = ConvertValue(unit, StoreUnit(), value);
        if (OnCheckValue && !OnCheckValue(this, stored))
            Abort();
        SetAsFloat(stored);
    } else if (OnDeactiveSetText) {
        OnDeactiveSetText(this, text);
    } else {
        TFloatField::SetTextValue(text);
    }
}

// ---------------------------------------------------------------- TTvCustomUnitConverterFloatField

bool TTvCustomUnitConverterFloatField::IsConvertActive() const {
    return TCustomConvertFloatField::IsConvertActive() && FConverter;
}

double TTvCustomUnitConverterFloatField::ConvertValue(const QString& fromUnit, const QString& toUnit,
                                                      double value) const {
    const QString categoryName = StoreCategory();
    if (categoryName.isEmpty())
        return value;
    // Checked here too: ConvertValue is also called from outside a text
    // conversion, when the converter may be gone.
    TUnitCategory* category = FConverter ? FConverter->CategoryByName(categoryName) : nullptr;
    if (!category)
        throw EFieldConvertError(QStringLiteral("Category not found."));
    return category->Convert(fromUnit, toUnit, value);
}

// ---------------------------------------------------------------- TTvConvertFloatField

bool TTvConvertFloatField::LinkEmpty(const TField* field) {
    if (!field || field->IsNull())
        return true;
    return IsTextType(field->DataType()) && field->AsString().isEmpty();
}

QString TTvConvertFloatField::LinkedText(const TField* field) const {
    if (!field) {
        const QString message = QStringLiteral("Display, Decimals, Category og Store field not assigned.");
        throw EFieldConvertError(Name().isEmpty() ? message : QStringLiteral("%1: %2").arg(Name(), message));
    }
    return field->AsString();
}

int TTvConvertFloatField::DisplayDecimals() const {
    return LinkEmpty(FDisplayDecimalsField) ? 0 : FDisplayDecimalsField->AsInteger();
}

QString TTvConvertFloatField::DisplayUnit() const {
    return LinkEmpty(FDisplayUnitField) ? StoreUnit() : FDisplayUnitField->AsString();
}

QString TTvConvertFloatField::StoreCategory() const { return LinkedText(FStoreCategoryField); }

QString TTvConvertFloatField::StoreUnit() const { return LinkedText(FStoreUnitField); }

bool TTvConvertFloatField::IsConvertActive() const {
    return TTvCustomConvertLinkFloatField::IsConvertActive() && !LinkEmpty(FStoreCategoryField) &&
           !LinkEmpty(FStoreUnitField);
}

// ---------------------------------------------------------------- TTvRiskField

bool TTvRiskField::IsConvertActive() const {
    return TTvConvertFloatField::IsConvertActive() && !LinkEmpty(FRiskUnitTypeField) &&
           FRiskUnitTypeField->AsInteger() == 1;
}
