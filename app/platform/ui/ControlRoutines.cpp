#include "platform/ui/ControlRoutines.h"

#include <cmath>

#include "common/modFunctions.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TextBox.h"

void ConvertTextBoxUnits(plat::Control& control, std::uint8_t unit) {
    if (control.TypeName() != "TextBox") {
        return;
    }
    auto& box = static_cast<plat::TextBox&>(control);
    box.SetText(ConvertedBoxText(box.Text(), unit));
}

void EnsureNumericText(plat::Control& control) {
    if (control.TypeName() != "TextBox") {
        return;
    }
    auto& box = static_cast<plat::TextBox&>(control);
    const std::string text = box.Text();
    const std::string guarded = GuardedNumericText(text);
    if (guarded != text) {
        box.SetText(guarded);
    }
}

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
