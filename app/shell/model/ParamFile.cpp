#include "shell/model/ParamFile.h"

#include "common/Constants.h"
#include "platform/text/AtomicFile.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "shell/model/WritableName.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

using namespace common;

namespace shell {

namespace {

constexpr char kTab = '\t';
// The one-point 3D ground file: one node per cut, one cut, the node at 0, 0, 0.
const std::vector<std::string> kDefaultGroundLines = {"  1           1", " 0.000    0.000    0.000"};

// N3 and N3w ("#####0.000" writes the same text).
std::string N3(float v) {
    return plat::Format(v, "####0.000");
}

std::string F1(float v) {
    return plat::Format(v, "###0.0");
}

std::string I(int v) {
    return std::to_string(v);
}

// s right-justified in w characters. A number that fills the field is written whole after one
// blank, so that it never runs into the number before it.
std::string RJ(std::size_t w, const std::string& s) {
    if (s.size() < w)
        return std::string(w - s.size(), ' ') + s;
    return " " + s;
}

// s left-justified in w characters; a number that fills the field is written whole and followed by
// one blank.
std::string LJ(std::size_t w, const std::string& s) {
    if (s.size() < w)
        return s + std::string(w - s.size(), ' ');
    return s + " ";
}

std::string CardHeader(int card) {
    return "'SECTION'" + std::string(1, kTab) + I(card) + " 0 0";
}

std::string Tabs(int n) {
    return std::string(static_cast<std::size_t>(n), kTab);
}

// The lines of the file in order, without line ends. Throws when a grid cell is not a number or the
// antenna count goes beyond the records.
std::vector<std::string> ComposeLines(const ModelVariables& m, const ParamFileView& view) {
    const float f = view.useSI ? kFeetPerMetreSingle : 1.0F;
    const float shift = m.OriginShift;
    std::vector<std::string> lines;

    lines.push_back("'*' '" + plat::Trim(GetHeader(m.InFile)) + " INPUT A' " + (view.useSI ? "1" : "0"));

    const int rows = view.use3D ? 0 : CountGroundRows(view.grid);
    lines.push_back(CardHeader(1));
    lines.push_back(Tabs(2) + I(rows == 0 ? 1 : rows) + kTab + I(m.FieldModel) + kTab + I(m.TraceLevel) +
                    kTab + "(" + kTab + N3(m.PermittivityRe) + "," + kTab + N3(m.PermittivityIm) + ")" +
                    kTab + N3(m.Conductivity));
    if (rows == 0) {
        lines.push_back(Tabs(2) + " 0.000" + kTab + "0.000" + kTab + "0.000");
    } else {
        for (int r = 1; r <= rows; ++r) {
            const float y = plat::CSng(view.grid.TextMatrix(r, 2));
            const float z = plat::CSng(view.grid.TextMatrix(r, 3));
            const float yFile = y * f - shift;
            const float zFile = z * f;
            lines.push_back(Tabs(2) + " 0.000" + std::string(10, ' ') + LJ(15, N3(yFile)) + N3(zFile));
        }
    }

    lines.push_back(CardHeader(2));
    const float thY = -m.ThY - shift;
    lines.push_back(Tabs(3) + N3(m.ThX) + kTab + N3(thY) + kTab + N3(m.ThZ) + kTab + N3(m.PathAngle) + kTab +
                    N3(m.PathWidth) + kTab + N3(shift));

    lines.push_back(CardHeader(3));
    lines.push_back(Tabs(2) + I(m.NumAnts) + kTab + N3(m.ArrayFreq) + kTab + N3(m.ArrayModDepth) + kTab +
                    N3(m.ArrayARatio) + kTab + N3(m.ArrayCLRModDepth) + kTab + I(m.AntOrient));
    for (int i = 1; i <= m.NumAnts; ++i) {
        const AntennaRec& R = m.Ant(AntennaOfFileLine(i, m.NumAnts));
        const float y = -R.Y - shift;
        lines.push_back(Tabs(2) + I(i) + kTab + N3(R.X) + kTab + N3(y) + kTab + N3(R.Z) + kTab + N3(R.Alpha) +
                        kTab + N3(R.Phi1) + kTab + N3(R.Phi2) + kTab + N3(R.Phi3));
        lines.push_back(Tabs(2) + N3(R.SBOMag) + kTab + N3(R.SBOPhase) + kTab + N3(R.CSBMag) + kTab +
                        N3(R.CSBPhase) + kTab + N3(R.CLRMag) + kTab + N3(R.CLRPhase));
    }

    // Constant radius cuts and orbits give angles, not setbacks, in the Y places.
    const bool shiftFlight = m.FlightType != 1 && m.FlightType != 7;
    const float y1 = shiftFlight ? m.FltPoint1.Y - shift : m.FltPoint1.Y;
    const float y2 = shiftFlight ? m.FltPoint2.Y - shift : m.FltPoint2.Y;
    // A constant radius cut sweeps the elevation (the Y places) at one azimuth (the Z places).
    const float z2 = m.FlightType == 1 ? m.FltPoint1.Z : m.FltPoint2.Z;
    lines.push_back(CardHeader(4));
    lines.push_back(Tabs(2) + I(m.FlightType) + kTab + plat::GeneralText(m.FltNumPoints) + kTab +
                    I(m.FltAngFlag) + Tabs(2) + RJ(10, N3(m.FltPoint1.X)) + RJ(10, N3(y1)) +
                    RJ(10, N3(m.FltPoint1.Z)));
    lines.push_back(RJ(58, N3(m.FltPoint2.X)) + RJ(10, N3(y2)) + RJ(10, N3(z2)));

    lines.push_back(CardHeader(5));
    std::string card5 = Tabs(2) + I(m.PlotOn) + kTab + I(m.XAxisVar) + kTab + I(m.YAxisVar) + " " + kTab +
                        N3(m.OutParam1) + kTab + N3(m.OutParam2) + kTab + N3(m.OutParam3) + kTab +
                        N3(m.OutParam4) + "  ";
    for (int j = 1; j <= 12; ++j)
        card5 += I(m.RayIgnore(j)) + " ";
    lines.push_back(card5);

    lines.push_back(CardHeader(6));
    const std::string sep = "   ";
    lines.push_back(Tabs(2) + F1(m.Ant(1).Atten) + sep + F1(m.Ant(1).PhaseAdj) + sep + F1(m.Ant(2).Atten) +
                    sep + F1(m.Ant(2).PhaseAdj) + sep + F1(m.Ant(3).Atten) + sep + F1(m.Ant(3).PhaseAdj));
    lines.push_back(Tabs(2) + F1(m.SBOPowerAdj) + sep + F1(m.CLRPowerAdj) + sep + F1(m.CSBSBOPhase));
    lines.push_back("'...' 0 0 0");
    return lines;
}

// Writes the lines with CR LF ends in place of path, so that path holds either its old text or the
// whole new one.
plat::FileWriteResult ReplaceFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return plat::WriteFileAtomically(path, text);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

void Show(const std::function<void(const std::string&)>& label, const std::string& text) {
    if (label)
        label(text);
}

WriteStatus Failed(const ParamFileUi& ui, const std::string& path, const std::string& reason) {
    if (ui.writeFailed)
        ui.writeFailed(path, reason);
    return WriteStatus::Failed;
}

} // namespace

WriteStatus WriteParamFile(ModelVariables& m, const ParamFileView& view, const ParamFileUi& ui) {
    if (FileExists(m.InFile) && m.InFile != "temp.inp") {
        switch (ui.askOverwrite(kOverwriteQuestion)) {
        case OverwriteAnswer::Yes:
            break;
        case OverwriteAnswer::Cancel:
            return WriteStatus::Cancelled;
        case OverwriteAnswer::No: {
            const std::optional<std::string> name = ui.saveDialog("", kNewParamFileFilter);
            if (!name)
                return WriteStatus::Declined;
            m.InFile = *name;
            if (m.InFile.empty())
                return WriteStatus::Declined;
            Show(ui.showInFile, m.InFile);
            break;
        }
        }
    }
    if (m.InFile.empty())
        return Failed(ui, m.InFile, "No file name was given.");

    m.OriginShift = -m.RefAntY;
    m.TraceLevel = 0;
    std::vector<std::string> lines;
    try {
        lines = ComposeLines(m, view);
    } catch (const std::exception& e) {
        return Failed(ui, m.InFile, e.what());
    }
    // A name of blanks only names no file: it is treated as empty.
    const std::string ground = plat::Trim(m.File3D);
    if (!ground.empty())
        lines.push_back(ground);
    const std::string file3D = ground.empty() ? StripExtension(m.InFile) + ".3D" : m.File3D;
    const bool createGround = !FileExists(file3D);

    // Every name is checked before any file is written, and the default ground file, written first,
    // goes again when the parameter file then fails: a failed save has changed no file.
    std::vector<std::string> names{m.InFile};
    if (createGround)
        names.push_back(file3D);
    for (const std::string& path : names) {
        if (const std::string reason = WhyNotWritable(path); !reason.empty())
            return Failed(ui, path, reason);
    }
    if (createGround) {
        if (const plat::FileWriteResult written = ReplaceFile(file3D, kDefaultGroundLines); !written)
            return Failed(ui, file3D, written.reason);
    }
    if (const plat::FileWriteResult written = ReplaceFile(m.InFile, lines); !written) {
        std::error_code ec;
        if (createGround)
            std::filesystem::remove(file3D, ec);
        return Failed(ui, m.InFile, written.reason);
    }

    if (ground.empty()) {
        m.File3D = file3D;
        Show(ui.show3DFile, m.File3D);
    }
    return WriteStatus::Written;
}

std::optional<WriteStatus> SaveParamFileFromMenu(ModelVariables& m, const ParamFileView& view,
                                                 const ParamFileUi& ui,
                                                 const std::function<void()>& collectParameters) {
    const std::optional<std::string> name = ui.saveDialog(m.InFile, kSaveParamFileFilter);
    if (!name)
        return std::nullopt;
    m.InFile = *name;
    Show(ui.showInFile, m.InFile);
    if (m.InFile.empty())
        return std::nullopt;
    collectParameters();
    const WriteStatus status = WriteParamFile(m, view, ui);
    // An empty name given after the overwrite question names no plot file either.
    if (!m.InFile.empty()) {
        m.OutFile = StripExtension(m.InFile) + ".prn";
        Show(ui.showOutFile, m.OutFile);
    }
    return status;
}

std::string StripExtension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return path;
    return path.substr(0, dot);
}

std::string GetHeader(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find('.'));
}

std::string FileFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos)
        return path.substr(0, slash + 1);
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    return ec ? std::string() : current.string();
}

std::uint8_t CountGroundRows(const plat::GridModel& grid) {
    std::uint8_t count = 0;
    for (int r = 1; r < grid.Rows() && count < 255; ++r) {
        const bool complete = !plat::Trim(grid.TextMatrix(r, 2)).empty() &&
                              !plat::Trim(grid.TextMatrix(r, 3)).empty() &&
                              plat::Trim(grid.TextMatrix(r, 4)) == "X";
        if (!complete)
            break;
        ++count;
    }
    return count;
}

bool WriteDefaultGroundFile(const std::string& path) {
    return static_cast<bool>(ReplaceFile(path, kDefaultGroundLines));
}

} // namespace shell
