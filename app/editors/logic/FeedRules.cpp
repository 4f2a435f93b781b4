#include "editors/logic/FeedRules.h"

#include "common/BoxValue.h"
#include "common/modFunctions.h"
#include "platform/text/Strings.h"

#include <cmath>
#include <limits>

using namespace common;
using namespace shell;

namespace editors {

namespace {

ColumnTexts& MagBoxes(AntennaPanelTexts& t, FeedKind f) { return Column(t, Feed(f).magnitude); }

ColumnTexts& PhaseBoxes(AntennaPanelTexts& t, FeedKind f) { return Column(t, Feed(f).phase); }

// Each feed's base magnitudes and phases, indexed by FeedKind.
struct BaseFeedFields {
    std::array<double, 3> BaseFeeds::*magnitude;
    std::array<float, 3> BaseFeeds::*phase;
};
constexpr std::array<BaseFeedFields, 3> kBaseFeedFields{{
    {&BaseFeeds::BaseCSBMag, &BaseFeeds::BaseCSBPhase},
    {&BaseFeeds::BaseSBOMag, &BaseFeeds::BaseSBOPhase},
    {&BaseFeeds::BaseCLRMag, &BaseFeeds::BaseCLRPhase},
}};

std::array<double, 3>& BaseMag(BaseFeeds& b, FeedKind f) {
    return b.*kBaseFeedFields[static_cast<std::size_t>(f)].magnitude;
}

std::array<float, 3>& BasePhase(BaseFeeds& b, FeedKind f) {
    return b.*kBaseFeedFields[static_cast<std::size_t>(f)].phase;
}

// The other two feeds of a column, in the order the panel refreshes them after an entry in a feed,
// indexed by that feed's FeedKind.
constexpr std::array<std::array<FeedKind, 2>, 3> kOtherFeeds{{
    {FeedKind::CLR, FeedKind::SBO},
    {FeedKind::CLR, FeedKind::CSB},
    {FeedKind::SBO, FeedKind::CSB},
}};

const std::array<FeedKind, 2>& OtherFeeds(FeedKind f) { return kOtherFeeds[static_cast<std::size_t>(f)]; }

constexpr std::array<FeedKind, 3> kAllFeeds{FeedKind::CSB, FeedKind::SBO, FeedKind::CLR};

// DbToAmplitude, held within the single range: a product beyond it is clamped, not converted.
float Amplitude(double value, double dB) {
    const float db = ToSingle(dB);
    const double product = value * std::pow(10.0, -(double{db} / 2.0) / 20.0);
    if (std::fabs(product) > std::numeric_limits<float>::max())
        return ToSingle(product);
    return DbToAmplitude(value, db);
}

} // namespace

std::string FeedPatternText(double value) {
    return plat::Format(ToSingle(value), "####0.0##");
}

std::string FeedGeneralText(float value) {
    std::string text = plat::GeneralText(value);
    if (text.rfind("0.", 0) == 0)
        text.erase(0, 1);
    else if (text.rfind("-0.", 0) == 0)
        text.erase(1, 1);
    return text;
}

void MirrorHiddenColumns(ColumnTexts& boxes, std::uint8_t numAnts) {
    if (numAnts == 2) {
        boxes[1] = boxes[2];
    } else if (numAnts == 1) {
        boxes[1] = boxes[0];
        boxes[2] = boxes[0];
    }
}

float AdjustedMagnitude(double base, double dB) {
    if (dB == 0)
        return ToSingle(base);
    const float m = Amplitude(base, dB);
    return m < 0 ? 0.0F : m;
}

float AdjustedPhase(float base, double adj) {
    if (adj == 0)
        return base;
    float p = ToSingle(adj + base);
    if (p > 359)
        p = ToSingle(p - 360.0);
    else if (p < 0)
        p = ToSingle(p + 360.0);
    return p;
}

void ApplyAttenuation(AntennaPanelTexts& texts, const BaseFeeds& base, AntennaRec& rec, int col) {
    const auto i = static_cast<std::size_t>(col);
    const double d = common::BoxValue(texts.AntAtten[i]);
    rec.CLRMag = AdjustedMagnitude(base.BaseCLRMag[i], d);
    rec.CSBMag = AdjustedMagnitude(base.BaseCSBMag[i], d);
    rec.SBOMag = AdjustedMagnitude(base.BaseSBOMag[i], d);
    texts.AntCLRMag[i] = FeedPatternText(rec.CLRMag);
    texts.AntCSBMag[i] = FeedPatternText(rec.CSBMag);
    texts.AntSBOMag[i] = FeedPatternText(rec.SBOMag);
}

void ApplyPhaseAdjust(AntennaPanelTexts& texts, const BaseFeeds& base, AntennaRec& rec, int col) {
    const auto i = static_cast<std::size_t>(col);
    const double p = common::BoxValue(texts.AntPhaseAdj[i]);
    rec.CLRPhase = AdjustedPhase(base.BaseCLRPhase[i], p);
    rec.CSBPhase = AdjustedPhase(base.BaseCSBPhase[i], p);
    rec.SBOPhase = AdjustedPhase(base.BaseSBOPhase[i], p);
    texts.AntCLRPhase[i] = FeedPatternText(rec.CLRPhase);
    texts.AntCSBPhase[i] = FeedPatternText(rec.CSBPhase);
    texts.AntSBOPhase[i] = FeedPatternText(rec.SBOPhase);
}

void MagnitudeLeft(AntennaPanelTexts& texts, BaseFeeds& base, int col, FeedKind f,
                   std::string_view textAtFocus) {
    const auto i = static_cast<std::size_t>(col);
    const std::string& text = MagBoxes(texts, f)[i];
    if (text == textAtFocus)
        return;
    const float expected = Amplitude(BaseMag(base, f)[i], common::BoxValue(texts.AntAtten[i]));
    if (expected == ToSingle(common::BoxValue(text)))
        return;
    BaseMag(base, f)[i] = TextNumber(text);
    // The phases keep what they show; with their adjust reset to "0" that is their base now.
    if (common::BoxValue(texts.AntPhaseAdj[i]) != 0) {
        for (FeedKind g : kAllFeeds)
            BasePhase(base, g)[i] = ToSingle(common::BoxValue(PhaseBoxes(texts, g)[i]));
    }
    ResetFeedAdjust(texts, col);
    for (FeedKind g : OtherFeeds(f))
        MagBoxes(texts, g)[i] = FeedPatternText(BaseMag(base, g)[i]);
}

void PhaseLeft(AntennaPanelTexts& texts, BaseFeeds& base, int col, FeedKind f, std::string_view textAtFocus) {
    const auto i = static_cast<std::size_t>(col);
    const std::string& text = PhaseBoxes(texts, f)[i];
    if (text == textAtFocus)
        return;
    const float s = ToSingle(common::BoxValue(text));
    const bool baseWasSet = ToSingle(s + BasePhase(base, f)[i]) != s;
    BasePhase(base, f)[i] = s;
    if (!baseWasSet && common::BoxValue(texts.AntPhaseAdj[i]) == 0)
        return;
    // The magnitudes keep what they show; with their attenuation reset to "0" that is their base.
    if (common::BoxValue(texts.AntAtten[i]) != 0) {
        for (FeedKind g : kAllFeeds)
            BaseMag(base, g)[i] = TextNumber(MagBoxes(texts, g)[i]);
    }
    ResetFeedAdjust(texts, col);
    for (FeedKind g : OtherFeeds(f))
        PhaseBoxes(texts, g)[i] = FeedPatternText(BasePhase(base, g)[i]);
}

void ResetFeedAdjust(AntennaPanelTexts& texts, int col) {
    const auto i = static_cast<std::size_t>(col);
    texts.AntAtten[i] = "0";
    texts.AntPhaseAdj[i] = "0";
}

void StoreBaseFeeds(const AntennaPanelTexts& texts, BaseFeeds& base) {
    for (std::size_t i = 0; i < 3; ++i) {
        base.BaseCSBMag[i] = TextNumber(texts.AntCSBMag[i]);
        base.BaseCSBPhase[i] = ToSingle(common::BoxValue(texts.AntCSBPhase[i]));
        base.BaseSBOMag[i] = TextNumber(texts.AntSBOMag[i]);
        base.BaseSBOPhase[i] = ToSingle(common::BoxValue(texts.AntSBOPhase[i]));
        base.BaseCLRMag[i] = TextNumber(texts.AntCLRMag[i]);
        base.BaseCLRPhase[i] = ToSingle(common::BoxValue(texts.AntCLRPhase[i]));
    }
}

void RecoverBaseFeeds(BaseFeeds& base, int col, const AntennaRec& rec) {
    const auto i = static_cast<std::size_t>(col);
    // An attenuation so large that its factor vanishes leaves nothing to undo.
    const double gain = std::pow(10.0, -(double{rec.Atten} / 2.0) / 20.0);
    const double undo = rec.Atten == 0 || !(gain > 0) || std::isinf(gain) ? 1.0 : gain;
    base.BaseCSBMag[i] = rec.CSBMag / undo;
    base.BaseSBOMag[i] = rec.SBOMag / undo;
    base.BaseCLRMag[i] = rec.CLRMag / undo;
    base.BaseCSBPhase[i] = rec.PhaseAdj == 0 ? rec.CSBPhase : ToSingle(rec.CSBPhase - rec.PhaseAdj);
    base.BaseSBOPhase[i] = rec.PhaseAdj == 0 ? rec.SBOPhase : ToSingle(rec.SBOPhase - rec.PhaseAdj);
    base.BaseCLRPhase[i] = rec.PhaseAdj == 0 ? rec.CLRPhase : ToSingle(rec.CLRPhase - rec.PhaseAdj);
}

void ApplyTransmitterModification(TransmitterBox box, AntennaPanelTexts& texts, BaseFeeds& base,
                                  ModelVariables& model) {
    if (box == TransmitterBox::CSBSBOPhase) {
        const float s = ToSingle(common::BoxValue(texts.CSBSBOPhase));
        for (int k = 1; k <= 3; ++k) {
            const auto i = static_cast<std::size_t>(k - 1);
            float p = ToSingle(common::BoxValue(texts.AntSBOPhase[i]) + s);
            if (p >= 359)
                p = ToSingle(p - 360.0);
            model.Ant(k).SBOPhase = p;
            texts.AntSBOPhase[i] = FeedGeneralText(p);
            base.BaseSBOPhase[i] = ToSingle(p - common::BoxValue(texts.AntPhaseAdj[i]));
        }
        return;
    }
    const bool clr = box == TransmitterBox::CLRPowerAdjust;
    const float h = ToSingle(common::BoxValue(clr ? texts.CLRPowerAdjust : texts.SBOPowerAdj) / 2);
    const double gain = std::pow(10.0, -h / 20.0);
    ColumnTexts& shown = clr ? texts.AntCLRMag : texts.AntSBOMag;
    std::array<double, 3>& baseMag = clr ? base.BaseCLRMag : base.BaseSBOMag;
    for (int k = 1; k <= 3; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        float m = ToSingle(ToSingle(common::BoxValue(shown[i])) * gain);
        if (m < 0)
            m = 0;
        (clr ? model.Ant(k).CLRMag : model.Ant(k).SBOMag) = m;
        shown[i] = FeedGeneralText(m);
        baseMag[i] = baseMag[i] * gain < 0 ? 0.0 : baseMag[i] * gain;
    }
}

} // namespace editors
