#pragma once

// The texts of the main window's editing boxes that the editors' rules read and write. A window
// copies its boxes into these structs, calls a rule and shows the texts back; the rules never touch
// a control. Control arrays keep the window's indices (antenna column 0 lower, 1 middle, 2 upper;
// flight row 0 start, 1 end).

#include <array>
#include <string>
#include <string_view>

namespace editors {

using ColumnTexts = std::array<std::string, 3>;

// The antenna panel: array-wide values, the per-antenna columns and the transmitter modifications.
struct AntennaPanelTexts {
    std::string ArrayFreq = "0";
    std::string ArrayARatio = "0";
    std::string ArrayModDepth = "0";
    std::string ArrayCLRModDepth = "0";
    int AntOrientListIndex = 0; // position chosen in the orientation list

    ColumnTexts AntX{"0", "0", "0"};
    ColumnTexts AntY{"0", "0", "0"};
    ColumnTexts AntZ{"0", "0", "0"};
    ColumnTexts AntRot{"0", "0", "0"};
    ColumnTexts AntCSBMag{"0", "0", "0"};
    ColumnTexts AntCSBPhase{"0", "0", "0"};
    ColumnTexts AntSBOMag{"0", "0", "0"};
    ColumnTexts AntSBOPhase{"0", "0", "0"};
    ColumnTexts AntCLRMag{"0", "0", "0"};
    ColumnTexts AntCLRPhase{"0", "0", "0"};
    ColumnTexts AntAtten{"0", "0", "0"};
    ColumnTexts AntPhaseAdj{"0", "0", "0"};

    std::string SBOPowerAdj = "0";
    std::string CLRPowerAdjust = "0";
    std::string CSBSBOPhase = "0";
};

// The path and theodolite boxes, with the texts they hold when the window is built.
struct TheodoliteTexts {
    std::string ThPathAngle = "3.00";
    std::string ThPathWidth = "0.70";
    std::string ThX = "0";
    std::string ThY = "0";
    std::string ThZ = "0";
};

// The flight profile panel: the two points, the converter inputs per row and the number of points.
struct FlightPanelTexts {
    std::array<std::string, 2> FltX{"0.00", "0.00"};
    std::array<std::string, 2> FltY{"0.00", "0.00"};
    std::array<std::string, 2> FltZ{"0.00", "0.00"};
    std::array<std::string, 2> FltAz;
    std::array<std::string, 2> FltEl;
    std::array<std::string, 2> FltRange;
    std::array<std::string, 2> FltAlt;
    std::string FltNumPoints = "200";
};

// The number of a text that holds a number by its box's guards, read as the strict conversion
// reads it ("1,000" is 1000); the box's number (common::BoxValue) for any other text.
double TextNumber(std::string_view text);

// A value stored into a single-precision word or box: rounded to single precision, and held at
// the largest single of its sign when it lies beyond the single range.
float ToSingle(double value);

} // namespace editors
