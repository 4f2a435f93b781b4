#include "viewer/ui/StorePresetIcon.h"

#include "platform/draw/DeviceContext.h"
#include "platform/draw/ImageView.h"
#include "platform/draw/PixelBuffer.h"

QImage StorePresetIcon() {
    plat::PixelBuffer icon(kStorePresetIconSize, kStorePresetIconSize, plat::PixelFormat::Bgra32);
    plat::DeviceContext dc(icon);
    dc.SelectObject(plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(0x20, 0x20, 0x20)));
    // The disk's body, its label and its shutter.
    dc.SelectObject(plat::CreateSolidBrush(plat::RGB(0x20, 0x50, 0xC0)));
    dc.Rectangle(2, 2, 18, 18);
    dc.SelectObject(plat::CreateSolidBrush(plat::RGB(0xFF, 0xFF, 0xFF)));
    dc.Rectangle(5, 2, 15, 9);
    dc.SelectObject(plat::CreateSolidBrush(plat::RGB(0xC0, 0xC0, 0xC0)));
    dc.Rectangle(5, 11, 15, 18);
    return plat::ToQImage(icon);
}
