#pragma once
// SCORE2 (ESC 2021) fitted to the program's proportional-hazards form, and
// the rows of the application database that carry it.
//
// The program computes risk = 1 - (S(a + y) / S(a)) ^ exp(sum of terms).
// SCORE2's recalibrated 10-year risk is
//   1 - exp(-exp(s1 + s2 * ln(-ln(1 - p)))),  p = 1 - S0 ^ exp(LP),
// and since -ln(1 - p) = -ln(S0) * exp(LP) that is
//   1 - exp(-exp(s1 + s2 * ln(-ln S0) + s2 * LP)).
// Split s2 * LP into the age term s2 * bAge * (a - 60) / 5 and the rest:
// the rest, s2 * (LP - bAge * cage), is the sum of the factor terms (each
// factor with its own age interaction), and the age term together with the
// constant part is -ln ratio(a) = K * exp(L * a) with
//   L = s2 * bAge / 5,  K = exp(s1 + s2 * ln(-ln S0) - 60 * L).
// The Gompertz baseline S(a) = exp(-K * exp(L * a) / (exp(10 * L) - 1))
// gives exactly that ratio S(a + 10) / S(a) at every age, so the program's
// form equals the published formula for 10 years; for other periods it is
// the same Gompertz hazard, which SCORE2 itself does not publish.
//
// Standard C++ only: the generator builds without the program, and the data
// test includes this header to regenerate the rows and compare them.

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace Score2 {

// Published coefficients of one sex (log hazard ratios) and its 10-year
// baseline survival at the centre values.
struct TSexModel {
    double Age, Smoking, Sbp, Diabetes, TotalChol, Hdl;
    double AgeSmoking, AgeSbp, AgeDiabetes, AgeTotalChol, AgeHdl;
    double S0;
};

inline constexpr std::array<TSexModel, 2> Sexes{{
    // men (group 0)
    {0.3742, 0.6012, 0.2777, 0.6457, 0.1458, -0.2698, -0.0755, -0.0255, -0.0983, -0.0281, 0.0426, 0.9605},
    // women (group 1)
    {0.4648, 0.7744, 0.3131, 0.8096, 0.1002, -0.2606, -0.1088, -0.0277, -0.1272, -0.0226, 0.0613, 0.9776},
}};

// Recalibration to a risk region: scale1 and scale2 per sex.
struct TRegion {
    int CalcId;
    const char* Description;
    std::array<double, 2> Scale1, Scale2;
};

inline constexpr std::array<TRegion, 4> Regions{{
    {1, "SCORE2, low-risk region", {-0.5699, -0.7380}, {0.7476, 0.7019}},
    {2, "SCORE2, moderate-risk region", {-0.1565, -0.3143}, {0.8009, 0.7701}},
    {3, "SCORE2, high-risk region", {0.3207, 0.5710}, {0.9360, 0.9369}},
    {4, "SCORE2, very-high-risk region", {0.5836, 0.9412}, {0.8294, 0.8329}},
}};

// Centres of the published predictor: cage = (age - 60) / 5 and so on.
inline constexpr double AgeCentre = 60, AgeScale = 5;
inline constexpr double SbpCentre = 120, SbpScale = 20;
inline constexpr double TotalCholCentre = 6, TotalCholScale = 1;
inline constexpr double HdlCentre = 1.3, HdlScale = 0.5;

// Baseline rows: ages 40 to 79, so that 10 years ahead stays in the table
// for ages 40 to 69, SCORE2's range.
inline constexpr int FirstAge = 40, LastAge = 79, Period = 10;

// Risk ids of the factors (the shared Risks table).
enum TRiskId : int {
    BloodPressure = 1, Cholesterol = 2, Smoking = 3, Weight = 4, Sex = 5, FamilyHistory = 6,
    Diabetes = 7, Height = 8, PreviousHeartDisease = 9, Hdl = 19, Bmi = 33
};

// Coefficient kinds of the Values table: 1 Beta, 2 Const, 3 Inter, and the
// model's own 4: the change of Beta per year of age above AgeCentre.
enum TKind : int { KindBeta = 1, KindConst = 2, KindInter = 3, KindAgeSlope = 4 };

struct TValueRow {
    int RiskId, Kind;
    double Value; // one row per group, written group 0 first
    int Group;
};

struct TBaselineRow {
    int Group, Age;
    double Value;
};

// The gradient of the baseline: -ln(S(a + 10) / S(a)) = K * exp(L * a).
struct TGompertz {
    double K, L;
};

inline TGompertz Gompertz(const TRegion& region, int group) {
    const TSexModel& m = Sexes[size_t(group)];
    const double s1 = region.Scale1[size_t(group)], s2 = region.Scale2[size_t(group)];
    const double l = s2 * m.Age / AgeScale;
    return {std::exp(s1 + s2 * std::log(-std::log(m.S0)) - AgeCentre * l), l};
}

inline double BaselineSurvival(const TRegion& region, int group, double age) {
    const TGompertz g = Gompertz(region, group);
    return std::exp(-g.K * std::exp(g.L * age) / std::expm1(Period * g.L));
}

// Coefficient rows of one model, in the order the Values table keeps them
// (factor, kind, group). Every term is scaled by s2 and per stored unit.
inline std::vector<TValueRow> ValueRows(const TRegion& region) {
    std::vector<TValueRow> rows;
    auto add = [&](int riskId, int kind, auto value) {
        for (int group = 0; group < 2; ++group)
            rows.push_back({riskId, kind, value(group), group});
    };
    auto s2 = [&](int group) { return region.Scale2[size_t(group)]; };
    auto sex = [](int group) -> const TSexModel& { return Sexes[size_t(group)]; };
    auto continuous = [&](int riskId, double TSexModel::*beta, double TSexModel::*ageBeta, double centre,
                          double scale) {
        add(riskId, KindBeta, [&](int g) { return s2(g) * (sex(g).*beta) / scale; });
        add(riskId, KindConst, [&](int) { return centre; });
        add(riskId, KindInter, [&](int) { return 0.0; });
        add(riskId, KindAgeSlope, [&](int g) { return s2(g) * (sex(g).*ageBeta) / (scale * AgeScale); });
    };
    continuous(BloodPressure, &TSexModel::Sbp, &TSexModel::AgeSbp, SbpCentre, SbpScale);
    continuous(Cholesterol, &TSexModel::TotalChol, &TSexModel::AgeTotalChol, TotalCholCentre, TotalCholScale);
    add(Smoking, KindBeta, [&](int g) { return s2(g) * sex(g).Smoking; });
    add(Smoking, KindInter, [&](int) { return 0.0; });
    add(Smoking, KindAgeSlope, [&](int g) { return s2(g) * sex(g).AgeSmoking / AgeScale; });
    add(Diabetes, KindBeta, [&](int g) { return s2(g) * sex(g).Diabetes; });
    add(Diabetes, KindAgeSlope, [&](int g) { return s2(g) * sex(g).AgeDiabetes / AgeScale; });
    continuous(Hdl, &TSexModel::Hdl, &TSexModel::AgeHdl, HdlCentre, HdlScale);
    return rows;
}

inline std::vector<TBaselineRow> BaselineRows(const TRegion& region) {
    std::vector<TBaselineRow> rows;
    for (int group = 0; group < 2; ++group)
        for (int age = FirstAge; age <= LastAge; ++age)
            rows.push_back({group, age, BaselineSurvival(region, group, age)});
    return rows;
}

// ---------------------------------------------------------------- formulas

// The formulas of the Risks_P and Risks_D rows. A missing value (Measure
// gives -1) adds nothing; a measured factor without a goal keeps its
// examination value in the treatment estimate.
inline std::string ContinuousFormula(const std::string& name, const std::string& what) {
    const std::string n = "'" + name + "'";
    return "{ SCORE2: " + what + ", centred at Const, with its age interaction per year from 60 }\n"
           "Result := 0\n"
           "x := Measure(" + n + ")\n"
           "IF x <= 0 THEN x := Examination(" + n + ")\n"
           "IF x > 0 THEN Result := (Beta(" + n + ") + Coefficient(" + n + ", 4) * (Age() - 60)) * (x - Const(" + n + "))";
}

inline std::string SmokingFormula() {
    return "{ SCORE2: current smoking (2); never and former smokers add nothing }\n"
           "Result := 0\n"
           "IF Measure('Smoking') = 2 THEN Result := Beta('Smoking') + Coefficient('Smoking', 4) * (Age() - 60)";
}

inline std::string DiabetesFormula(bool diabetesModel) {
    if (diabetesModel)
        return "{ SCORE2: every patient of the diabetes model has diabetes }\n"
               "Result := Beta('Diabetes') + Coefficient('Diabetes', 4) * (Age() - 60)";
    return "{ SCORE2: diabetes, from the base value where the patient has one }\n"
           "Result := 0\n"
           "IF Measure('Diabetes') = 1 THEN Result := Beta('Diabetes') + Coefficient('Diabetes', 4) * (Age() - 60)";
}

inline std::string NoTermFormula(const std::string& why) { return "{ " + why + " }\nResult := 0"; }

struct TRiskRow {
    int RiskId;
    bool Active, Visible, Enabled;
    std::string Expression, Adjust; // empty: NULL
    bool NotUsedInCalc;
};

inline std::vector<TRiskRow> RiskRows(bool diabetesModel) {
    const std::string outside = "Not part of SCORE2: entered and shown, adds nothing";
    return {
        {BloodPressure, true, true, true, ContinuousFormula("Blood pressure", "systolic blood pressure"), "", false},
        {Cholesterol, true, true, true, ContinuousFormula("Cholesterol", "total cholesterol"), "", false},
        {Smoking, true, true, true, SmokingFormula(), "", false},
        {Weight, false, true, true, "", "", true},
        {Sex, true, true, true, NoTermFormula("The model group: men 0, women 1; no term of its own"), "", false},
        {FamilyHistory, true, true, true, NoTermFormula(outside), "", true},
        {Diabetes, true, true, true, DiabetesFormula(diabetesModel), "", false},
        {Height, false, true, true, "", "", true},
        {PreviousHeartDisease, true, true, true, NoTermFormula("SCORE2 is for people without cardiovascular disease; adds nothing"), "", true},
        {Hdl, true, true, true, ContinuousFormula("HDL", "HDL cholesterol"), "", false},
        {Bmi, true, true, true, NoTermFormula(outside), "Result := Min(Examination('BMI'), 25)", true},
    };
}

// ---------------------------------------------------------------- SQL text

// Shortest text that reads back as the same double, locale-free.
inline std::string Number(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

inline std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

inline std::string QuotedOrNull(const std::string& text) { return text.empty() ? "NULL" : Quoted(text); }

inline const char* BeginMarker = "-- >>> Generated by tools/score2 (score2-generate --write data/TavloCalc.sql): do not edit by hand.";
inline const char* EndMarker = "-- <<< End of the rows generated by tools/score2.";

} // namespace Score2
