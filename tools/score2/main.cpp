// score2-generate: writes the SCORE2 rows of the application database seed.
//
//   score2-generate                  check the fit, print the block
//   score2-generate --write FILE     check the fit, replace the block in FILE
//   score2-generate --check FILE     check the fit, fail when FILE's block differs
//
// The fit is checked before anything is written: for every region, sex,
// age from 40 to 69 and a grid of values, the program's form with the rows
// as they will be stored (their text read back) must give the published
// SCORE2 risk within 1e-9.

#include "Score2Sql.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

namespace {

using namespace Score2;

double ReadBack(double value) {
    const std::string text = Number(value);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    return back;
}

// The published equations, in their own terms.
double PublishedRisk(const TRegion& region, int group, double age, double sbp, double tc, double hdl, bool smoker,
                     bool diabetes) {
    const TSexModel& m = Sexes[size_t(group)];
    const double cage = (age - 60) / 5, csbp = (sbp - 120) / 20, ctc = tc - 6, chdl = (hdl - 1.3) / 0.5;
    const double smoke = smoker ? 1 : 0, diab = diabetes ? 1 : 0;
    const double lp = m.Age * cage + m.Smoking * smoke + m.Sbp * csbp + m.Diabetes * diab + m.TotalChol * ctc +
                      m.Hdl * chdl + m.AgeSmoking * cage * smoke + m.AgeSbp * cage * csbp + m.AgeDiabetes * cage * diab +
                      m.AgeTotalChol * cage * ctc + m.AgeHdl * cage * chdl;
    const double p = 1 - std::pow(m.S0, std::exp(lp));
    return 1 - std::exp(-std::exp(region.Scale1[size_t(group)] + region.Scale2[size_t(group)] * std::log(-std::log(1 - p))));
}

// The program's form on the stored rows: the factor formulas' terms summed,
// the baseline looked up at the age and 10 years on.
struct TStoredModel {
    std::map<std::tuple<int, int, int>, double> Values; // risk, kind, group
    std::map<std::pair<int, int>, double> Baseline;     // group, age

    explicit TStoredModel(const TRegion& region) {
        for (const TValueRow& row : ValueRows(region))
            Values[{row.RiskId, row.Kind, row.Group}] = ReadBack(row.Value);
        for (const TBaselineRow& row : BaselineRows(region))
            Baseline[{row.Group, row.Age}] = ReadBack(row.Value);
    }
    double Coefficient(int riskId, int kind, int group) const {
        auto it = Values.find({riskId, kind, group});
        return it == Values.end() ? 0 : it->second;
    }
    double Term(int riskId, int group, int age, double x) const {
        return (Coefficient(riskId, KindBeta, group) + Coefficient(riskId, KindAgeSlope, group) * (age - 60)) *
               (x - Coefficient(riskId, KindConst, group));
    }
    double Risk(int group, int age, double sbp, double tc, double hdl, bool smoker, bool diabetes) const {
        double sum = Term(BloodPressure, group, age, sbp) + Term(Cholesterol, group, age, tc) +
                     Term(Hdl, group, age, hdl);
        if (smoker)
            sum += Term(Smoking, group, age, 1);
        if (diabetes)
            sum += Term(Diabetes, group, age, 1);
        const double ratio = Baseline.at({group, age + Period}) / Baseline.at({group, age});
        return 1 - std::pow(ratio, std::exp(sum));
    }
};

double VerifyFit() {
    double worst = 0;
    for (const TRegion& region : Regions) {
        const TStoredModel stored(region);
        for (int group = 0; group < 2; ++group)
            for (int age = 40; age <= 69; ++age)
                for (double sbp : {90.0, 120.0, 145.0, 180.0})
                    for (double tc : {3.0, 6.0, 8.5})
                        for (double hdl : {0.7, 1.3, 2.4})
                            for (bool smoker : {false, true})
                                for (bool diabetes : {false, true}) {
                                    const double a = stored.Risk(group, age, sbp, tc, hdl, smoker, diabetes);
                                    const double b = PublishedRisk(region, group, age, sbp, tc, hdl, smoker, diabetes);
                                    worst = std::max(worst, std::fabs(a - b));
                                }
    }
    return worst;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

// The block from the begin marker's line to the end of the end marker's
// line; false when the file does not hold exactly one.
bool FindBlock(const std::string& text, size_t& from, size_t& to) {
    from = text.find(BeginMarker);
    const size_t end = text.find(EndMarker);
    if (from == std::string::npos || end == std::string::npos || end < from ||
        text.find(BeginMarker, from + 1) != std::string::npos || text.find(EndMarker, end + 1) != std::string::npos)
        return false;
    to = text.find('\n', end);
    to = to == std::string::npos ? text.size() : to + 1;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!(argc == 1 || (argc == 3 && (mode == "--write" || mode == "--check")))) {
        std::fprintf(stderr, "usage: score2-generate [--write FILE | --check FILE]\n");
        return 2;
    }
    const double worst = VerifyFit();
    if (!(worst <= 1e-9)) {
        std::fprintf(stderr, "score2-generate: the fitted rows differ from the published risk by %g\n", worst);
        return 1;
    }
    const std::string block = GeneratedSql();
    if (argc == 1) {
        std::fwrite(block.data(), 1, block.size(), stdout);
        return 0;
    }
    const std::string path = argv[2];
    std::string text;
    size_t from = 0, to = 0;
    if (!ReadFile(path, text)) {
        std::fprintf(stderr, "score2-generate: cannot read %s\n", path.c_str());
        return 1;
    }
    if (!FindBlock(text, from, to)) {
        std::fprintf(stderr, "score2-generate: %s must hold the generated block once, between the lines\n%s\n%s\n",
                     path.c_str(), BeginMarker, EndMarker);
        return 1;
    }
    const bool same = text.compare(from, to - from, block) == 0;
    if (mode == "--check") {
        std::fprintf(stderr, "score2-generate: %s %s (largest difference from the published risk %g)\n", path.c_str(),
                     same ? "is up to date" : "differs from the generated rows", worst);
        return same ? 0 : 1;
    }
    if (!same) {
        text.replace(from, to - from, block);
        const std::string temporary = path + ".score2-new";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out << text;
            if (!out.flush()) {
                std::fprintf(stderr, "score2-generate: cannot write %s\n", temporary.c_str());
                return 1;
            }
        }
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            std::fprintf(stderr, "score2-generate: cannot replace %s\n", path.c_str());
            return 1;
        }
    }
    std::fprintf(stderr, "score2-generate: %s %s (largest difference from the published risk %g)\n", path.c_str(),
                 same ? "was up to date" : "written", worst);
    return 0;
}
