#pragma once
// One run of the field engine from the main window, the output-antenna check that guards the run
// commands, and the batch that runs one output after another. The window is the host: it owns the
// controls, the wait window and the engine binding; these functions decide the order of the steps
// and the names, so that they are tested without a window.

#include "platform/engine/EngineBinding.h"
#include "shell/model/ModelVariables.h"
#include "shell/model/ParamFile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace shell {

inline constexpr char kNoSuchAntennaText[] =
    "Cannot Generate Output for an antenna that does not exist.\rPlease Change Output Parameters.";
inline constexpr char kEngineErrorText[] = "Kelvd.dll Error #";
inline constexpr char kEngineBusyText[] =
    "Kelvd.dll is already running a simulation; this run was not started.";
inline constexpr char kEngineMissingText[] = "The field engine library Kelvd cannot be used:";
inline constexpr char kParamFileNotWrittenText[] = "The parameter file could not be written:";
inline constexpr char kFileErrorTitle[] = "File Error";
// The engine's report, in the current directory.
inline constexpr char kEngineReportFile[] = "FORT7";

// The text of the engine's report file; "" when there is none or it is no regular file that can be
// read: a FIFO (which the engine refuses), a folder or a device is passed over at once, never waited on.
std::string ReadEngineReport(const std::filesystem::path& file);

// How long one pass of the poll loop waits for events, so that the wait does not keep a core busy.
inline constexpr int kPollWaitMilliseconds = 5;

// The number of output quantities (Y variables) a batch can choose from.
inline constexpr int kOutputCount = 11;

enum class RunMessageIcon { Exclamation, Critical };

// What a run needs of the main window.
class RunHost {
public:
    virtual ~RunHost() = default;
    // The controls copied into the model variables.
    virtual void CollectParameters() = 0;
    // The model written to InFile, with the writer's questions.
    virtual WriteStatus WriteParamFile() = 0;
    // lblOutFile shows the text (and is repainted).
    virtual void ShowOutFile(const std::string& text) = 0;
    // The not-modelled marker lblChanged is hidden.
    virtual void HideChangedMarker() = 0;
    virtual void ShowWaitWindow() = 0;
    virtual void UnloadWaitWindow() = 0;
    // The run, batch, save and load commands: disabled while a run is active.
    virtual void SetRunCommandsEnabled(bool enabled) = 0;
    // One pass of the event loop, waiting at most that long for events.
    virtual void DoEvents(int waitMilliseconds) = 0;
    virtual void ShowMessage(const std::string& text, RunMessageIcon icon, const std::string& title) = 0;
    // The bound engine; throws plat::EngineLoadError when the library or an export is missing.
    virtual plat::IEngine& Engine() = 0;
    // After collecting: why the model cannot be run as the window shows it (RunInputCheck.h), or
    // std::nullopt.
    virtual std::optional<std::string> RunInputProblem() = 0;
    // The text of the engine's report file "FORT7" as the last run left it ("" when there is none).
    virtual std::string EngineReport() = 0;
};

// The main window's run state.
struct RunState {
    // 1 when the last RunSimulation did not reach the engine because the input was refused, the
    // parameter file was not written (the user cancelled the save) or the engine could not be bound
    // or started.
    std::uint8_t RunCancelled = 0;
    // True from the start of a run until its end: a second run is refused meanwhile.
    bool Active = false;
    // True when the last RunSimulation's engine run finished (progress 100): only then is its plot file
    // new, and only then is it plotted.
    bool Finished = false;
};

// True when the output quantity yAxisVar exists for the antennas chosen: optNumAnts item
// numAntsOption (0 one antenna, 1 two, 2 three; -1 none chosen).
bool OutputAntennaExists(std::uint8_t yAxisVar, int numAntsOption);

// Why the engine refused with the code: the reason line it wrote into its report for that code
// (blanks trimmed and runs of blanks made one), else the code's meaning.
std::string EngineErrorReason(int code, const std::string& report);

// "Kelvd.dll Error #" with the code, a carriage return and EngineErrorReason.
std::string EngineErrorMessage(int code, const std::string& report);

// True when InFile names no model yet (empty or "none"): the run then writes "temp.inp".
bool IsUnnamedModel(const std::string& inFile);

// One complete run: the input checked (a problem shown, nothing written or run), the parameter file written
// (temp.inp for an unnamed model), the wait window shown, the engine started on that very file, its plot file
// and File3D, and polled until it ends; a failure shown with its code and the engine's reason, the model
// still marked as not modelled (the engine has left the earlier plot file as it was). The records are written as the
// collector leaves them: the feed boxes already hold the feeds with attenuation, phase adjust and the
// transmitter modifications applied, so the run applies none of them again. Does nothing while a run is
// active.
void RunSimulation(RunHost& host, ModelVariables& m, RunState& state);

// The parameter file of output i of a batch: the model's name without its extension ("temp" for
// an unnamed model), "_", i and ".inp".
std::string BatchParamFile(const std::string& inFile, int i);

// The batch: for each "1" among the first eleven characters of checks (character i for output i),
// InFile := BatchParamFile(batch name, i), YAxisVar := i, validateTheodolite, RunSimulation; the
// batch ends early when a run did not reach the engine. Afterwards, also after such an end, InFile
// and YAxisVar are what they were before, and OutFile (shown in lblOutFile) is the batch's base
// name with ".prn".
void RunBatch(RunHost& host, ModelVariables& m, RunState& state, const std::string& checks,
              const std::function<void()>& validateTheodolite);

} // namespace shell
