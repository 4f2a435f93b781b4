#include "shell/run/logic/RunControl.h"

namespace shell {

bool OutputAntennaExists(std::uint8_t yAxisVar, int numAntsOption) {
    if (yAxisVar == 5 || yAxisVar == 6)
        return numAntsOption != 0;
    if (yAxisVar == 7 || yAxisVar == 8)
        return numAntsOption == 2;
    return true;
}

std::string EngineErrorMessage(int code) {
    return kEngineErrorText + std::to_string(code) + "\r";
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

    std::string base;
    if (IsUnnamedModel(m.InFile)) {
        m.InFile = "temp.inp";
        host.CollectParameters();
        if (!WriteForRun(host, m, state))
            return;
        base = "temp";
    } else {
        host.CollectParameters();
        if (!WriteForRun(host, m, state))
            return;
        // After the writer, which may have taken a new name from its save dialog.
        base = StripExtension(m.InFile);
    }
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
    if (p != 100)
        host.ShowMessage(EngineErrorMessage(p - 100), RunMessageIcon::Exclamation, "");

    host.HideChangedMarker();
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

} // namespace shell
