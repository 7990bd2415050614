#pragma once
// Converting float fields: the stored number is kept in the store unit of
// its risk factor; the field's text shows it in the display unit with the
// display decimals, and typed text (a number, optionally followed by a unit
// name) is converted back to the store unit.

#include "DataSet.h"
#include "Exceptions.h"
#include "TvUnitCnv.h"

#include <QPointer>
#include <functional>

class EFieldConvertError : public Exception {
public:
    using Exception::Exception;
};

class TCustomConvertFloatField;

// Asked with the converted value before it is stored: true keeps it. A
// false answer leaves the stored value unchanged (silent abort); the layer
// that asks the user sets it.
using TConvertCheckValueEvent = std::function<bool(TCustomConvertFloatField* Sender, double StoreValue)>;

class TCustomConvertFloatField : public TFloatField {
    Q_OBJECT
public:
    TCustomConvertFloatField(TDataSet* dataSet, const QString& name, TFieldKind kind = TFieldKind::fkData)
        : TFloatField(dataSet, name, kind) {}

    bool ConvertActive() const { return FConvertActive; }
    void SetConvertActive(bool active) { FConvertActive = active; }

    // Typed input may hold a unit name after the number: every character is
    // accepted.
    bool IsValidChar(QChar /*c*/) const { return true; }

    virtual int DisplayDecimals() const = 0;
    virtual QString DisplayUnit() const = 0;
    virtual QString StoreCategory() const = 0;
    virtual QString StoreUnit() const = 0;
    virtual bool IsConvertActive() const { return FConvertActive; }
    virtual double ConvertValue(const QString& fromUnit, const QString& toUnit, double value) const = 0;
    // A value of the store unit in the display unit (the plausibility
    // question shows its limits so).
    double ToDisplayUnit(double storeValue) const { return ConvertValue(StoreUnit(), DisplayUnit(), storeValue); }

    TFieldGetTextEvent OnDeactiveGetText;
    TFieldGetTextEvent OnAlwaysGetText;
    TFieldSetTextEvent OnDeactiveSetText;
    TFieldSetTextEvent OnAlwaysSetText;
    TConvertCheckValueEvent OnCheckValue;

    // Sets the value from a number kept as data in the store unit, such as a
    // risk factor's `Default` ("1.5" for HDL): written with a point whatever
    // the country's separator, and never read as typed text in the display
    // unit. The empty text clears the value; a text that is no number raises
    // EConvertError. Whoever fills a value from a stored default (a new
    // patient's base values, a transferred examination, a formula) calls this.
    void SetStoreText(const QString& dataText);

    // A converted value as shown: "#0.############", the fraction cut (not
    // rounded) to `decimals` places when decimals >= 0.
    static QString FormatConverted(double value, int decimals);
    // The leading number of typed text and the unit name after it (empty
    // when none); a number run that is not a valid number reads as 0.
    static void SplitTyped(const QString& text, double& value, QString& unit);

protected:
    QString GetText(bool displayText) const override;
    void SetTextValue(const QString& text) override;

private:
    bool FConvertActive = false;
};

class TTvCustomUnitConverterFloatField : public TCustomConvertFloatField {
    Q_OBJECT
public:
    using TCustomConvertFloatField::TCustomConvertFloatField;

    // Forgotten when the converter is destroyed.
    TUnitConverter* Converter() const { return FConverter; }
    void SetConverter(TUnitConverter* converter) { FConverter = converter; }

    bool IsConvertActive() const override;
    double ConvertValue(const QString& fromUnit, const QString& toUnit, double value) const override;

private:
    QPointer<TUnitConverter> FConverter;
};

class TTvCustomConvertLinkFloatField : public TTvCustomUnitConverterFloatField {
    Q_OBJECT
public:
    using TTvCustomUnitConverterFloatField::TTvCustomUnitConverterFloatField;
};

// Takes the unit data from sibling fields of the same record. A link is
// forgotten when its field is destroyed.
class TTvConvertFloatField : public TTvCustomConvertLinkFloatField {
    Q_OBJECT
public:
    using TTvCustomConvertLinkFloatField::TTvCustomConvertLinkFloatField;

    TField* DisplayDecimalsField() const { return FDisplayDecimalsField; }
    void SetDisplayDecimalsField(TField* field) { FDisplayDecimalsField = field; }
    TField* DisplayUnitField() const { return FDisplayUnitField; }
    void SetDisplayUnitField(TField* field) { FDisplayUnitField = field; }
    TField* StoreCategoryField() const { return FStoreCategoryField; }
    void SetStoreCategoryField(TField* field) { FStoreCategoryField = field; }
    TField* StoreUnitField() const { return FStoreUnitField; }
    void SetStoreUnitField(TField* field) { FStoreUnitField = field; }

    int DisplayDecimals() const override;
    QString DisplayUnit() const override;
    QString StoreCategory() const override;
    QString StoreUnit() const override;
    bool IsConvertActive() const override;

    // Not set, null, or a text field holding the empty text.
    static bool LinkEmpty(const TField* field);

private:
    QString LinkedText(const TField* field) const;

    QPointer<TField> FDisplayDecimalsField, FDisplayUnitField, FStoreCategoryField, FStoreUnitField;
};

// A risk factor's value: converted only for risk factors of type 1.
class TTvRiskField : public TTvConvertFloatField {
    Q_OBJECT
public:
    using TTvConvertFloatField::TTvConvertFloatField;

    TField* RiskUnitTypeField() const { return FRiskUnitTypeField; }
    void SetRiskUnitTypeField(TField* field) { FRiskUnitTypeField = field; }

    bool IsConvertActive() const override;

private:
    QPointer<TField> FRiskUnitTypeField;
};
