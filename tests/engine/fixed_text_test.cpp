// The report's fixed-point numbers are printf's to the byte: compared with snprintf itself on random
// values of every magnitude, exact ties at the last digit and their neighbours, signed zeros, numbers
// wider than their field and values that are not finite.
#include "fixed_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

using kelvd::AppendFixed;

namespace {

std::string printed(double v, int width, int precision) {
    char text[512];
    std::snprintf(text, sizeof text, "%*.*f", width, precision, v);
    return text;
}

std::string appended(double v, int width, int precision) {
    std::string out = "<";
    AppendFixed(out, v, width, precision);
    return out.substr(1);
}

} // namespace

TEST(AppendFixed, IsPrintfsFixedForm) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1e-9,
                                  -1e-9,
                                  0.0005,
                                  -0.0005,
                                  0.0015,
                                  0.0625,
                                  1.0625,
                                  -2.5625,
                                  1234.5675,
                                  999999.9995,
                                  1e20,
                                  -1e20,
                                  1.7976931348623157e308,
                                  4.9e-324,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(),
                                  -std::numeric_limits<double>::quiet_NaN()};
    // Exact ties at the third decimal (multiples of 1/16 and 1/8000 that binary holds) and their neighbours.
    for (int k = -4000; k <= 4000; k += 7) {
        const double tie = k / 16.0 + 0.0625;
        values.insert(values.end(), {tie, std::nextafter(tie, 1e300), std::nextafter(tie, -1e300)});
    }
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < 20000; ++i)
        values.push_back((u(rng) < 0.5 ? -1 : 1) * std::pow(10.0, -12 + 30 * u(rng)) * u(rng));
    for (const double v : values)
        for (const auto& [width, precision] :
             {std::pair{10, 3}, std::pair{1, 3}, std::pair{12, 0}, std::pair{20, 17}})
            ASSERT_EQ(appended(v, width, precision), printed(v, width, precision))
                << v << " as %" << width << "." << precision << "f";
}
