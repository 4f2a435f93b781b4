#ifndef KELVD_ERROR_CODES_H
#define KELVD_ERROR_CODES_H

namespace kelvd::errors {
// The codes a run ends with (Kelv_getLastError).
constexpr int kNone = 0;
constexpr int kStopped = 1;
// 2..6: run file 1..5 cannot be opened (parameter, plot, 3D ground, "FORT7", "FORT10"); a missing,
// over-long (more than 255 bytes) or null path counts as a file that cannot be opened.
constexpr int kFileBase = 1;
// A card header or card line does not give its fields, a capacity is exceeded (vertices, antennas,
// ground cuts), a value is not finite, the run would compute nothing (no antennas, no points, an unknown
// field model, a frequency of 0 or less), or the flight geometry has no defined field point (none at
// all, or one at an antenna or on the ground profile).
constexpr int kCard = 7;
constexpr int kTooManyPoints = 8;
constexpr int kNotCoplanar = 9;
// The 3D ground file is malformed (bad counts, too few or non-numeric values).
constexpr int kBadGroundFile = 10;
// The run could not be carried out: its thread could not be started, or it ran out of memory.
constexpr int kThreadStart = 11;
} // namespace kelvd::errors

#endif
