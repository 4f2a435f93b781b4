#ifndef KELVD_SIMRUN_H
#define KELVD_SIMRUN_H

#include "point_loop.h"
#include "run_files.h"

namespace kelvd {

// One whole run on the calling thread: opens the five files, reads the cards, writes the echo and the
// report header, walks the field points and closes every file. Returns the run's error code (0 when it
// finished). Only a finished run replaces the plot file; a run that fails once "FORT7" is open ends it
// with a line that says why (naming the limit that was passed, where one was).
int SIMRUN(const RunPaths& paths, RunControl& control);

} // namespace kelvd

#endif
