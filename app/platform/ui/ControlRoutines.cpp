#include "platform/ui/ControlRoutines.h"

#include <cmath>

#include "platform/ui/PictureBox.h"

void FloodFillPicture(plat::PictureBox& picture, float x, float y, plat::Colour fillColour,
                      plat::Colour borderColour) {
    plat::Canvas& canvas = picture.Surface();
    const double px = std::abs((x - canvas.ScaleLeft()) / canvas.ScaleWidth()) * canvas.PixelWidth();
    const double py =
        std::abs((y - canvas.ScaleTop()) / std::abs(canvas.ScaleHeight())) * canvas.PixelHeight();
    canvas.FloodFillPixels(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)), fillColour,
                           borderColour);
    picture.Refresh();
}
