#ifndef PLATFORM_DRAW_FONTFACES_H
#define PLATFORM_DRAW_FONTFACES_H

#include <string>
#include <string_view>

namespace plat {

// An installed face standing for a face the windows name, and the least weight it is drawn with
// ("Arial Black" is Liberation Sans at its heaviest).
struct FontFace {
    std::string family;
    int minimumWeight = 0;
};

// The one place where the windows' face names meet the installed fonts:
//   "Arial", "MS Sans Serif", "Sans Serif", "System", ""  -> Liberation Sans
//   "Arial Black"                                          -> Liberation Sans, weight 900
//   "Small Fonts" (a small face for labels of 6 points)    -> DejaVu Sans, else Liberation Sans
//   "Times New Roman"                                      -> Liberation Serif
//   "Courier New"                                          -> Liberation Mono
// Names match whatever their case. Each row tries its faces in order and takes the first installed one. Any
// other name is used as it is when installed, else Liberation Sans; when no face of a row is installed, the
// system's default sans face.
FontFace SubstituteFace(std::string_view face);

} // namespace plat

#endif
