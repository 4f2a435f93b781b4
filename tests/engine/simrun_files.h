#ifndef KELVD_SIMRUN_FILES_H
#define KELVD_SIMRUN_FILES_H

// A whole run in this process on the named files (the library's run thread does the same).

#include "engine_test_support.h"
#include "point_loop.h"
#include "simrun.h"

#include <string>
#include <vector>

namespace kelvd_test {

inline int simrunFiles(const std::string& in, const std::string& plot, const std::string& ground,
                       kelvd::RunControl control = {}) {
    kelvd::RunPaths paths;
    paths.in.assign(in.c_str());
    paths.plot.assign(plot.c_str());
    paths.ground.assign(ground.c_str());
    return kelvd::SIMRUN(paths, control);
}

// Runs the model in the current folder (temp.inp, temp.prn, the one-point temp.3D) and returns the plot
// file's y values; a failed run fails the calling test.
inline std::vector<double> plotValuesOfRun(const Model& m) {
    writeFile("temp.inp", paramFile(m));
    writeFile("temp.3D", kDefaultGround);
    EXPECT_EQ(simrunFiles("temp.inp", "temp.prn", "temp.3D"), 0);
    std::istringstream s(readFile("temp.prn"));
    std::vector<double> values;
    for (double x = 0, y = 0; s >> x >> y;)
        values.push_back(y);
    return values;
}

} // namespace kelvd_test

#endif
