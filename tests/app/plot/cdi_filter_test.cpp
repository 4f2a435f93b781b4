// The CDI filter acts as a first-order receiver of time constant tau flown at the aircraft's speed:
// its gain on a sinusoid of the track, independent of the spacing of the field points.

#include "plot/logic/CDIFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace plot;

namespace {

constexpr double kPi = 3.14159265358979;
constexpr float kSpeed = 200.0F;

// An echo file's points: a marker, then one line per antenna for each field point along Y.
std::string Fort10(double spacing, int points, int antennas = 3) {
    std::string text = "'*''site INPUT A'\nSEC           4\n...           0\n";
    char line[128];
    for (int i = 0; i < points; ++i)
        for (int a = 0; a < antennas; ++a) {
            std::snprintf(line, sizeof line, "%10.2f%10.2f%10.2f%20.11E%20.11E\n", 0.0, 30000 - i * spacing,
                          1000.0, 1.5e-5, -2.5e-5);
            text += line;
        }
    return text;
}

// A sinusoid of the track of the given wavelength and amplitude, filtered as sampled every spacing
// feet; returns (distance flown, filtered value).
std::vector<std::pair<double, float>> FilteredSine(double spacing, double wavelength, double amplitude,
                                                   double length) {
    const SampleRate rate = SampleRateFromText(Fort10(spacing, 20), kSpeed);
    EXPECT_EQ(rate.Message, "");
    std::vector<float> y;
    for (double s = 0; s <= length + 1e-9; s += spacing)
        y.push_back(static_cast<float>(amplitude * std::sin(2 * kPi * s / wavelength)));
    ApplyCDIFilter(y, rate.T, FilterTimeConstant(kSpeed));
    std::vector<std::pair<double, float>> out;
    for (std::size_t i = 0; i < y.size(); ++i)
        out.emplace_back(static_cast<double>(i) * spacing, y[i]);
    return out;
}

} // namespace

TEST(CDIFilter, SampleTimeIsTheSpacingFlownAtTheAircraftsSpeed) {
    // 100 ft at 200 kt (337.6 ft/s) is 0.296 s; the repeated lines of a point's antennas add nothing.
    EXPECT_NEAR(SampleRateFromText(Fort10(100, 11), kSpeed).T, 100 / (200 * 6076.0 / 3600), 1e-6);
    EXPECT_NEAR(SampleRateFromText(Fort10(25, 11, 1), 100).T, 25 / (100 * 6076.0 / 3600), 1e-6);
    EXPECT_NEAR(FilterTimeConstant(kSpeed) * kSpeed * 6076 / 3600, 142.4, 0.05);
}

TEST(CDIFilter, GainOnASinusoidIsTheFirstOrderReceiversWithinOnePercent) {
    const double wavelength = 1000, lag = 142.4;
    const auto out = FilteredSine(25, wavelength, 10, 20000);
    float peak = 0;
    for (const auto& [s, v] : out)
        if (s > 5000)
            peak = std::max(peak, std::fabs(v));
    const double gain = 1 / std::sqrt(1 + std::pow(2 * kPi * lag / wavelength, 2));
    EXPECT_NEAR(peak / 10, gain, 0.01 * gain);
}

TEST(CDIFilter, SameCurveWhateverTheSpacing) {
    const auto fine = FilteredSine(25, 1000, 10, 20000);
    for (const double spacing : {50.0, 100.0}) {
        const auto coarse = FilteredSine(spacing, 1000, 10, 20000);
        const auto ratio = static_cast<std::size_t>(spacing / 25);
        for (std::size_t i = 0; i < coarse.size(); ++i) {
            if (coarse[i].first < 3000)
                continue;
            ASSERT_EQ(fine[i * ratio].first, coarse[i].first);
            EXPECT_NEAR(coarse[i].second, fine[i * ratio].second, 0.03 * 10)
                << spacing << " ft at " << coarse[i].first;
        }
    }
}

TEST(CDIFilter, ConstantAndSingleSampleAreUnchanged) {
    std::vector<float> constant(200, -37.5F);
    ApplyCDIFilter(constant, 0.074F, FilterTimeConstant(kSpeed));
    for (float v : constant)
        EXPECT_NEAR(v, -37.5F, 1e-4);
    std::vector<float> one{12.0F};
    ApplyCDIFilter(one, 0.074F, FilterTimeConstant(kSpeed));
    EXPECT_EQ(one[0], 12.0F);
}

TEST(CDIFilter, EchoFileCases) {
    struct Case {
        const char* name;
        std::string text;
        float speed;
        const char* message;
        double T; // expected sample time when there is no message
    };
    const double fps = 200 * 6076.0 / 3600;
    const std::string point1 = "      0.00  30000.00   1000.00   1.0E-05   2.0E-05\n";
    const std::string point2 = "      0.00  29900.00   1000.00   1.0E-05   2.0E-05\n";
    const std::string point3 = "      0.00  29800.00   1000.00   1.0E-05   2.0E-05\n";
    const Case cases[] = {
        {"no marker", point1 + point2, 200, kSampleRateNoPoints, 0},
        {"marker last", point1 + point2 + "...\n", 200, kSampleRateNoPoints, 0},
        {"one point", "...\n" + point1 + point1, 200, kSampleRateZeroPoints, 0},
        {"speed zero", "...\n" + point1 + point2, 0, kSampleRateZeroSpeed, 0},
        {"two points", "...\n" + point1 + point2, 200, "", 100 / fps},
        {"CR LF", "...\r\n" + point1.substr(0, point1.size() - 1) + "\r\n" + point3, 200, "", 200 / fps},
        // The jump across a second marker is not counted; the sums run on.
        {"two blocks", "...\n" + point1 + point2 + "... 0\n" + point3 + "      0.00  29700.00   1000.00\n",
         200, "", 100 / fps},
        // Lines that do not begin with three numbers are no points.
        {"not points", "...\n" + point1 + "  ECHO  1  2  3\n  5.0  6.0\n  1.0 2.0 x3\n" + point2, 200, "",
         100 / fps},
    };
    for (const Case& c : cases) {
        const SampleRate r = SampleRateFromText(c.text, c.speed);
        EXPECT_EQ(r.Message, c.message) << c.name;
        EXPECT_NEAR(r.T, c.T, 1e-6) << c.name;
    }
}

TEST(CDIFilter, FilterCDIReadsTheFileAndReturnsItsMessage) {
    const std::filesystem::path dir = std::filesystem::path(TEST_OUTPUT_DIR) / "plot_cdi_filter";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "FORT10").string();
    std::filesystem::remove(path);
    std::vector<float> y{0, 10, 10, 10};
    EXPECT_EQ(FilterCDI(y, path, kSpeed), kSampleRateMissing);
    EXPECT_EQ(y, (std::vector<float>{0, 10, 10, 10}));

    std::ofstream(path, std::ios::binary) << "...\n" << Fort10(100, 3, 1);
    EXPECT_EQ(FilterCDI(y, path, kSpeed), "");
    EXPECT_EQ(y[0], 0.0F);
    EXPECT_GT(y[1], 0.0F);
    EXPECT_LT(y[3], 10.0F);
}
