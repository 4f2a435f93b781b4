#pragma once

// The prompt pictures beside the digitiser's prompt, drawn in memory so that nothing has to be
// installed beside the program.

#include <QImage>

#include "ground/digitise/logic/DigSession.h"

namespace digitise {

inline constexpr int kPromptPictureSize = 32; // pixels each way

// A chart outline with the corner to click marked, or for ReadyToDig a tick.
QImage PromptPicture(Prompt prompt);

} // namespace digitise
