#pragma once

// The array presets of the antenna panel ("Null Ref.", "SB Ref.", "CEGS", "none"), the default
// values of the panel and the path boxes, and the height buttons' 1 : 2 : 3 ratio.

#include "editors/logic/FeedRules.h"
#include "editors/logic/PanelTexts.h"
#include "shell/model/ModelVariables.h"

#include <cstdint>
#include <optional>

namespace editors {

// The lowest carrier frequency the presets compute with, MHz.
inline constexpr float kPresetMinFrequency = 329.0F;

// The path angle the presets use: a trimmed text of exactly "0" means 3 degrees.
double PresetPathAngle(const std::string& pathAngleText);

// The reference height 492 / (f sin theta), feet, for f MHz and theta degrees.
double ReferenceHeight(double f, double thetaDeg);

// The three standard arrays. Each sets NumAnts, floors ArrayFreq at 329 MHz, and, unless its guard
// stops it (a zero path angle), writes positions and, when includeCurPhase is set, feeds and element
// values into the records and the boxes. They return whether they got past the guard.
bool PresetNullReference(AntennaPanelTexts& texts, const TheodoliteTexts& path, bool includeCurPhase,
                         shell::ModelVariables& model);
bool PresetSidebandReference(AntennaPanelTexts& texts, const TheodoliteTexts& path, bool includeCurPhase,
                             shell::ModelVariables& model);
bool PresetCaptureEffect(AntennaPanelTexts& texts, const TheodoliteTexts& path, bool includeCurPhase,
                         shell::ModelVariables& model);

// The default values of the panel and of the path and theodolite boxes ("none", start-up, New).
void PresetDefaults(AntennaPanelTexts& texts, TheodoliteTexts& path, shell::ModelVariables& model);

// A choice in the preset list (index 0 "Null Ref.", 1 "SB Ref.", 2 "CEGS", 3 "none"): ArrayFreq from
// the frequency box, the preset, then every column's adjustments reset and the feeds shown taken as
// the base feeds. Returns the number of antennas the preset set, for the window to lay out its
// panel and select the matching option button; none for "none" and other indices.
std::optional<std::uint8_t> ApplyPreset(int listIndex, AntennaPanelTexts& texts, TheodoliteTexts& path,
                                        bool includeCurPhase, shell::ModelVariables& model, BaseFeeds& base);

// Click of height button index (1 ">", 2 "<>", 3 "<"): the other two heights from the given one in
// the ratio 1 : 2 : 3, formatted "###.000". An empty or non-numeric height, or another index,
// changes nothing.
void HeightRatio(int index, ColumnTexts& antZ);

} // namespace editors
