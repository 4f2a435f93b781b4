#ifndef KELVD_H
#define KELVD_H

/* The field engine's run interface: start one run on a worker thread, poll it, stop it. */

#if defined(KELVD_BUILDING)
#define KELVD_API __attribute__((visibility("default")))
#else
#define KELVD_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Starts a run on the parameter file, plot file and 3D ground file given; returns 0 when the
   run was started, 1 when a run is already active. */
KELVD_API int Kelv_start(const char* inPath, const char* plotPath, const char* groundPath);
/* Asks the active run to stop at its next field point. */
KELVD_API int Kelv_stop(void);
/* 100 before any run and after a successful one, 1..99 while running, 0 after a failure. */
KELVD_API int Kelv_getProgress(void);
/* The error code of the last run (0 none). */
KELVD_API int Kelv_getLastError(void);

#ifdef __cplusplus
}
#endif

#endif
