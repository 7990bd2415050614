#pragma once
// Filter texts of datasets: names ("Export", "[Risk id]"), comparisons
// (= <> > < >= <=), numbers, quoted texts, True, False, "and", "or",
// parentheses and a bare logical field. A comparison with an empty (null)
// value is false, the same rule SQL applies, so a filter can be handed to
// the store as a WHERE condition and still select exactly the same rows.

#include "DataSet.h"

#include <memory>

class TFilterExpr {
public:
    // Syntax only; names are bound to fields by Bind. EDatabaseError with a
    // message naming the fault when the text is malformed.
    static std::shared_ptr<TFilterExpr> Parse(const QString& text);
    // Resolves names against the columns; EDatabaseError for an unknown field
    // or a comparison of unlike kinds.
    void Bind(const TFieldDefs& defs, bool caseInsensitive);
    bool Bound() const { return FBound; }

    bool Evaluate(const QVector<QVariant>& data) const;
    // The same condition in SQL with positional parameters. `exact` is false
    // when the SQL selects more rows than Evaluate (the caller then checks
    // each row itself).
    QString ToSql(QVariantList& params, bool& exact) const;

    struct Node;
    ~TFilterExpr();

private:
    TFilterExpr() = default;
    std::unique_ptr<Node> FRoot;
    QString FText;
    bool FBound = false;
    bool FCaseInsensitive = false;
    TFieldDefs FDefs;
};
