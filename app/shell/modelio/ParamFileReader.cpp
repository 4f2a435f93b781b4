#include "shell/modelio/ParamFileReader.h"

#include "common/modFunctions.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "platform/text/TextFile.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <type_traits>

using namespace common;
using namespace editors;

namespace shell {

namespace {

constexpr char kTab[] = "\t";

// A file the reader cannot take, with the reason shown to the user.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the file item by item, naming the part it is in when the file fails.
class CardReader {
public:
    explicit CardReader(plat::FreeReader reader) : in_(std::move(reader)) {}

    void Part(std::string part) { part_ = std::move(part); }

    double Number() {
        return Guard([&] { return in_.InputNumber(); });
    }
    float Single() {
        return Convert([&](double v) { return plat::CSng(v); });
    }
    std::uint8_t Byte() {
        return Convert([&](double v) { return plat::CByte(v); });
    }
    std::int16_t Integer() {
        return Convert([&](double v) { return plat::CInt(v); });
    }
    std::string Text() {
        return Guard([&] { return in_.InputText(); });
    }
    std::string Line() {
        return Guard([&] { return in_.LineInput(); });
    }
    bool Eof() const { return in_.Eof(); }

    [[noreturn]] void Fail(const std::string& what) const { throw ReadError(what + " (" + part_ + ")."); }

private:
    template <typename F> std::invoke_result_t<F> Guard(F read) {
        try {
            return read();
        } catch (const plat::EndOfFileError&) {
            Fail("The file ends early");
        } catch (const plat::OverflowError&) {
            Fail("A number is out of range");
        }
    }
    template <typename F> std::invoke_result_t<F, double> Convert(F convert) {
        const double v = Number();
        try {
            return convert(v);
        } catch (const plat::OverflowError&) {
            Fail("A number is out of range");
        }
    }

    plat::FreeReader in_;
    std::string part_;
};

// Field n of a card line as its number.
float FieldValue(CardReader& in, std::string& line, int n, const char* delimiter) {
    try {
        return plat::CSng(plat::Val(GetDelimitedString(line, n, delimiter)));
    } catch (const plat::OverflowError&) {
        in.Fail("A number is out of range or a line is too long");
    }
}

std::string RTrimLine(std::string s) {
    const std::size_t last = s.find_last_not_of(" \t\r");
    s.erase(last == std::string::npos ? 0 : last + 1);
    return s;
}

bool Exists(const std::string& name) {
    std::error_code ec;
    return !name.empty() && std::filesystem::is_regular_file(name, ec);
}

ParamFileContents Read(const std::string& path, const ModelVariables& current) {
    std::optional<plat::FreeReader> file;
    try {
        file.emplace(path);
    } catch (const plat::FileError&) {
        throw ReadError("The file cannot be opened.");
    }
    CardReader in(std::move(*file));
    ParamFileContents c;
    c.model = current;
    ModelVariables& m = c.model;

    // The whole title line: a title may hold a comma.
    in.Part("title line");
    const std::string title = RTrimLine(in.Line());
    if (title.empty() || title.back() < '0' || title.back() > '9')
        in.Fail("The title line does not end in a unit digit");
    c.useSI = title.back() == '1';
    in.Line();

    in.Part("card 1");
    m.NumGroundPts = in.Integer();
    m.FieldModel = in.Byte();
    m.TraceLevel = in.Byte();
    in.Number();
    m.PermittivityRe = in.Single();
    m.PermittivityIm = in.Single();
    m.Conductivity = in.Single();
    if (m.NumGroundPts < 0 || m.NumGroundPts > kMaxFileGroundPoints)
        in.Fail("The number of ground points is not between 0 and 50");
    c.use3D = m.NumGroundPts < 2;

    in.Part("ground lines");
    for (int i = 0; i < m.NumGroundPts; ++i) {
        GroundPoint p;
        p.x = in.Single();
        p.y = in.Single();
        p.z = in.Single();
        c.ground.push_back(p);
    }

    // The values line begins with three TABs: field 1 is a TAB, the values are fields 2 to 7.
    in.Part("card 2");
    in.Text();
    std::string line = in.Line();
    const int fields = [&] {
        try {
            return int{CountDelimitedFields(line, kTab)};
        } catch (const plat::OverflowError&) {
            in.Fail("A line is too long");
        }
    }();
    m.ThX = FieldValue(in, line, 2, kTab);
    m.ThY = FieldValue(in, line, 3, kTab);
    m.ThZ = FieldValue(in, line, 4, kTab);
    m.PathAngle = FieldValue(in, line, 5, kTab);
    m.PathWidth = FieldValue(in, line, 6, kTab);
    m.OriginShift = fields > 5 ? FieldValue(in, line, 7, kTab) : 0.0F;

    in.Part("card 3");
    in.Text();
    m.NumAnts = in.Byte();
    m.ArrayFreq = in.Single();
    m.ArrayModDepth = in.Single();
    m.ArrayARatio = in.Single();
    m.ArrayCLRModDepth = in.Single();
    m.AntOrient = in.Byte();
    if (m.NumAnts > 3)
        in.Fail("The file holds more than 3 antennas");
    if (m.AntOrient > 3)
        in.Fail("The antenna orientation is not between 0 and 3");
    for (int i = 1; i <= m.NumAnts; ++i) {
        in.Part("card 3, antenna " + std::to_string(i));
        const int k = AntennaOfFileLine(i, m.NumAnts);
        AntennaRec& a = m.Ant(k);
        in.Number();
        a.X = in.Single();
        a.Y = in.Single();
        a.Z = in.Single();
        a.Alpha = in.Single();
        a.Phi1 = in.Single();
        a.Phi2 = in.Single();
        a.Phi3 = in.Single();
        a.Y = -(m.OriginShift + a.Y);
        a.SBOMag = in.Single();
        a.SBOPhase = in.Single();
        a.CSBMag = in.Single();
        a.CSBPhase = in.Single();
        a.CLRMag = in.Single();
        a.CLRPhase = in.Single();
        c.columnLoaded[static_cast<std::size_t>(k - 1)] = true;
    }
    if (m.NumAnts == 2) {
        // The middle record plays no part with two antennas: its place, element and feed words go.
        AntennaRec& middle = m.Ant(2);
        const float rot = middle.Rot;
        const float atten = middle.Atten;
        const float phaseAdj = middle.PhaseAdj;
        middle = AntennaRec{};
        middle.Rot = rot;
        middle.Atten = atten;
        middle.PhaseAdj = phaseAdj;
    }
    const AntennaRec& ref = m.Ant(ReferenceAntenna(m.NumAnts));
    m.RefAntX = ref.X;
    m.RefAntY = ref.Y;
    m.ThY = -m.OriginShift - m.ThY;
    c.thY = plat::Format(m.ThY, "####0.00");
    c.thX = plat::Format(m.ThX, "####0.00");
    c.thZ = plat::Format(m.ThZ, "####0.00");

    // Constant radius cuts and orbits hold angles in the Y places: they are not shifted.
    in.Part("card 4");
    in.Text();
    m.FlightType = in.Byte();
    m.FltNumPoints = in.Single();
    m.FltAngFlag = in.Byte();
    const bool shifted = m.FlightType != 1 && m.FlightType != 7;
    m.FltPoint1.X = in.Single();
    m.FltPoint1.Y = in.Single();
    m.FltPoint1.Z = in.Single();
    if (shifted)
        m.FltPoint1.Y = m.FltPoint1.Y + m.OriginShift;
    m.FltPoint2.X = in.Single();
    m.FltPoint2.Y = in.Single();
    m.FltPoint2.Z = in.Single();
    if (shifted)
        m.FltPoint2.Y = m.FltPoint2.Y + m.OriginShift;

    in.Part("card 5");
    in.Text();
    m.PlotOn = in.Byte();
    m.XAxisVar = in.Byte();
    m.YAxisVar = in.Byte();
    m.OutParam1 = in.Single();
    m.OutParam2 = in.Single();
    m.OutParam3 = in.Single();
    m.OutParam4 = in.Single();
    for (int j = 1; j <= 12; ++j)
        m.RayIgnore(j) = in.Byte();

    // Card 6 is optional: without it the item after card 5 is the end card.
    if (!in.Eof()) {
        in.Part("card 6");
        const std::string item = plat::Trim(in.Text());
        if (item.rfind("'S", 0) == 0) {
            std::string adjust = in.Text();
            for (int k = 1; k <= 3; ++k) {
                m.Ant(k).Atten = FieldValue(in, adjust, 2 * k - 1, " ");
                m.Ant(k).PhaseAdj = FieldValue(in, adjust, 2 * k, " ");
            }
            std::string xmtr = in.Text();
            m.SBOPowerAdj = FieldValue(in, xmtr, 1, " ");
            m.CLRPowerAdj = FieldValue(in, xmtr, 2, " ");
            m.CSBSBOPhase = FieldValue(in, xmtr, 3, " ");
            in.Part("end card");
            in.Text();
        }
    }

    if (!in.Eof()) {
        in.Part("ground-file line");
        const std::string name = plat::Trim(RTrimLine(in.Line()));
        if (!name.empty())
            c.groundFileLine = name;
    }

    for (std::size_t col = 0; col < 3; ++col) {
        if (c.columnLoaded[col])
            RecoverBaseFeeds(c.baseFeeds, static_cast<int>(col), m.Ant(static_cast<int>(col) + 1));
    }
    return c;
}

} // namespace

ReadResult ReadParamFile(const std::string& path, const ModelVariables& current) {
    ReadResult result;
    try {
        result.contents = Read(path, current);
    } catch (const ReadError& e) {
        result.error = e.what();
    }
    return result;
}

GroundFileChoice ResolveGroundFile(const std::optional<std::string>& line, const std::string& inFile) {
    namespace fs = std::filesystem;
    GroundFileChoice choice;
    if (line) {
        // A relative name is the parameter file's neighbour, and only that: a file of that name in the
        // current directory is another one. It is kept as written when it names that same file from the
        // current directory, where the run, the editor and the viewer look for it.
        const fs::path named(*line);
        const fs::path beside = fs::path(inFile).parent_path() / named;
        if (Exists(beside.string())) {
            std::error_code ec;
            const bool same = Exists(*line) && fs::equivalent(named, beside, ec);
            choice.file3D = same ? *line : beside.string();
            return choice;
        }
    }
    const std::string d = StripExtension(inFile) + ".3D";
    const bool dExists = Exists(d);
    choice.file3D = d;
    if (line && !dExists) {
        choice.kind = GroundFileCase::NamedMissingNoDefault;
        choice.message = d + " not found.\r\nCreating blank 3D file";
    } else if (line) {
        choice.kind = GroundFileCase::NamedMissingDefault;
        choice.message = *line + " not found.\r\n but a file by that name is in this folder. Use this file?";
    } else if (dExists) {
        choice.kind = GroundFileCase::NoLineDefault;
        choice.message = "No 3D File Associated with this INP file,\r\nBut a 3D file of the same name was "
                         "found.\r\nThis file will be used.";
    } else {
        choice.kind = GroundFileCase::NoLineNoDefault;
        choice.message = "No 3D File Associated with this INP file.\r\nCreating blank 3D file";
    }
    return choice;
}

int LoadedGroundGridRows(const ParamFileContents& contents) {
    return std::max(kLoadedGroundGridRows, static_cast<int>(contents.ground.size()));
}

void FillGroundGrid(const ParamFileContents& contents, plat::GridModel& grid) {
    const float shift = contents.model.OriginShift;
    grid.SetRedraw(false);
    for (int r = 1; r < grid.Rows(); ++r) {
        const auto i = static_cast<std::size_t>(r - 1);
        if (i < contents.ground.size()) {
            const GroundPoint& p = contents.ground[i];
            const float y = p.y + shift;
            grid.SetTextMatrix(r, 1, plat::Format(p.x, "####0.000"));
            grid.SetTextMatrix(r, 2, plat::Format(y, "####0.000"));
            grid.SetTextMatrix(r, 3, plat::Format(p.z, "####0.000"));
            grid.SetTextMatrix(r, 4, " X ");
        } else {
            for (int col = 1; col <= 4; ++col)
                grid.SetTextMatrix(r, col, "");
        }
    }
    grid.SetRedraw(true);
}

void MergeBaseFeeds(const ParamFileContents& contents, BaseFeeds& into) {
    const BaseFeeds& from = contents.baseFeeds;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!contents.columnLoaded[i])
            continue;
        into.BaseCSBMag[i] = from.BaseCSBMag[i];
        into.BaseCSBPhase[i] = from.BaseCSBPhase[i];
        into.BaseSBOMag[i] = from.BaseSBOMag[i];
        into.BaseSBOPhase[i] = from.BaseSBOPhase[i];
        into.BaseCLRMag[i] = from.BaseCLRMag[i];
        into.BaseCLRPhase[i] = from.BaseCLRPhase[i];
    }
}

std::optional<std::string> LoadParamFile(const std::string& path, ModelVariables& m, LoadTarget& target) {
    ReadResult read = ReadParamFile(path, m);
    if (!read.contents)
        return read.error;
    const ParamFileContents& c = *read.contents;

    m = c.model;
    target.SetUseSIChecked(c.useSI);
    target.SetGroundMode(c.use3D);
    target.SetLoadedBaseFeeds(c);
    target.SetTheodoliteTexts(c.thX, c.thY, c.thZ);

    const GroundFileChoice ground = ResolveGroundFile(c.groundFileLine, m.InFile);
    m.File3D = ground.file3D;
    target.Show3DFile(m.File3D);
    if (ground.kind == GroundFileCase::NamedMissingDefault) {
        if (!target.AskYesNo(ground.message, kGroundFileErrorTitle))
            target.ChooseGroundFile3D();
    } else if (ground.kind != GroundFileCase::Found) {
        target.Inform(ground.message, kGroundFileErrorTitle);
    }

    plat::GridModel& grid = target.InitGroundGrid(LoadedGroundGridRows(c));
    FillGroundGrid(c, grid);
    return std::nullopt;
}

std::string LoadFailedText(const std::string& path, const std::string& reason) {
    return "File Error: " + path + " cannot be read." + "\r\n" + reason + "\r\nNothing was loaded.";
}

} // namespace shell
