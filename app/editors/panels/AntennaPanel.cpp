#include "editors/panels/AntennaPanel.h"

#include <array>
#include <memory>
#include <string>

#include "common/controls/TextBoxRoutines.h"
#include "editors/logic/FeedRules.h"
#include "editors/panels/PanelBoxes.h"
#include "editors/panels/PanelControls.h"
#include "platform/ui/Keys.h"
#include "shell/model/ModelVariables.h"

using namespace common;
using namespace editors;
using namespace shell;

namespace {

constexpr plat::NumericSteps kConvertAndGuard{true, true};
constexpr plat::NumericSteps kGuardOnly{false, true};

// The six feed boxes of a column: the three feeds' magnitudes, then their phases.
constexpr std::size_t kFeedBoxCount = 2 * kFeedBoxes.size();

struct FeedBox {
    FeedKind feed;
    bool magnitude;
    AntBox box;
};

constexpr FeedBox FeedBoxAt(std::size_t which) {
    const FeedBoxes& f = kFeedBoxes[which % kFeedBoxes.size()];
    const bool magnitude = which < kFeedBoxes.size();
    return {f.feed, magnitude, magnitude ? f.magnitude : f.phase};
}

// What each feed box held when it got the focus: leaving it unchanged is not a hand edit.
struct FocusTexts {
    std::array<ColumnTexts, kFeedBoxCount> atFocus;
};

// Setback and height boxes copy into the hidden columns when left.
void AttachMirroredBox(const AntennaPanelControls& c, AntBox box, int col) {
    plat::TextBox& b = c.Column(box)(col);
    MakeNumeric(b, kConvertAndGuard, kConvertAndGuard);
    b.LostFocus = [&c, box] {
        AntennaPanelTexts t = AntennaTexts(c);
        MirrorHiddenColumns(Column(t, box), Model().NumAnts);
        ShowAntennaTexts(c, t, ShowMode::Changed);
    };
}

void AttachFeedBox(const AntennaPanelControls& c, const std::shared_ptr<FocusTexts>& focus, std::size_t which,
                   int col) {
    plat::TextBox& b = c.Column(FeedBoxAt(which).box)(col);
    MakeNumeric(b, kGuardOnly, kConvertAndGuard);
    const auto i = static_cast<std::size_t>(col);
    b.GotFocus = [&b, focus, which, i] { focus->atFocus[which][i] = b.Text(); };
    b.LostFocus = [&c, focus, which, col, i] {
        const FeedBox fb = FeedBoxAt(which);
        AntennaPanelTexts t = AntennaTexts(c);
        MirrorHiddenColumns(Column(t, fb.box), Model().NumAnts);
        if (fb.magnitude)
            MagnitudeLeft(t, c.BaseFeedValues, col, fb.feed, focus->atFocus[which][i]);
        else
            PhaseLeft(t, c.BaseFeedValues, col, fb.feed, focus->atFocus[which][i]);
        ShowAntennaTexts(c, t, ShowMode::Changed);
    };
}

void AttachAdjustBoxes(const AntennaPanelControls& c, int col) {
    plat::TextBox& atten = c.Column(AntBox::Atten)(col);
    MakeNumeric(atten, kGuardOnly, kConvertAndGuard);
    atten.LostFocus = [&c, col] {
        AntennaPanelTexts t = AntennaTexts(c);
        ApplyAttenuation(t, c.BaseFeedValues, Model().Ant(col + 1), col);
        ShowAntennaTexts(c, t, ShowMode::Changed);
    };
    plat::TextBox& phaseAdj = c.Column(AntBox::PhaseAdj)(col);
    MakeNumeric(phaseAdj, kGuardOnly, kConvertAndGuard);
    phaseAdj.LostFocus = [&c, col] {
        AntennaPanelTexts t = AntennaTexts(c);
        ApplyPhaseAdjust(t, c.BaseFeedValues, Model().Ant(col + 1), col);
        ShowAntennaTexts(c, t, ShowMode::Changed);
    };
}

// The transmitter boxes act on the key-down of Enter, before the Enter key's own guard and TAB.
// They are guarded on leaving too, so that the collector never reads a text that is not a number.
void AttachTransmitterBox(const AntennaPanelControls& c, plat::TextBox& box, TransmitterBox kind) {
    MakeNumeric(box, kGuardOnly, kGuardOnly);
    box.KeyDown = [&c, &box, kind](int& keyCode, int /*shift*/) {
        if (keyCode != plat::key::Return)
            return;
        EnsureNumericText(box);
        AntennaPanelTexts t = AntennaTexts(c);
        ApplyTransmitterModification(kind, t, c.BaseFeedValues, Model());
        ShowAntennaTexts(c, t, ShowMode::Changed);
    };
}

} // namespace

void AttachAntennaPanel(const AntennaPanelControls& c) {
    CheckAntennaColumns(c);
    MakeNumeric(c.txtArrayARatio, kConvertAndGuard, kConvertAndGuard);
    for (plat::TextBox* box : {&c.txtArrayFreq, &c.txtArrayModDepth, &c.txtArrayCLRModDepth})
        MakeNumeric(*box, kGuardOnly, kConvertAndGuard);

    auto focus = std::make_shared<FocusTexts>();
    for (int col = 0; col < 3; ++col) {
        MakeNumeric(c.Column(AntBox::X)(col), kConvertAndGuard, kConvertAndGuard);
        AttachMirroredBox(c, AntBox::Y, col);
        AttachMirroredBox(c, AntBox::Z, col);
        // The rotation has no rule of its own; it is only kept numeric for the collector.
        plat::TextBox& rot = c.Column(AntBox::Rot)(col);
        rot.LostFocus = [&rot] { EnsureNumericText(rot); };
        for (std::size_t f = 0; f < kFeedBoxCount; ++f)
            AttachFeedBox(c, focus, f, col);
        AttachAdjustBoxes(c, col);
    }

    AttachTransmitterBox(c, c.txtCLRPowerAdjust, TransmitterBox::CLRPowerAdjust);
    AttachTransmitterBox(c, c.txtSBOPowerAdj, TransmitterBox::SBOPowerAdj);
    AttachTransmitterBox(c, c.txtCSBSBOPhase, TransmitterBox::CSBSBOPhase);

    for (int i = 0; i < 3; ++i)
        c.optNumAnts(i).Click = [&c, i] { ShowAntennaLayout(c, SelectNumberOfAntennas(i, Model())); };
}
