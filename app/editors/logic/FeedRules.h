#pragma once

// The antenna panel's feed rules: base feeds, attenuation and phase adjust per antenna, the rules
// for a feed typed by hand, the transmitter modifications and the mirroring of hidden columns.
//
// One invariant holds between the rules: for every column, the feed boxes show the column's base
// feeds with its attenuation and phase adjust applied (Adjusted* below). The boxes are therefore
// the effective feeds, and the rule is that every adjustment takes effect exactly once:
// - attenuation and phase adjust act when their box is left, on the base feeds, never on a feed
//   already adjusted; a transmitter modification acts once per Enter, on the boxes and the base
//   feeds alike;
// - the collector copies the boxes into the antenna records, and a run (named or unnamed model)
//   and a save write those records as they stand: the run's transmitter step (ApplyXMTRMods) must
//   not apply Atten, PhaseAdj, SBOPowerAdj, CLRPowerAdj or CSBSBOPhase to the feeds again;
// - the parameter file's antenna lines hold the effective feeds, card 6 the adjustments that
//   produced them; a load shows both, and the reader sets each loaded column's base feeds with
//   RecoverBaseFeeds once the record's Atten and PhaseAdj are known (after card 6), so that the
//   adjustment boxes act on the same base feeds as before the save.

#include "editors/logic/AntennaBoxes.h"
#include "editors/logic/PanelTexts.h"
#include "shell/model/ModelVariables.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace editors {

// Per antenna column, the feeds before the column's attenuation and phase adjust. A magnitude
// entry taken from a box's text is held as the double-precision number of that text (TextNumber);
// one recovered from a loaded record as a double too. An entry never set counts as 0 and shows as
// "0.0".
struct BaseFeeds {
    std::array<double, 3> BaseCSBMag{};
    std::array<float, 3> BaseCSBPhase{};
    std::array<double, 3> BaseSBOMag{};
    std::array<float, 3> BaseSBOPhase{};
    std::array<double, 3> BaseCLRMag{};
    std::array<float, 3> BaseCLRPhase{};
};

// Pattern display of a feed value: at most seven significant digits, pattern "####0.0##".
std::string FeedPatternText(double value);

// General display of a feed value: shortest single-precision text, no zero before the point
// (.7079458, -.5, 12).
std::string FeedGeneralText(float value);

// After the conversion and guard of an AntY, AntZ or feed box: hidden columns copy the texts of
// the columns in use (2 antennas: box 1 := box 2; 1 antenna: boxes 1 and 2 := box 0).
void MirrorHiddenColumns(ColumnTexts& boxes, std::uint8_t numAnts);

// A magnitude after an attenuation of dB decibels (value x 10^(-dB/40), floored at 0 when dB is
// not 0; the base itself when dB is 0).
float AdjustedMagnitude(double base, double dB);

// A phase after a phase adjust of adj degrees: base + adj wrapped once (above 359 less 360, below 0
// plus 360); the base itself when adj is 0.
float AdjustedPhase(float base, double adj);

// Attenuation box of column col left (text already converted and guarded): the record's three
// magnitudes from the base feeds, shown in the column's magnitude boxes.
void ApplyAttenuation(AntennaPanelTexts& texts, const BaseFeeds& base, shell::AntennaRec& rec, int col);

// Phase-adjust box of column col left: the record's three phases from the base phases, shown.
void ApplyPhaseAdjust(AntennaPanelTexts& texts, const BaseFeeds& base, shell::AntennaRec& rec, int col);

// Magnitude box of feed f in column col left, after conversion, guard and mirroring. textAtFocus
// is what the box held when it got the focus: only a changed text whose number differs from the
// adjusted base counts as a hand edit. A hand edit makes the text the feed's base, resets the
// column's attenuation and phase adjust, shows the other two magnitudes' bases, and takes the
// phases shown as the column's base phases (their adjust is now "0").
void MagnitudeLeft(AntennaPanelTexts& texts, BaseFeeds& base, int col, FeedKind f,
                   std::string_view textAtFocus);

// Phase box of feed f in column col left, after conversion, guard and mirroring. An unchanged text
// changes nothing. A changed text becomes the feed's base phase; when the base phase held before
// was not zero or the column's phase adjust is in force, the column's adjustments are reset, the
// other two phases show their bases and the magnitudes shown become the base magnitudes.
void PhaseLeft(AntennaPanelTexts& texts, BaseFeeds& base, int col, FeedKind f, std::string_view textAtFocus);

// The column's attenuation and phase-adjust boxes := "0"; feeds are not recomputed.
void ResetFeedAdjust(AntennaPanelTexts& texts, int col);

// The feeds shown in all three columns become the base feeds.
void StoreBaseFeeds(const AntennaPanelTexts& texts, BaseFeeds& base);

// The base feeds of column col after a load: the loaded feeds of rec with its attenuation and
// phase adjust undone.
void RecoverBaseFeeds(BaseFeeds& base, int col, const shell::AntennaRec& rec);

enum class TransmitterBox { CLRPowerAdjust, SBOPowerAdj, CSBSBOPhase };

// Enter in a transmitter box (text already guarded): the modification acts on all three antennas
// whatever the number of antennas, on the boxes shown, the records and the base feeds. A power
// adjustment of d dB multiplies the magnitudes shown by 10^(-(d/2)/20) (floored at 0); the CSB-SBO
// phase adds to the SBO phases shown (359 or more less 360).
void ApplyTransmitterModification(TransmitterBox box, AntennaPanelTexts& texts, BaseFeeds& base,
                                  shell::ModelVariables& model);

} // namespace editors
