#pragma once
// The formula lists: for each active risk factor of the current calculation
// model its compiled formula (the Expression or the Adjust memo of Risks),
// in the order of the Risks rows, which is the order the calculation sums
// the terms in.

#include "BvExpr.h"
#include "TvRiskList.h"

#include <QPointer>
#include <memory>

class TDataSet;
class TExprItem;

// A formula that names its risk factor in its errors:
// "Parser error <name>: ..." and "Runtime error <name>: ...". A formula
// without an item passes its errors on unchanged.
class TMorlenExpr : public TBvExprResult {
    Q_OBJECT
public:
    explicit TMorlenExpr(TExprItem* item = nullptr, QObject* AOwner = nullptr)
        : TBvExprResult(AOwner), FItem(item) {}

    TExprItem* Item() const { return FItem; }
    void SetItem(TExprItem* item) { FItem = item; }

    void Compile() override;
    TVarItem& Evaluate() override;

private:
    TExprItem* FItem; // not owned
};

class TExprItem : public TRiskItem {
public:
    explicit TExprItem(TRiskList* collection);
    ~TExprItem() override;

    TMorlenExpr& Expr() const { return *FExpr; }
    QString Name;  // the risk factor's locale name
    int Color = 0; // the risk factor's colour
    int Group = 0; // 1: a treatable factor (it has a treatment goal)

private:
    std::unique_ptr<TMorlenExpr> FExpr;
};

class TExprList : public TRiskListOf<TExprItem> {
public:
    explicit TExprList(TBvExprSource* source = nullptr) : FSource(source) {}

    // The functions every formula of the list may call.
    TBvExprSource* Source() const { return FSource; }
    void SetSource(TBvExprSource* source) { FSource = source; }

    // Refills the list from the rows of `risks` (columns Risk id, Locale
    // name, Color, Group, Obsolete, Active and the formula column
    // `fieldName`, "Expression" or "Adjust"), skipping obsolete and inactive
    // factors, and compiles each formula. A formula that does not compile
    // stops the loading with its "Parser error " message; the items before
    // it stay.
    virtual void Load(TDataSet* risks, const QString& fieldName);

private:
    QPointer<TBvExprSource> FSource;
};
