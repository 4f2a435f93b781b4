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

/* Starts a run on the parameter file, plot file and 3D ground file given (each path at most 255
   bytes); returns 0 when the run was accepted, 1 when a run is already active (that run goes on).
   A run ends with one of these codes (Kelv_getLastError):
     0 none; 1 stopped by Kelv_stop;
     2..6 the parameter file, plot file, 3D ground file, "FORT7" or "FORT10" cannot be opened or
          written (also for a null or over-long path, a file that is not a regular file, and an
          output that is another of the run files under another name or link);
     7 a card does not give its fields, a capacity is exceeded (30 vertices, 5 antennas, 30 ground
       cuts), a value is not a finite number, the run would compute nothing (no antennas, no points,
       an unknown field model, a frequency of 0 or less), or the flight has a point with no defined
       field (at an antenna, on the ground profile); "FORT7" ends with a line saying why;
     8 more than 250 field points; 9 plate vertices not coplanar (GTD model);
     10 the 3D ground file is malformed; 11 the run could not be carried out (no thread, no memory). */
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
