#pragma once
// SCORE2 (ESC 2021) as published: the 10-year risk of fatal and non-fatal
// cardiovascular disease for ages 40 to 69, recalibrated to a risk region.
// Written out on its own from the published equations, so that the model
// data and the calculation are checked against something they do not share.

#include <cmath>

namespace Score2Reference {

enum class Region { Low = 1, Moderate = 2, High = 3, VeryHigh = 4 }; // the CalcID of the shipped model
enum class Sex { Male = 0, Female = 1 };                           // the model group

struct Patient {
    Sex sex = Sex::Male;
    double age = 60;  // years
    double sbp = 120; // systolic blood pressure, mmHg
    double tc = 6;    // total cholesterol, mmol/L
    double hdl = 1.3; // HDL cholesterol, mmol/L
    bool smoker = false;
    bool diabetes = false;
};

// Risk as a fraction (0.05 is 5 %).
inline double TenYearRisk(const Patient& p, Region region) {
    const double cage = (p.age - 60) / 5;
    const double csbp = (p.sbp - 120) / 20;
    const double ctc = p.tc - 6;
    const double chdl = (p.hdl - 1.3) / 0.5;
    const double smoke = p.smoker ? 1 : 0;
    const double diab = p.diabetes ? 1 : 0;

    double lp = 0, s0 = 0;
    if (p.sex == Sex::Male) {
        lp = 0.3742 * cage + 0.6012 * smoke + 0.2777 * csbp + 0.6457 * diab + 0.1458 * ctc - 0.2698 * chdl
           - 0.0755 * cage * smoke - 0.0255 * cage * csbp - 0.0983 * cage * diab - 0.0281 * cage * ctc
           + 0.0426 * cage * chdl;
        s0 = 0.9605;
    } else {
        lp = 0.4648 * cage + 0.7744 * smoke + 0.3131 * csbp + 0.8096 * diab + 0.1002 * ctc - 0.2606 * chdl
           - 0.1088 * cage * smoke - 0.0277 * cage * csbp - 0.1272 * cage * diab - 0.0226 * cage * ctc
           + 0.0613 * cage * chdl;
        s0 = 0.9776;
    }
    const double uncalibrated = 1 - std::pow(s0, std::exp(lp));

    const bool male = p.sex == Sex::Male;
    double scale1 = 0, scale2 = 0;
    switch (region) {
    case Region::Low:      scale1 = male ? -0.5699 : -0.7380; scale2 = male ? 0.7476 : 0.7019; break;
    case Region::Moderate: scale1 = male ? -0.1565 : -0.3143; scale2 = male ? 0.8009 : 0.7701; break;
    case Region::High:     scale1 = male ? 0.3207 : 0.5710;   scale2 = male ? 0.9360 : 0.9369; break;
    case Region::VeryHigh: scale1 = male ? 0.5836 : 0.9412;   scale2 = male ? 0.8294 : 0.8329; break;
    }
    return 1 - std::exp(-std::exp(scale1 + scale2 * std::log(-std::log(1 - uncalibrated))));
}

} // namespace Score2Reference
