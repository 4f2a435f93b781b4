#pragma once
// The picture of the viewer's store-preset image: a small disk, drawn by the program.

#include <QImage>

inline constexpr int kStorePresetIconSize = 20;

QImage StorePresetIcon();
