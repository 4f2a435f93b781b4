#include "shell/run/logic/RunControl.h"

#include "platform/text/RegularFile.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

namespace shell {

bool OutputAntennaExists(std::uint8_t yAxisVar, int numAntsOption) {
    if (yAxisVar == 5 || yAxisVar == 6)
        return numAntsOption != 0;
    if (yAxisVar == 7 || yAxisVar == 8)
        return numAntsOption == 2;
    return true;
}

namespace {

// The lines the engine writes into its report when it refuses a run with one of these codes. Only
// codes that end a run after the report was opened (and emptied) by that run are looked up there.
struct ReasonLine {
    int code;
    const char* mark;
};
constexpr std::array<ReasonLine, 13> kReasonLines{{
    {1, "RUN STOPPED"},
    {3, "THE PLOT FILE CANNOT BE WRITTEN"},
    {6, "FORT10 CANNOT BE"},
    {7, "NO FIELD COMPUTED"},
    {7, "IS AT ANTENNA"},
    {7, "LIES ON THE GROUND PROFILE"},
    {7, "RUN REFUSED: CARD"},
    {7, "RUN REFUSED: NO END CARD"},
    {7, "3D GROUND FILE HAS"},
    {8, "TERMINATION DUE TO ITERATIONS"},
    {9, "NOT COPLANAR"},
    {10, "RUN REFUSED: THE 3D GROUND FILE"},
    {11, "RAN OUT OF MEMORY"},
}};

// The meaning of each code (Kelv_getLastError).
constexpr std::array<const char*, 12> kCodeMeanings{
    "",
    "The run was stopped.",
    "The parameter file cannot be opened.",
    "The plot file cannot be opened.",
    "The 3D ground file cannot be opened.",
    "The report file FORT7 cannot be opened.",
    "The echo file FORT10 cannot be opened.",
    "A card of the parameter file cannot be read.",
    "More than 250 field points.",
    "The plate vertices are not coplanar.",
    "The 3D ground file is malformed.",
    "The run could not be carried out.",
};

bool IsReasonLine(int code, const std::string& line) {
    return std::any_of(kReasonLines.begin(), kReasonLines.end(), [&](const ReasonLine& r) {
        return r.code == code && line.find(r.mark) != std::string::npos;
    });
}

// Blanks trimmed, each run of blanks one blank.
std::string Tidied(const std::string& line) {
    std::string out;
    for (const char ch : line) {
        const bool blank = ch == ' ' || ch == '\t' || ch == '\r';
        if (blank && (out.empty() || out.back() == ' '))
            continue;
        out += blank ? ' ' : ch;
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace

std::string EngineErrorReason(int code, const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (IsReasonLine(code, *it))
            return Tidied(*it);
    }
    if (code > 0 && code < static_cast<int>(kCodeMeanings.size()))
        return kCodeMeanings[static_cast<std::size_t>(code)];
    return "The engine gave no reason for this code.";
}

std::string EngineErrorMessage(int code, const std::string& report) {
    return kEngineErrorText + std::to_string(code) + "\r" + EngineErrorReason(code, report);
}

bool IsUnnamedModel(const std::string& inFile) {
    return inFile.empty() || inFile == "none";
}

namespace {

// Marks the run active and the commands disabled for as long as it lives, whichever way it ends.
class ActiveRun {
public:
    ActiveRun(RunHost& host, RunState& state) : host_(host), state_(state) {
        state_.Active = true;
        host_.SetRunCommandsEnabled(false);
    }
    ~ActiveRun() {
        state_.Active = false;
        host_.SetRunCommandsEnabled(true);
    }
    ActiveRun(const ActiveRun&) = delete;
    ActiveRun& operator=(const ActiveRun&) = delete;

private:
    RunHost& host_;
    RunState& state_;
};

// Writes the model; false (with RunCancelled set) when no file was written, after saying why
// unless the user chose not to save.
bool WriteForRun(RunHost& host, ModelVariables& m, RunState& state) {
    const WriteStatus status = host.WriteParamFile();
    if (status == WriteStatus::Written)
        return true;
    state.RunCancelled = 1;
    if (status == WriteStatus::Failed)
        host.ShowMessage(std::string(kParamFileNotWrittenText) + "\r" + m.InFile, RunMessageIcon::Critical,
                         kFileErrorTitle);
    return false;
}

// Waits for the engine's run to end: its progress 100, or 0 with an error code. The result is
// 100 for success, else 100 plus the code.
int PollRun(RunHost& host, plat::IEngine& engine) {
    int p = 1;
    while (p < 100) {
        p = engine.Kelv_getProgress();
        if (p == 0) {
            const int e = engine.Kelv_getLastError();
            if (e != 0)
                p = e + 100;
        }
        host.DoEvents(kPollWaitMilliseconds);
    }
    return p;
}

} // namespace

void RunSimulation(RunHost& host, ModelVariables& m, RunState& state) {
    if (state.Active)
        return;
    const ActiveRun active(host, state);
    host.DoEvents(0);
    state.RunCancelled = 0;
    state.Finished = false;

    const bool unnamed = IsUnnamedModel(m.InFile);
    host.CollectParameters();
    if (const std::optional<std::string> problem = host.RunInputProblem()) {
        state.RunCancelled = 1;
        host.ShowMessage(*problem, RunMessageIcon::Exclamation, "");
        return;
    }
    if (unnamed)
        m.InFile = "temp.inp";
    if (!WriteForRun(host, m, state))
        return;
    // After the writer, which may have taken a new name from its save dialog.
    const std::string base = unnamed ? std::string("temp") : StripExtension(m.InFile);
    m.OutFile = base + ".prn";
    host.ShowOutFile(m.OutFile);

    plat::IEngine* engine = nullptr;
    try {
        engine = &host.Engine();
    } catch (const plat::EngineLoadError& e) {
        state.RunCancelled = 1;
        host.ShowMessage(std::string(kEngineMissingText) + "\r" + e.what(), RunMessageIcon::Critical, "");
        return;
    }

    host.ShowWaitWindow();
    host.DoEvents(0);
    // The file just written, under its own name: its extension need not be ".inp".
    if (engine->Kelv_start(m.InFile, m.OutFile, m.File3D) != 0) {
        host.UnloadWaitWindow();
        state.RunCancelled = 1;
        host.ShowMessage(kEngineBusyText, RunMessageIcon::Exclamation, "");
        return;
    }
    const int p = PollRun(host, *engine);
    host.UnloadWaitWindow();
    state.Finished = p == 100;
    if (state.Finished)
        host.HideChangedMarker();
    else
        host.ShowMessage(EngineErrorMessage(p - 100, host.EngineReport()), RunMessageIcon::Exclamation, "");
    host.ShowOutFile(m.OutFile);
    m.RunStatus = 1;
}

namespace {

std::string BatchBase(const std::string& inFile) {
    return IsUnnamedModel(inFile) ? std::string("temp") : StripExtension(inFile);
}

} // namespace

std::string BatchParamFile(const std::string& inFile, int i) {
    return BatchBase(inFile) + "_" + std::to_string(i) + ".inp";
}

void RunBatch(RunHost& host, ModelVariables& m, RunState& state, const std::string& checks,
              const std::function<void()>& validateTheodolite) {
    if (state.Active)
        return;
    const std::string batchName = m.InFile;
    const std::uint8_t startY = m.YAxisVar;
    for (int i = 1; i <= kOutputCount && i <= static_cast<int>(checks.size()); ++i) {
        if (checks[static_cast<std::size_t>(i - 1)] != '1')
            continue;
        m.InFile = BatchParamFile(batchName, i);
        m.YAxisVar = static_cast<std::uint8_t>(i);
        if (validateTheodolite)
            validateTheodolite();
        RunSimulation(host, m, state);
        if (state.RunCancelled == 1)
            break;
    }
    m.InFile = batchName;
    m.YAxisVar = startY;
    m.OutFile = BatchBase(batchName) + ".prn";
    host.ShowOutFile(m.OutFile);
}

std::string ReadEngineReport(const std::filesystem::path& file) {
    return plat::ReadRegularFile(file).bytes;
}

} // namespace shell
