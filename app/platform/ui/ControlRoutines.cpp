#include "platform/ui/ControlRoutines.h"

#include <cmath>

#include "platform/ui/PictureBox.h"

void FloodFillPicture(plat::PictureBox& picture, float x, float y, plat::Colour fillColour,
                      plat::Colour borderColour) {
    const plat::Canvas& canvas = picture.Surface();
    const double px = std::abs((x - canvas.ScaleLeft()) / canvas.ScaleWidth()) * canvas.PixelWidth();
    const double py =
        std::abs((y - canvas.ScaleTop()) / std::abs(canvas.ScaleHeight())) * canvas.PixelHeight();
    plat::DeviceContext& dc = picture.hDC();
    plat::HGDIOBJ brush = plat::CreateSolidBrush(fillColour);
    plat::HGDIOBJ previous = dc.SelectObject(brush);
    dc.ExtFloodFill(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)), borderColour,
                    plat::FLOODFILLBORDER);
    dc.SelectObject(previous);
    plat::DeleteObject(brush);
    picture.Refresh();
}
