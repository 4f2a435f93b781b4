#include "editors/panels/AntennaPanel.h"

#include <array>
#include <memory>
#include <string>

#include "editors/logic/FeedRules.h"
#include "editors/panels/PanelBoxes.h"
#include "platform/ui/ControlRoutines.h"
#include "platform/ui/Keys.h"
#include "shell/model/ModelVariables.h"

namespace {

constexpr plat::NumericSteps kConvertAndGuard{true, true};
constexpr plat::NumericSteps kGuardOnly{false, true};

ColumnTexts& Column(AntennaPanelTexts& t, AntBox box) {
    switch (box) {
    case AntBox::Y:
        return t.AntY;
    case AntBox::Z:
        return t.AntZ;
    case AntBox::CSBMag:
        return t.AntCSBMag;
    case AntBox::CSBPhase:
        return t.AntCSBPhase;
    case AntBox::SBOMag:
        return t.AntSBOMag;
    case AntBox::SBOPhase:
        return t.AntSBOPhase;
    case AntBox::CLRMag:
        return t.AntCLRMag;
    case AntBox::CLRPhase:
        return t.AntCLRPhase;
    default:
        break;
    }
    return t.AntX;
}

struct FeedBox {
    AntBox box;
    FeedKind feed;
    bool magnitude;
};

constexpr FeedBox kFeedBoxes[] = {
    {AntBox::CSBMag, FeedKind::CSB, true},    {AntBox::SBOMag, FeedKind::SBO, true},
    {AntBox::CLRMag, FeedKind::CLR, true},    {AntBox::CSBPhase, FeedKind::CSB, false},
    {AntBox::SBOPhase, FeedKind::SBO, false}, {AntBox::CLRPhase, FeedKind::CLR, false},
};

// What each feed box held when it got the focus: leaving it unchanged is not a hand edit.
struct FocusTexts {
    std::array<ColumnTexts, std::size(kFeedBoxes)> atFocus;
};

// Setback and height boxes copy into the hidden columns when left.
void AttachMirroredBox(class frmMain& w, AntBox box, int col) {
    plat::TextBox& b = ColumnBoxes(w, box)(col);
    MakeNumeric(b, kConvertAndGuard, kConvertAndGuard);
    b.LostFocus = [&w, box] {
        AntennaPanelTexts t = w.AntennaTexts();
        MirrorHiddenColumns(Column(t, box), Model().NumAnts);
        ShowAntennaTextsChanged(w, t);
    };
}

void AttachFeedBox(class frmMain& w, const std::shared_ptr<FocusTexts>& focus, std::size_t which, int col) {
    const FeedBox& f = kFeedBoxes[which];
    plat::TextBox& b = ColumnBoxes(w, f.box)(col);
    MakeNumeric(b, kGuardOnly, kConvertAndGuard);
    const auto i = static_cast<std::size_t>(col);
    b.GotFocus = [&b, focus, which, i] { focus->atFocus[which][i] = b.Text(); };
    b.LostFocus = [&w, focus, which, col, i] {
        const FeedBox& fb = kFeedBoxes[which];
        AntennaPanelTexts t = w.AntennaTexts();
        MirrorHiddenColumns(Column(t, fb.box), Model().NumAnts);
        if (fb.magnitude)
            MagnitudeLeft(t, w.BaseFeedValues, col, fb.feed, focus->atFocus[which][i]);
        else
            PhaseLeft(t, w.BaseFeedValues, col, fb.feed, focus->atFocus[which][i]);
        ShowAntennaTextsChanged(w, t);
    };
}

void AttachAdjustBoxes(class frmMain& w, int col) {
    MakeNumeric(w.txtAntAtten(col), kGuardOnly, kConvertAndGuard);
    w.txtAntAtten(col).LostFocus = [&w, col] {
        AntennaPanelTexts t = w.AntennaTexts();
        ApplyAttenuation(t, w.BaseFeedValues, Model().Ant(col + 1), col);
        ShowAntennaTextsChanged(w, t);
    };
    MakeNumeric(w.txtAntPhaseAdj(col), kGuardOnly, kConvertAndGuard);
    w.txtAntPhaseAdj(col).LostFocus = [&w, col] {
        AntennaPanelTexts t = w.AntennaTexts();
        ApplyPhaseAdjust(t, w.BaseFeedValues, Model().Ant(col + 1), col);
        ShowAntennaTextsChanged(w, t);
    };
}

// The transmitter boxes act on the key-down of Enter, before the Enter key's own guard and TAB.
// They are guarded on leaving too, so that the collector never reads a text that is not a number.
void AttachTransmitterBox(class frmMain& w, plat::TextBox& box, TransmitterBox kind) {
    MakeNumeric(box, kGuardOnly, kGuardOnly);
    box.KeyDown = [&w, &box, kind](int& keyCode, int /*shift*/) {
        if (keyCode != plat::key::Return)
            return;
        EnsureNumericText(box);
        AntennaPanelTexts t = w.AntennaTexts();
        ApplyTransmitterModification(kind, t, w.BaseFeedValues, Model());
        ShowAntennaTextsChanged(w, t);
    };
}

} // namespace

void AttachAntennaPanel(class frmMain& w) {
    MakeNumeric(*w.txtArrayARatio, kConvertAndGuard, kConvertAndGuard);
    for (plat::TextBox* box : {w.txtArrayFreq.get(), w.txtArrayModDepth.get(), w.txtArrayCLRModDepth.get()})
        MakeNumeric(*box, kGuardOnly, kConvertAndGuard);

    auto focus = std::make_shared<FocusTexts>();
    for (int col = 0; col < 3; ++col) {
        MakeNumeric(w.txtAntX(col), kConvertAndGuard, kConvertAndGuard);
        AttachMirroredBox(w, AntBox::Y, col);
        AttachMirroredBox(w, AntBox::Z, col);
        // The rotation has no rule of its own; it is only kept numeric for the collector.
        plat::TextBox& rot = w.txtAntRot(col);
        rot.LostFocus = [&rot] { EnsureNumericText(rot); };
        for (std::size_t f = 0; f < std::size(kFeedBoxes); ++f)
            AttachFeedBox(w, focus, f, col);
        AttachAdjustBoxes(w, col);
    }

    AttachTransmitterBox(w, *w.txtCLRPowerAdjust, TransmitterBox::CLRPowerAdjust);
    AttachTransmitterBox(w, *w.txtSBOPowerAdj, TransmitterBox::SBOPowerAdj);
    AttachTransmitterBox(w, *w.txtCSBSBOPhase, TransmitterBox::CSBSBOPhase);

    for (int i = 0; i < 3; ++i)
        w.optNumAnts(i).Click = [&w, i] { ShowAntennaLayout(w, SelectNumberOfAntennas(i, Model())); };
}
