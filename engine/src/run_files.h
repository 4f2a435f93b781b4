#ifndef KELVD_RUN_FILES_H
#define KELVD_RUN_FILES_H

#include <array>
#include <cstdio>
#include <string>

namespace kelvd {

// A path handed to a run: at most 255 bytes. A null or longer path is kept as unusable, so that the run
// fails with that file's code instead of opening a file under a cut name.
struct RunPath {
    std::array<char, 256> text{};
    bool usable = false;

    void assign(const char* path);
};

struct RunPaths {
    RunPath in, plot, ground;
};

// The five run files in table order: parameter file, plot file, 3D ground file, "FORT7", "FORT10".
// Owned by one run; a closed file's handle is cleared, so nothing is ever closed twice.
//
// The plot rows go to a new file beside the plot file, which takes the plot file's place only when the
// run has finished (PutPlotInPlace): a run that fails or is stopped leaves an earlier plot file as it was.
//
// "FORT7" and "FORT10" are opened and checked by OPENFL but emptied only by ClearOutputs, which a run
// calls once its points are being computed: emptying a long report of an earlier run takes about a
// millisecond. What is written to them before is held until then.
struct RunFiles {
    enum Index { kCards = 0, kPlot = 1, kGround = 2, kReport = 3, kEcho = 4 };
    std::array<std::FILE*, 5> f{};
    // The plot file's own name (a symbolic link's target) and the file its rows are written to.
    std::string plotTarget, plotRows;
    // The plot file did not exist: it was made empty to hold its name, and goes again unless replaced.
    bool plotCreated = false;

    RunFiles() = default;
    RunFiles(const RunFiles&) = delete;
    RunFiles& operator=(const RunFiles&) = delete;
    ~RunFiles();

    // Writes text as it is (line ends already CR LF).
    void write(Index file, const std::string& text);
    // The last whole line written to the report ("" before any).
    const std::string& lastReportLine() const { return lastReportLine_; }
    // The number (4, 5) of the output that ClearOutputs refused; 0 while none is.
    int refusedOutput() const { return cleared_ > 0 ? cleared_ : 0; }

    // An output that OPENFL has checked and ClearOutputs has yet to empty.
    struct Held {
        int fd = -1;
        bool created = false;
        std::string text;
    };
    // The report and the echo, in that order.
    std::array<Held, 2> held;
    // Their streams' buffers: the run thread that writes them shares the cores with the helpers, and a
    // report of hundreds of kilobytes written in pieces of a few takes it hundreds of calls.
    std::array<std::array<char, 1 << 16>, 2> buffers;

private:
    friend int ClearOutputs(RunFiles& files);
    void forgetReport();

    std::string lastReportLine_, reportRest_;
    int cleared_ = -1; // -1 until ClearOutputs has run, then its result
};

// The report and the echo: bare names, so in the current directory.
inline constexpr const char* kReportName = "FORT7";
inline constexpr const char* kEchoName = "FORT10";

// Opens the five files in table order; returns 0, or the number (1..5) of the first that fails (the
// files opened before it stay open). Only regular files are taken (an output may also be a new file),
// and no open ever waits (a named pipe fails at once). A file to write fails, untouched, when it is one
// of the other run files under another name or link (an input, or the plot file as "FORT7" or
// "FORT10"). The plot file itself is not opened for writing: its rows go to a new file in its folder.
// "FORT7" and "FORT10" are emptied by ClearOutputs (when "FORT10" is refused, "FORT7" is emptied here,
// for the refusal line).
int OPENFL(RunFiles& files, const RunPaths& paths);

// OPENFL's last step, taken once: empties "FORT7", then "FORT10", and writes what was held for them.
// Returns 0, or the number (4, 5) of the first that cannot be emptied: the outcome is then OPENFL's
// refusal of that file ("FORT10" untouched when "FORT7" is refused, nothing held written), and later
// calls return the same.
int ClearOutputs(RunFiles& files);

// At the end of a finished run: the plot rows, the report and the echo flushed, then the plot rows renamed
// over the plot file. Returns 0, or the number (2, 4, 5) of the first file that could not be written; the
// plot file is then untouched.
int PutPlotInPlace(RunFiles& files);

// Closes every open file in table order and clears its handle; plot rows that were not put in place are
// removed (and a plot file this run created as a placeholder). Returns false when one of the written
// files could not be written completely (the number of the first such file is stored in failedFile).
bool CLOSFL(RunFiles& files, int* failedFile = nullptr);

} // namespace kelvd

#endif
