#include "TvExprList.h"

#include "DataSet.h"

// --- TMorlenExpr ---

void TMorlenExpr::Compile() {
    try {
        TBvExprResult::Compile();
    } catch (...) {
        if (!FItem)
            throw;
        RaisePrefixed(QStringLiteral("Parser error ") + FItem->Name + QStringLiteral(": "));
    }
}

TVarItem& TMorlenExpr::Evaluate() {
    try {
        return TBvExprResult::Evaluate();
    } catch (...) {
        if (!FItem)
            throw;
        RaisePrefixed(QStringLiteral("Runtime error ") + FItem->Name + QStringLiteral(": "));
    }
}

// --- TExprItem ---

TExprItem::TExprItem(TRiskList* collection) : TRiskItem(collection), FExpr(std::make_unique<TMorlenExpr>(this)) {}

TExprItem::~TExprItem() = default;

// --- TExprList ---

void TExprList::Load(TDataSet* risks, const QString& fieldName) {
    Clear();
    // The rows are read where they are: the table's cursor and its views
    // are not disturbed.
    const int count = risks->RecordCount();
    for (int i = 0; i < count; ++i) {
        bool skip = false;
        int riskId = 0, color = 0, group = 0;
        QString name, formula;
        risks->WithRecord(i, [&] {
            skip = risks->FieldByName(QStringLiteral("Obsolete"))->AsBoolean() ||
                   !risks->FieldByName(QStringLiteral("Active"))->AsBoolean();
            if (skip)
                return;
            riskId = risks->FieldByName(QStringLiteral("Risk id"))->AsInteger();
            name = risks->FieldByName(QStringLiteral("Locale name"))->AsString();
            color = risks->FieldByName(QStringLiteral("Color"))->AsInteger();
            group = risks->FieldByName(QStringLiteral("Group"))->AsInteger();
            formula = risks->FieldByName(fieldName)->AsString();
        });
        if (skip)
            continue;
        TExprItem& item = AddRisk(riskId);
        item.Name = name;
        item.Color = color;
        item.Group = group;
        item.Expr().SetSource(FSource);
        item.Expr().SetExpressionText(formula);
        try {
            item.Expr().Compile();
        } catch (...) {
            // Only compiled formulas stay in the list: the calculation runs
            // every item it holds.
            Delete(Count() - 1);
            throw;
        }
    }
}
