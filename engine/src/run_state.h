#ifndef KELVD_RUN_STATE_H
#define KELVD_RUN_STATE_H

namespace kelvd {

// The run state shared by the exports and the run thread (one run at a time per loaded library).
int StartRun(const char* inPath, const char* plotPath, const char* groundPath);
void RequestStop();
int RunProgress();
int RunLastError();

} // namespace kelvd

#endif
