#pragma once
// The unit converter: the rules of the UNITCNV table in memory, grouped by
// category, and the conversion of a number from one unit of a category to
// another by a factor or by a formula of the expression language.

#include "BvExpr.h"
#include "Component.h"
#include "DataSet.h"
#include "Exceptions.h"

#include <QPointer>
#include <QString>
#include <vector>

class TUnitConverter;
class TUnitCategory;

class EUnitConvertError : public Exception {
public:
    using Exception::Exception;
};

// The formula evaluator of the formula rules: X holds the value to convert
// and exists before the formula is parsed.
class TUnitExpr : public TBvExprResult {
    Q_OBJECT
public:
    using TBvExprResult::TBvExprResult;

    void PrepareVariables() override;
    // The variable X; none before the first Compile.
    TVarItem* XItem() const { return FX; }
    // Compiles the formula, runs it for X = x and gives Result as a number.
    double Calculate(const QString& formula, double x);

private:
    TVarItem* FX = nullptr;
};

// One rule. A factor rule (Expression a plain number written with a point)
// converts both ways: ToUnit = FromUnit × factor. A formula rule converts from
// FromUnit to ToUnit only, reading X and leaving Result.
class TUnitItem {
public:
    // Appends the rule to its category, which owns it from then on.
    TUnitItem(TUnitCategory* category, const QString& fromUnit, const QString& toUnit, const QString& expression);
    // Removes the rule from its category.
    ~TUnitItem();
    TUnitItem(const TUnitItem&) = delete;
    TUnitItem& operator=(const TUnitItem&) = delete;

    TUnitCategory* Category() const { return FCategory; }
    const QString& FromUnit() const { return FFromUnit; }
    const QString& ToUnit() const { return FToUnit; }
    const QString& Expression() const { return FExpression; }
    bool IsFactor() const { return FIsFactor; }
    double Factor() const { return FFactor; }

    bool Accepts(const QString& unit) const;
    bool Reaches(const QString& unit) const;
    // The value converted by this rule towards `unit`; unchanged when the
    // rule does not reach it.
    double Apply(const QString& unit, double value) const;

private:
    TUnitCategory* FCategory;
    QString FFromUnit, FToUnit, FExpression;
    bool FIsFactor = false;
    double FFactor = 0;
};

class TUnitCategory {
public:
    // Appends the category to its converter, which owns it from then on.
    TUnitCategory(TUnitConverter* converter, const QString& name);
    // Removes the category from its converter and destroys its rules.
    ~TUnitCategory();
    TUnitCategory(const TUnitCategory&) = delete;
    TUnitCategory& operator=(const TUnitCategory&) = delete;

    TUnitConverter* Converter() const { return FConverter; }
    const QString& Name() const { return FName; }
    int Count() const { return int(FItems.size()); }
    TUnitItem* Items(int index) const { return FItems[size_t(index)]; }

    // The value in `fromUnit` converted to `toUnit`; EUnitConvertError when
    // no rule leads from one to the other.
    double Convert(const QString& fromUnit, const QString& toUnit, double value) const;

private:
    friend class TUnitItem;
    bool TryRules(const QString& fromUnit, const QString& toUnit, double value, double& result) const;

    TUnitConverter* FConverter;
    QString FName;
    std::vector<TUnitItem*> FItems; // owned, in table order
};

class TUnitConverter : public TComponent {
    Q_OBJECT
public:
    explicit TUnitConverter(QObject* AOwner = nullptr);
    ~TUnitConverter() override;

    // Setting a different value reloads the rules from DataSet; inactive,
    // the converter holds none.
    bool Active() const { return FActive; }
    void SetActive(bool active);
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    // The functions the formulas may call: the evaluator's source.
    TBvExprSource* ExprSource() const { return FUnitExpr->Source(); }
    void SetExprSource(TBvExprSource* source) { FUnitExpr->SetSource(source); }
    TUnitExpr* UnitExpr() const { return FUnitExpr; }

    int CategoryCount() const { return int(FCategories.size()); }
    TUnitCategory* Categories(int index) const { return FCategories[size_t(index)]; }
    // The first category of this name (case ignored), or none.
    TUnitCategory* CategoryByName(const QString& name) const;

    // Finds or creates the category and appends the rule to it.
    TUnitItem* AddUnit(const QString& category, const QString& fromUnit, const QString& toUnit,
                       const QString& expression);
    // Destroys every category with its rules.
    void Clear();

private:
    friend class TUnitCategory;
    void Reload();

    bool FActive = false;
    QPointer<TDataSet> FDataSet;
    TUnitExpr* FUnitExpr; // owned (child)
    std::vector<TUnitCategory*> FCategories; // owned, in first-seen order
};

// Unit and category names compare without regard to case.
bool SameUnitName(const QString& a, const QString& b);
