#pragma once

// The digitiser's calibration and digitising as a state machine over the clicks on the picture,
// with the checks of the ground range entered before the corners are marked.

#include <string>
#include <string_view>

#include "common/VectorsAndMatrices.h"
#include "ground/digitise/logic/MapGeometry.h"
#include "platform/grid/GridModel.h"

namespace digitise {

// The prompt shown beside the picture, in calibration order.
enum class Prompt { LowLeft, UpLeft, LowRight, UpRight, ReadyToDig };
std::string_view PromptText(Prompt prompt);

inline constexpr std::string_view kNotConvexMessage =
    "The polygon describing the digitizing area is not convex. Please ensure that no sides of the polygon "
    "cross. "
    "Resetting initialization procedure";
inline constexpr std::string_view kRowsFilledMessage = "All Rows Filled...";

// The four range texts as entered; the result's message is "" when they are accepted.
struct RangeTexts {
    std::string XMin;
    std::string XMax;
    std::string YMin;
    std::string YMax;
};
struct RangeCheck {
    std::string message;
    GroundRange range;
};
// Each text must be numeric and fit a Single; Min and Max must differ in Single.
RangeCheck CheckRange(const RangeTexts& texts);

// What a release on the picture did.
enum class Release {
    Ignored,   // before the range is accepted, idle, or outside the quadrilateral
    Corner,    // a corner placed; the next prompt follows
    NotConvex, // the four corners failed: kNotConvexMessage, calibration restarts at LL
    Ready,     // the four corners are accepted: digitising
    Point,     // a point was mapped and written to the grid
    GridFull,  // kRowsFilledMessage; nothing recorded
};

class DigSession {
public:
    // 0 idle; 1..4 waiting for LL, UL, LR, UR; 5 digitising.
    int DigState() const { return digState_; }
    bool ParamsAccepted() const { return paramsAccepted_; }
    int NextRow() const { return nextRow_; }
    const GroundRange& Range() const { return range_; }
    // The corners in image pixels; those not yet placed are (0, 0).
    const Corners& CornerPoints() const { return corners_; }
    // The prompt for the current state (states 1 to 5).
    Prompt CurrentPrompt() const;
    // The last point recorded by a Point release, in ground values.
    const common::Vector3& LastGround() const { return lastGround_; }

    // Begins a calibration waiting for the range; false (nothing changes) while one is under way.
    bool StartCalibration();
    // "Go": checks the texts; when accepted the points grid is emptied, NextRow = 1 and the range is
    // accepted. Returns the message to show, "" on success.
    std::string AcceptRange(const RangeTexts& texts, plat::GridModel& points);
    // Back to idle (the guide lines go); the accepted range stays.
    void Reset() { digState_ = 0; }

    // A release at p (image pixels): any button.
    Release MouseUp(const common::Vector3& p, plat::GridModel& points);
    // A move at p with the buttons pressed (1 = left); true when the pending corner followed.
    bool MouseMove(int button, const common::Vector3& p);

private:
    common::Vector3* PendingCorner();

    int digState_ = 0;
    bool paramsAccepted_ = false;
    int nextRow_ = 1;
    GroundRange range_;
    Corners corners_;
    common::Vector3 lastGround_;
};

} // namespace digitise
