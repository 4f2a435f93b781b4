#include "editors/logic/ArrayPresets.h"

#include "common/BoxValue.h"
#include "common/Constants.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

#include <cmath>

using namespace common;
using namespace shell;

namespace editors {

namespace {

struct FeedSet {
    float SBOMag, SBOPhase, CSBMag, CSBPhase, CLRMag, CLRPhase;
};

float Sgn(float v) {
    return v > 0 ? 1.0F : (v < 0 ? -1.0F : 0.0F);
}

void SetFeeds(AntennaPanelTexts& t, int col, AntennaRec& r, const FeedSet& f) {
    r.SBOMag = f.SBOMag;
    r.CSBMag = f.CSBMag;
    r.CLRMag = f.CLRMag;
    r.CSBPhase = f.CSBPhase;
    r.SBOPhase = f.SBOPhase;
    r.CLRPhase = f.CLRPhase;
    const auto i = static_cast<std::size_t>(col);
    t.AntSBOMag[i] = plat::GeneralText(r.SBOMag);
    t.AntCSBMag[i] = plat::GeneralText(r.CSBMag);
    t.AntCLRMag[i] = plat::GeneralText(r.CLRMag);
    t.AntCSBPhase[i] = plat::GeneralText(r.CSBPhase);
    t.AntSBOPhase[i] = plat::GeneralText(r.SBOPhase);
    t.AntCLRPhase[i] = plat::GeneralText(r.CLRPhase);
}

void ShowPosition(AntennaPanelTexts& t, int col, const AntennaRec& r) {
    const auto i = static_cast<std::size_t>(col);
    t.AntX[i] = plat::GeneralText(r.X);
    t.AntY[i] = plat::GeneralText(r.Y);
    t.AntZ[i] = plat::GeneralText(r.Z);
}

void ClearElements(AntennaRec& r) {
    r.Alpha = 0;
    r.Phi1 = 0;
    r.Phi2 = 0;
    r.Phi3 = 0;
}

// The common start of the standard arrays: number of antennas, path angle, floored frequency.
struct PresetStart {
    double Theta;
    double F;
};

PresetStart StartPreset(std::uint8_t numAnts, const TheodoliteTexts& path, ModelVariables& model) {
    model.NumAnts = numAnts;
    const double theta = PresetPathAngle(path.ThPathAngle);
    if (model.ArrayFreq < kPresetMinFrequency)
        model.ArrayFreq = kPresetMinFrequency;
    return {theta, model.ArrayFreq};
}

constexpr FeedSet kCSBOnly{0, 0, 1, 0, 0, 0};
constexpr FeedSet kSBOOnly{1, 0, 0, 0, 0, 0};

} // namespace

double PresetPathAngle(const std::string& pathAngleText) {
    const std::string trimmed = plat::Trim(pathAngleText);
    if (trimmed == "0")
        return 3.0;
    return TextNumber(trimmed);
}

double ReferenceHeight(double f, double thetaDeg) {
    return 492.0 / (f * std::sin(thetaDeg * kDegToRad));
}

bool PresetNullReference(AntennaPanelTexts& texts, const TheodoliteTexts& path, bool includeCurPhase,
                         ModelVariables& model) {
    const PresetStart start = StartPreset(2, path, model);
    if (start.F * std::sin(start.Theta * kDegToRad) == 0)
        return false;
    const double h = ReferenceHeight(start.F, start.Theta);

    AntennaRec& lower = model.Ant(1);
    lower.X = ToSingle(common::BoxValue(texts.AntX[0]));
    lower.Y = ToSingle(common::BoxValue(texts.AntY[0]));
    const float x0 = lower.X;
    const float y0 = lower.Y;
    if (includeCurPhase)
        SetFeeds(texts, 0, lower, kCSBOnly);
    lower.Z = ToSingle(h / 2);
    ShowPosition(texts, 0, lower);
    if (includeCurPhase)
        ClearElements(lower);

    AntennaRec& upper = model.Ant(3);
    if (includeCurPhase)
        SetFeeds(texts, 2, upper, kSBOOnly);
    if (x0 != 0)
        upper.X = ToSingle(x0 - Sgn(x0) * std::fabs((h * h - (h / 2) * (h / 2)) / (2.0 * x0)));
    upper.Z = ToSingle(h);
    upper.Y = y0;
    ShowPosition(texts, 2, upper);
    if (includeCurPhase)
        ClearElements(upper);
    return true;
}

bool PresetSidebandReference(AntennaPanelTexts& texts, const TheodoliteTexts& path, bool includeCurPhase,
                             ModelVariables& model) {
    const PresetStart start = StartPreset(2, path, model);
    if (start.Theta == 0)
        return false;
    const double zu = 1.47 / std::sin(1.33 * start.Theta * kDegToRad);
    const double zl = 1.47 / std::sin(4.0 * start.Theta * kDegToRad);

    AntennaRec& lower = model.Ant(1);
    lower.X = ToSingle(common::BoxValue(texts.AntX[0]));
    lower.Y = ToSingle(common::BoxValue(texts.AntY[0]));
    const float x0 = lower.X;
    const float y0 = lower.Y;
    if (includeCurPhase)
        SetFeeds(texts, 0, lower, {1, 180, 1, 0, 0, 0});
    lower.Z = ToSingle(zl);
    ShowPosition(texts, 0, lower);
    if (includeCurPhase)
        ClearElements(lower);

    AntennaRec& upper = model.Ant(3);
    if (includeCurPhase)
        SetFeeds(texts, 2, upper, kSBOOnly);
    if (x0 != 0 && y0 != 0)
        upper.X = ToSingle(x0 - Sgn(x0) * std::fabs((zu * zu - zl * zl) / (2.0 * x0)));
    upper.Z = ToSingle(zu);
    upper.Y = y0;
    ShowPosition(texts, 2, upper);
    if (includeCurPhase)
        ClearElements(upper);
    return true;
}

bool PresetCaptureEffect(AntennaPanelTexts& texts, const TheodoliteTexts& path, bool includeCurPhase,
                         ModelVariables& model) {
    const PresetStart start = StartPreset(3, path, model);
    if (start.F * std::sin(start.Theta * kDegToRad) == 0)
        return false;
    const double h = ReferenceHeight(start.F, start.Theta);

    AntennaRec& middle = model.Ant(2);
    if (includeCurPhase)
        SetFeeds(texts, 1, middle, {1, 0, 0.5F, 180, 0, 0});
    middle.X = ToSingle(common::BoxValue(texts.AntX[1]));
    middle.Y = ToSingle(common::BoxValue(texts.AntY[1]));
    middle.Z = ToSingle(h);
    ShowPosition(texts, 1, middle);
    const float x1 = middle.X;
    if (includeCurPhase)
        ClearElements(middle);

    AntennaRec& lower = model.Ant(1);
    if (includeCurPhase)
        SetFeeds(texts, 0, lower, {0.5F, 180, 1, 0, 0.484F, 0});
    lower.Y = ToSingle(TextNumber(texts.AntY[1]));
    lower.X = x1 != 0 ? ToSingle(x1 + (h * h - (h / 2) * (h / 2)) / (2.0 * x1)) : 0.0F;
    lower.Z = ToSingle(h / 2);
    ShowPosition(texts, 0, lower);
    if (includeCurPhase)
        ClearElements(lower);

    AntennaRec& upper = model.Ant(3);
    if (includeCurPhase)
        SetFeeds(texts, 2, upper, {0.5F, 180, 0, 0, 0.484F, 0});
    upper.X = ToSingle(TextNumber(texts.AntX[1]));
    upper.Y = ToSingle(TextNumber(texts.AntY[1]));
    if (x1 != 0)
        upper.X = ToSingle(x1 - ((1.5 * h) * (1.5 * h) - h * h) / (2.0 * x1));
    upper.Z = ToSingle(1.5 * h);
    ShowPosition(texts, 2, upper);
    if (includeCurPhase)
        ClearElements(upper);
    return true;
}

void PresetDefaults(AntennaPanelTexts& texts, TheodoliteTexts& path, ModelVariables& model) {
    texts.ArrayARatio = "0.3";
    texts.AntOrientListIndex = 0;
    texts.ArrayCLRModDepth = ".9";
    texts.ArrayFreq = "330.0";
    texts.ArrayModDepth = ".4";
    path.ThPathAngle = "3.00";
    path.ThPathWidth = "0.67";
    model.OriginShift = 0;
    path.ThX = "0";
    path.ThY = "0";
    path.ThZ = "0";
    for (ColumnTexts* boxes : {&texts.AntX, &texts.AntY, &texts.AntZ, &texts.AntCLRMag, &texts.AntCLRPhase,
                               &texts.AntCSBMag, &texts.AntCSBPhase, &texts.AntSBOMag, &texts.AntSBOPhase})
        *boxes = {"0", "0", "0"};
    model.RefAntY = 0;
    model.RefAntX = 0;
    model.OriginShift = 0;
}

std::optional<std::uint8_t> ApplyPreset(int listIndex, AntennaPanelTexts& texts, TheodoliteTexts& path,
                                        bool includeCurPhase, ModelVariables& model, BaseFeeds& base) {
    model.ArrayFreq = ToSingle(TextNumber(texts.ArrayFreq));
    std::optional<std::uint8_t> numAnts;
    switch (listIndex) {
    case 0:
        PresetNullReference(texts, path, includeCurPhase, model);
        numAnts = 2;
        break;
    case 1:
        PresetSidebandReference(texts, path, includeCurPhase, model);
        numAnts = 2;
        break;
    case 2:
        PresetCaptureEffect(texts, path, includeCurPhase, model);
        numAnts = 3;
        break;
    case 3:
        PresetDefaults(texts, path, model);
        break;
    default:
        break;
    }
    for (int col = 0; col < 3; ++col)
        ResetFeedAdjust(texts, col);
    StoreBaseFeeds(texts, base);
    return numAnts;
}

void HeightRatio(int index, ColumnTexts& antZ) {
    if (index < 1 || index > 3)
        return;
    const std::string& s = antZ[static_cast<std::size_t>(index - 1)];
    if (plat::Trim(s).empty() || !plat::IsNumeric(s))
        return;
    const double v = plat::CDbl(s);
    const auto text = [](double x) { return plat::Format(x, "###.000"); };
    if (index == 1) {
        antZ[1] = text(2 * v);
        antZ[2] = text(3 * v);
    } else if (index == 2) {
        antZ[0] = text(v / 2);
        antZ[2] = text(3 * (v / 2));
    } else {
        antZ[0] = text(v / 3);
        antZ[1] = text(2 * (v / 3));
    }
}

} // namespace editors
