#include "ground/digitise/logic/DigSession.h"

#include <algorithm>
#include <array>

#include "ground/digitise/logic/PointsGrid.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "viewer/logic/SceneGeometry.h"

namespace digitise {
namespace {

constexpr std::array<std::string_view, 5> kPromptTexts = {
    "Digitize Lower Left Limit", "Digitize Upper Left Limit", "Digitize Lower Right Limit",
    "Digitize Upper Right Limit", "Ready To Digitize...."};

// A range text as a Single; false when it is empty, not numeric, or beyond a Single.
bool ReadSingle(const std::string& text, float& value) {
    if (text.empty() || !plat::IsNumeric(text))
        return false;
    try {
        value = plat::CSng(text);
    } catch (const plat::OverflowError&) {
        return false;
    }
    return true;
}

} // namespace

std::string_view PromptText(Prompt prompt) {
    return kPromptTexts[static_cast<std::size_t>(prompt)];
}

RangeCheck CheckRange(const RangeTexts& texts) {
    RangeCheck check;
    GroundRange& r = check.range;
    const std::array<std::pair<const std::string*, float*>, 4> fields = {
        {{&texts.XMin, &r.XMin}, {&texts.XMax, &r.XMax}, {&texts.YMin, &r.YMin}, {&texts.YMax, &r.YMax}}};
    constexpr std::array<std::string_view, 4> kFieldErrors = {
        "Error in Min X Value....", "Error in Max X Value....", "Error in Min Y Value....",
        "Error in Max Y Value...."};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!ReadSingle(*fields[i].first, *fields[i].second)) {
            check.message = kFieldErrors[i];
            return check;
        }
    }
    if (r.XMax - r.XMin == 0.0F)
        check.message = "Min X and Max X cannot be equal....";
    else if (r.YMax - r.YMin == 0.0F)
        check.message = "Min Y and Max Y cannot be equal....";
    return check;
}

Prompt DigSession::CurrentPrompt() const {
    return static_cast<Prompt>(std::clamp(digState_, 1, 5) - 1);
}

bool DigSession::StartCalibration() {
    if (digState_ != 0)
        return false;
    digState_ = 1;
    paramsAccepted_ = false;
    return true;
}

std::string DigSession::AcceptRange(const RangeTexts& texts, plat::GridModel& points) {
    RangeCheck check = CheckRange(texts);
    if (!check.message.empty())
        return check.message;
    range_ = check.range;
    ResetPoints(points);
    nextRow_ = 1;
    paramsAccepted_ = true;
    return {};
}

common::Vector3* DigSession::PendingCorner() {
    switch (digState_) {
    case 1:
        return &corners_.LL;
    case 2:
        return &corners_.UL;
    case 3:
        return &corners_.LR;
    case 4:
        return &corners_.UR;
    default:
        return nullptr;
    }
}

bool DigSession::MouseMove(int button, const common::Vector3& p) {
    if (button != 1 || !paramsAccepted_)
        return false;
    common::Vector3* corner = PendingCorner();
    if (corner == nullptr)
        return false;
    *corner = p;
    return true;
}

Release DigSession::MouseUp(const common::Vector3& p, plat::GridModel& points) {
    if (!paramsAccepted_ || digState_ == 0)
        return Release::Ignored;
    if (common::Vector3* corner = PendingCorner()) {
        *corner = p;
        if (digState_ < 4) {
            ++digState_;
            return Release::Corner;
        }
        std::array<common::Vector3, 5> pts{{{}, corners_.LL, corners_.UL, corners_.UR, corners_.LR}};
        if (IsConvexPolygon(pts)) {
            digState_ = 5;
            return Release::Ready;
        }
        digState_ = 1;
        return Release::NotConvex;
    }
    if (nextRow_ > points.Rows() - 1)
        return Release::GridFull;
    if (!viewer::PointInPolygon(p.X, p.Y, {corners_.LL, corners_.UL, corners_.UR, corners_.LR}))
        return Release::Ignored;
    lastGround_ = MapImageToGround(p, range_, corners_);
    points.SetTextMatrix(nextRow_, 0, plat::Format(lastGround_.X, kPointFormat));
    points.SetTextMatrix(nextRow_, 1, plat::Format(lastGround_.Y, kPointFormat));
    points.Select(nextRow_, 0);
    ++nextRow_;
    return Release::Point;
}

} // namespace digitise
