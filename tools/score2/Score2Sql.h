#pragma once
// The generated block of data/TavloCalc.sql: the SCORE2 calculation models
// with their risk rows, coefficients, baselines and composed texts, for
// both model variants. The data test regenerates it and compares.

#include "Score2Model.h"
#include "Score2Texts.h"

#include <string>

namespace Score2 {

inline std::string Bool(bool value) { return value ? "1" : "0"; }

inline std::string GeneratedSql() {
    std::string sql;
    sql += BeginMarker;
    sql += "\n\n-- The four SCORE2 recalibrations; each country picks its region through its CalcID.\n";
    for (const TRegion& region : Regions)
        sql += "INSERT INTO \"CalcModel\" (\"CalcID\",\"Description\") VALUES (" + std::to_string(region.CalcId) + ", " +
               Quoted(region.Description) + ");\n";

    for (const char* variant : {"_P", "_D"}) {
        const bool diabetes = std::string(variant) == "_D";
        sql += std::string("\n-- ") +
               (diabetes ? "Diabetes variant: every patient has diabetes, so its term is always there."
                         : "Non-diabetes variant: the Diabetes base value, where the patient has one, gives the "
                           "diabetes term.") +
               "\n-- Factors outside SCORE2 add nothing and are marked NotUsedInCalc; Sex chooses the group.\n";
        for (const TRegion& region : Regions)
            for (const TRiskRow& risk : RiskRows(diabetes))
                sql += std::string("INSERT INTO \"Risks") + variant +
                       "\" (\"Risk id\",\"Active\",\"Visible\",\"Enabled\",\"Expression\",\"Adjust\",\"NotUsedInCalc\","
                       "\"CalcID\") VALUES (" +
                       std::to_string(risk.RiskId) + ", " + Bool(risk.Active) + ", " + Bool(risk.Visible) + ", " +
                       Bool(risk.Enabled) + ", " + QuotedOrNull(risk.Expression) + ", " + QuotedOrNull(risk.Adjust) +
                       ", " + Bool(risk.NotUsedInCalc) + ", " + std::to_string(region.CalcId) + ");\n";

        sql += "\n-- Coefficients: kind 1 Beta, 2 Const, 3 Inter, 4 the change of Beta per year of age from 60;\n"
               "-- Beta already carries the region's scale2. Men's row first, then women's.\n";
        for (const TRegion& region : Regions)
            for (const TValueRow& row : ValueRows(region))
                sql += std::string("INSERT INTO \"Values") + variant +
                       "\" (\"Risk id\",\"Type\",\"Value\",\"CalcID\") VALUES (" + std::to_string(row.RiskId) + ", " +
                       std::to_string(row.Kind) + ", " + Number(row.Value) + ", " + std::to_string(region.CalcId) +
                       ");\n";

        sql += "\n-- Baseline survival: the region's age term and constant as a Gompertz curve, ages 40 to 79.\n";
        for (const TRegion& region : Regions)
            for (const TBaselineRow& row : BaselineRows(region))
                sql += std::string("INSERT INTO \"Baseline") + variant +
                       "\" (\"Group\",\"Age\",\"Value\",\"CalcID\") VALUES (" + std::to_string(row.Group) + ", " +
                       std::to_string(row.Age) + ", " + Number(row.Value) + ", " + std::to_string(region.CalcId) +
                       ");\n";

        sql += "\n-- Composed texts: 1 group buttons, 2 personal advice, 3 guideline texts.\n";
        for (const TComposeRow& row : ComposeRows(diabetes))
            sql += std::string("INSERT INTO \"Compose") + variant +
                   "\" (\"Country id\",\"Name\",\"Type\",\"Expression\") VALUES (" + std::to_string(row.CountryId) +
                   ", " + Quoted(row.Name) + ", " + std::to_string(row.Type) + ", " + Quoted(row.Expression) + ");\n";
    }
    sql += "\n";
    sql += EndMarker;
    sql += "\n";
    return sql;
}

} // namespace Score2
