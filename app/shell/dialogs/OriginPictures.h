#pragma once
// The two pictures of the origin help window, drawn by the program: 1 the runway seen from above with
// the threshold (the origin of the window's values) and the point abeam the glide-slope antenna (the
// origin of the files); 2 the 3D ground file's lateral cuts around that point.

#include <QImage>

inline constexpr int kOriginPictureWidth = 520;
inline constexpr int kOriginPictureHeight = 300;

// Picture 1 or 2; any other index gives a null image.
QImage OriginPicture(int index);
