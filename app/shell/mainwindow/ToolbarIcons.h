#pragma once
// The toolbar's pictures, drawn by the program, and the small load picture beside the file labels.

#include <QImage>

#include "shell/mainwindow/logic/MenuTable.h"

inline constexpr int kToolbarIconSize = 24;

QImage ToolbarIcon(shell::ToolbarImage image);

// The picture of Image1: an opened folder.
QImage LoadPicture();
