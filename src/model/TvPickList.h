#pragma once
// The pick lists of the chosen country: for each risk factor the texts the
// user can pick from and the value belonging to each, defined by a small
// definition text in the Names table (type 2 rows), e.g.
//   (80;250;5)                  every value from 80 to 250 in steps of 5
//   [Never;0],[Former;1]        named values
// Numbers in a definition are always written with a point; the texts of the
// list are written with the list's Separator.

#include "TvRiskList.h"

#include <QChar>
#include <QStringList>

class TDataSet;
class TMlTypeTable;

// Errors of a pick-list definition.
class EValueError : public Exception {
public:
    using Exception::Exception;
};

class TPickItem : public TRiskItem {
public:
    using TRiskItem::TRiskItem;

    QStringList Values; // the texts offered to and shown to the user, in order
    QStringList Source; // the value of each text of Values, same index, as a number text
    int RiskType = 0;   // the factor's Type; 2: chosen from named values
    int Decimals = 0;   // the factor's Decimals, or those derived from a range
    QString StoreUnit;  // the unit in which the country shows the factor's values

    // Type 2: the text of the named value x, "0" when x is none of them.
    // Other types: x in fixed notation with Decimals decimals.
    QString ValueToText(double x) const;
    // Type 2: the value of the named text (case ignored), 0 when it is none
    // of them. Other types: the number typed, optionally followed by
    // StoreUnit; EConvertError when it is not a number.
    double TextToValue(const QString& text) const;

    // Appends the values of a definition text.
    void Parse(const QString& definition);

private:
    QChar ListSeparator() const;
};

class TPickList : public TRiskListOf<TPickItem> {
public:
    // Starts with the decimal separator current now.
    TPickList();

    QChar Separator() const { return FSeparator; }
    void SetSeparator(QChar value) { FSeparator = value; }

    // Refills the list from the chosen country's Names rows and the Risks
    // table (with its UnitName column). `names` is left showing only the
    // type 2 rows. A definition that does not parse stops the loading with
    // "<risk id>: <message>"; the items added until then stay.
    virtual void Load(TMlTypeTable* names, TDataSet* risks);

    // Appends an item and parses the definition into it, with the list's
    // separator for the texts written. A failure is raised with the risk id
    // in front ("%d: %s"); the item stays with what was parsed before it.
    TPickItem& AddItem(int riskId, const QString& definition, const QString& unit, int decimals, int type);

private:
    QChar FSeparator;
};
