// A fine GTD elevation scan over a 10-ft step, up and down: the field points cross the shadow and
// reflection boundaries of the step's edges, where the coefficients' terms change form, and the CDI
// must stay a smooth curve through them.
#include "cegs_array.h"
#include "engine_test_support.h"
#include "simrun_files.h"

#include <cmath>

using namespace kelvd_test;

namespace {

class GtdStepScan : public WorkDir {};

TEST_F(GtdStepScan, CdiBendsSmoothlyThroughTheBoundaries) {
    for (double rise : {-10.0, 10.0}) {
        SCOPED_TRACE(rise < 0 ? "step down" : "step up");
        Model m;
        m.fieldModel = 1;
        m.thX = 0, m.thY = 0, m.thZ = 0;
        m.antennas = cegsArray();
        m.ground = {{0, 0}, {500, 0}, {500.5, rise}, {20000, rise}};
        // Radius 1000 ft, elevation 2 to 4 degrees in steps of 0.01 degree, on the centre line.
        m.flightType = 1, m.points = 201;
        m.p1x = 1000, m.p1y = 2, m.p1z = 0, m.p2x = 1000, m.p2y = 4, m.p2z = 0;
        m.xVar = 2, m.yVar = 1;
        const std::vector<double> cdi = plotValuesOfRun(m);
        ASSERT_EQ(cdi.size(), 201u);
        for (size_t i = 1; i + 1 < cdi.size(); ++i)
            EXPECT_LT(std::fabs(cdi[i + 1] - 2 * cdi[i] + cdi[i - 1]), 0.3) << "point " << i;
    }
}

} // namespace
