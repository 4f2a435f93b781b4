#include "plot/ui/PlotTestFile.h"

#include "platform/text/Strings.h"

#include <random>

namespace {

// The program's one random sequence, in [0, 1).
float NextRandom() {
    static std::mt19937 engine{std::random_device{}()};
    static std::uniform_real_distribution<float> unit(0.0F, 1.0F);
    return unit(engine);
}

} // namespace

std::string TestFileText() {
    std::string text;
    const float step = 26304.0F / -3000.0F;
    float y = 5;
    for (float x = 24304; x >= -2000; x += step) {
        y += NextRandom() * 10 - 5;
        text += plat::Format(x, "####0.00") + "," + plat::Format(y, "####0.00") + "\r\n";
    }
    return text;
}
