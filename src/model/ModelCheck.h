#pragma once
// The model author's check of an application database: every formula and
// composed text compiles with the functions the calculation offers, every
// pick list parses, and every model has a baseline and its coefficients for
// each patient group. Each problem names its table and row.

#include <QList>
#include <QString>

class TBvExprSource;

struct TModelProblem {
    QString Table;   // e.g. "Risks_P"
    QString Row;     // e.g. "Risk id 3, CalcID 2"
    QString Message; // e.g. "Expression: Symbol expected :="

    // "<table> row <row>: <message>", or "<table>: <message>" without a row.
    QString Text() const;
};

// Checks the application database of that name. The formulas compile on
// `source`, which must offer the model functions of the calculation.
QList<TModelProblem> CheckModels(const QString& databaseName, TBvExprSource* source);

// Checks the application database the mediator is connected to, with the
// functions of a calculation module made for the check.
QList<TModelProblem> CheckModels();
