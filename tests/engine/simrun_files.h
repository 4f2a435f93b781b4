#ifndef KELVD_SIMRUN_FILES_H
#define KELVD_SIMRUN_FILES_H

// A whole run in this process on the named files (the library's run thread does the same).

#include "point_loop.h"
#include "simrun.h"

#include <string>

namespace kelvd_test {

inline int simrunFiles(const std::string& in, const std::string& plot, const std::string& ground,
                       kelvd::RunControl control = {}) {
    kelvd::RunPaths paths;
    paths.in.assign(in.c_str());
    paths.plot.assign(plot.c_str());
    paths.ground.assign(ground.c_str());
    return kelvd::SIMRUN(paths, control);
}

} // namespace kelvd_test

#endif
