#include "shell/run/logic/RunInputCheck.h"

#include "common/Constants.h"
#include "editors/logic/AntennaBoxes.h"
#include "platform/text/Numbers.h"
#include "platform/text/RegularFile.h"
#include "platform/text/Strings.h"
#include "shell/model/ParamFile.h"

#include <array>
#include <sstream>
#include <utility>

#include <unistd.h>

using namespace editors;

namespace shell {

namespace {

struct BoxName {
    AntBox box;
    const char* name;
};

// The panel's row captions, for the messages.
constexpr std::array<BoxName, 12> kBoxNames{{
    {AntBox::X, "Offset"},
    {AntBox::Y, "Setback"},
    {AntBox::Z, "Height"},
    {AntBox::Rot, "Rotation"},
    {AntBox::CSBMag, "CSB Current"},
    {AntBox::CSBPhase, "CSB Phase"},
    {AntBox::SBOMag, "SBO Current"},
    {AntBox::SBOPhase, "SBO Phase"},
    {AntBox::CLRMag, "CLR Current"},
    {AntBox::CLRPhase, "CLR Phase"},
    {AntBox::Atten, "Attenuate"},
    {AntBox::PhaseAdj, "Adjust Phase"},
}};

constexpr std::array<const char*, 3> kColumnNames{"Lower Antenna", "Middle Antenna", "Upper Antenna"};

std::string NotANumber(const std::string& field, const std::string& text) {
    return field + " does not hold a number: \"" + text + "\".";
}

bool IsNumber(const std::string& text) {
    return plat::IsNumeric(plat::Trim(text));
}

std::optional<std::string> AntennaProblem(const AntennaPanelTexts& a, std::uint8_t numAnts) {
    const std::pair<const char*, const std::string*> arrayBoxes[] = {
        {"Frequency (MHz)", &a.ArrayFreq},      {"CSB/SBO Current Ratio", &a.ArrayARatio},
        {"Modulation Depth", &a.ArrayModDepth}, {"CLR Modulation Depth", &a.ArrayCLRModDepth},
        {"SBO Atten", &a.SBOPowerAdj},          {"CLR Atten", &a.CLRPowerAdjust},
        {"CSB-SBO Phase", &a.CSBSBOPhase},
    };
    for (const auto& [name, text] : arrayBoxes) {
        if (!IsNumber(*text))
            return NotANumber(name, *text);
    }
    if (!(plat::CDbl(plat::Trim(a.ArrayFreq)) > 0))
        return "Frequency (MHz) must be greater than 0; it is " + plat::Trim(a.ArrayFreq) + ".";
    for (const int col : ColumnsInUse(numAnts)) {
        const auto c = static_cast<std::size_t>(col);
        for (const BoxName& row : kBoxNames) {
            const std::string& text = Column(a, row.box)[c];
            if (!IsNumber(text))
                return NotANumber(std::string(kColumnNames[c]) + " " + row.name, text);
        }
    }
    return std::nullopt;
}

std::optional<std::string> GroundProblem(const plat::GridModel& grid) {
    const int rows = CountGroundRows(grid);
    double lastY = 0;
    for (int r = 1; r <= rows; ++r) {
        const std::string row = "Ground profile row " + std::to_string(r);
        const std::string y = grid.TextMatrix(r, 2);
        const std::string z = grid.TextMatrix(r, 3);
        if (!IsNumber(y))
            return NotANumber(row + " Y", y);
        if (!IsNumber(z))
            return NotANumber(row + " Z", z);
        const double value = plat::CDbl(plat::Trim(y));
        if (r > 1 && !(value > lastY))
            return row + ": the distance Y (" + plat::Trim(y) + ") must be greater than row " +
                   std::to_string(r - 1) + "'s (" + plat::Trim(grid.TextMatrix(r - 1, 2)) + ").";
        lastY = value;
    }
    return std::nullopt;
}

// The cut count a 3D ground file starts with; std::nullopt when there is no such regular file (a run
// creates or refuses it) or its head does not start with two numbers (the engine says why). Only the
// head is read: the counts line comes first.
std::optional<long long> GroundFileCuts(const std::string& path) {
    std::string reason;
    const int fd = plat::OpenRegularFile(path, reason);
    if (fd < 0)
        return std::nullopt;
    std::array<char, 4096> head{};
    const ssize_t got = ::read(fd, head.data(), head.size());
    ::close(fd);
    if (got <= 0)
        return std::nullopt;
    std::istringstream in(std::string(head.data(), static_cast<std::size_t>(got)));
    long long nodes = 0, cuts = 0;
    if (!(in >> nodes >> cuts))
        return std::nullopt;
    return cuts;
}

} // namespace

std::optional<std::string> RunCapacityProblem(const plat::GridModel& ground, bool use3D, const std::string& inFile,
                                              const std::string& file3D) {
    const int rows = use3D ? 0 : CountGroundRows(ground);
    if (rows > common::kRunMaxProfilePoints)
        return "The parameter file " + inFile + " would hold " + std::to_string(rows) +
               " ground profile points; a run keeps at most " + std::to_string(common::kRunMaxProfilePoints) + ".";
    if (rows > 1)
        return std::nullopt;
    if (const std::optional<long long> cuts = GroundFileCuts(file3D); cuts && *cuts > common::kRunMaxCuts)
        return "The 3D ground file " + file3D + " has " + std::to_string(*cuts) + " cuts; a run reads at most " +
               std::to_string(common::kRunMaxCuts) + ".";
    return std::nullopt;
}

std::optional<std::string> RunInputProblem(const AntennaPanelTexts& antenna, std::uint8_t numAnts,
                                           const plat::GridModel& ground, bool use3D) {
    if (auto problem = AntennaProblem(antenna, numAnts))
        return problem;
    if (use3D)
        return std::nullopt;
    return GroundProblem(ground);
}

} // namespace shell
