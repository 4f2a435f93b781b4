#pragma once
// A model set up for a plot, plot files written in a scratch folder, and the page geometry the
// tests compute pixels from.
#include "platform/text/Numbers.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/ScratchFolder.h"
#include "plot/ui/PlotLinks.h"
#include "shell/model/ModelVariables.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace plotfixture {

inline const std::vector<std::string> kYAxisItems = {"1 - Course Deviation Indication (CDI)",
                                                     "2 - Differential Course Deviation Indication (DCDI)",
                                                     "3 - Magnitude of field from antenna 1 (ET(1))",
                                                     "4 - Phase of field from antenna 1 (ETPHA(1))",
                                                     "5 - Magnitude of field from antenna 2 (ET(2))",
                                                     "6 - Phase of field from antenna 2 (ETPHA(2))",
                                                     "7 - Magnitude of field from antenna 3 (ET(3))",
                                                     "8 - Phase of field from antenna 3 (ETPHA(3))",
                                                     "9 - Composite magn. of CSB and SBO rad. fields",
                                                     "10 - Composite magn. of SBO radiated fields",
                                                     "11 - Absolute value of CDI"};

// The pixel of a page position in inches, as the page rounds it: to whole thousandths (halves to
// even), then onto 719 x 555 pixels (halves up).
inline int Px(double inches) {
    return static_cast<int>(std::floor(plat::RoundHalfEven(inches * 1000) * 719.0 / 11000.0 + 0.5));
}
inline int Py(double inches) {
    return static_cast<int>(std::floor(plat::RoundHalfEven(inches * 1000) * 555.0 / 8500.0 + 0.5));
}

struct Samples {
    std::vector<double> x;
    std::vector<double> y;
};

// The engine's layout: " %12.5E %12.5E" and CR LF.
inline std::string PlotFileText(const Samples& s) {
    std::string text;
    char line[64];
    for (std::size_t i = 0; i < s.x.size(); ++i) {
        std::snprintf(line, sizeof line, " %12.5E %12.5E\r\n", s.x[i], s.y[i]);
        text += line;
    }
    return text;
}

inline Samples Sampled(double from, double to, double step, const std::function<double(double)>& f) {
    Samples s;
    const int n = static_cast<int>(std::lround((to - from) / step));
    for (int i = 0; i <= n; ++i) {
        const double x = from + step * i;
        s.x.push_back(x);
        s.y.push_back(f(x));
    }
    return s;
}

// The CDI of a straight path of angle thetaP (degrees) through rdh feet over the threshold, seen
// from a theodolite on the ground at the threshold, with the path width given.
inline double StraightPathCDI(double d, double rdh, double thetaP, double width) {
    constexpr double kDeg = 3.14159265358979323846 / 180.0;
    return (std::atan((rdh + d * std::tan(thetaP * kDeg)) / d) / kDeg - thetaP) * 150.0 / width;
}

// An approach flown from 30380 ft down to 500 ft every 100 ft: RDH 50 ft, 3 degrees, width 0.7.
inline Samples Approach() {
    Samples s = Sampled(-30380, -500, 100, [](double) { return 0.0; });
    for (std::size_t i = 0; i < s.x.size(); ++i) {
        s.x[i] = -s.x[i];
        s.y[i] = StraightPathCDI(s.x[i], 50, 3.0, 0.7);
    }
    return s;
}

// A level run every 1/16 degree from 1 to 5.5: CDI through 0 at 3 degrees, +75 at 2.75, -75 at 3.25.
inline Samples LevelRun() {
    return Sampled(1.0, 5.5, 1.0 / 16, [](double a) { return -300 * (a - 3.0); });
}

// The model as start-up leaves it, then a CDI plot of the given run type.
inline void SetUpModel(std::uint8_t plotFlightType, const std::string& outFile) {
    shell::Model() = shell::ModelVariables{};
    shell::ModelVariables& m = shell::Model();
    m.PlotFlightType = plotFlightType;
    m.FlightType = plotFlightType;
    m.YAxisVar = 1;
    m.OutFile = outFile;
    m.PathAngle = 3.0F;
    m.PathWidth = 0.7F;
    m.PlotSettings.PlotXUnit = plotFlightType == 4 ? 2 : 0; // a level run is in degrees
    m.PlotSettings.PlotAxisMode = 10;
    m.PlotSettings.ShowAnalysis = 1;
    m.PlotSettings.UseOldZ3Calc = 1;
}

inline void Links(bool useSI = false) {
    SetPlotWindowLinks({[useSI] { return useSI; },
                        [](std::uint8_t v) {
                            return v >= 1 && v <= kYAxisItems.size() ? kYAxisItems[v - 1] : std::string();
                        }});
}

} // namespace plotfixture
