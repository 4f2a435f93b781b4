#include "simrun.h"

#include "card_reader.h"
#include "error_codes.h"
#include "ground_file.h"
#include "text_format.h"

#include <exception>

namespace kelvd {

namespace {

// The last report line of a run that fails without a line of its own for its code (an unreadable card,
// a too large ground file, the point limit, a GTD plate or a field point says its own).
struct ReasonLine {
    int code;
    const char* line;
};
constexpr ReasonLine kReasonLines[] = {
    {errors::kStopped, "  RUN STOPPED ON REQUEST\n"},
    {errors::kFileBase + 1 + RunFiles::kPlot, "  RUN REFUSED: THE PLOT FILE CANNOT BE WRITTEN; THE EARLIER ONE IS KEPT\n"},
    {errors::kFileBase + 1 + RunFiles::kEcho, "  RUN REFUSED: THE ECHO FILE FORT10 CANNOT BE WRITTEN\n"},
    {errors::kCard, "  NO FIELD COMPUTED: A FIELD POINT HAS NO FINITE FIELD\n"},
    {errors::kBadGroundFile,
     "  RUN REFUSED: THE 3D GROUND FILE DOES NOT GIVE TWO COUNTS OF AT LEAST 1 AND X, Y, Z OF EVERY NODE\n"},
    {errors::kThreadStart, "  RUN REFUSED: THE RUN RAN OUT OF MEMORY\n"},
};

void writeReason(RunFiles& files, int code) {
    for (const ReasonLine& r : kReasonLines)
        if (r.code == code) {
            std::string line;
            Appendf(line, "%s", r.line);
            files.write(RunFiles::kReport, line);
        }
}

// The ground file's refusal: its cut count beyond the profile's capacity (errors::kCard), or malformed.
void writeGroundReason(RunFiles& files, int code) {
    if (code != errors::kCard) {
        writeReason(files, code);
        return;
    }
    std::FILE* file = files.f[RunFiles::kGround];
    int nodes = 0, cuts = 0;
    std::rewind(file);
    if (std::fscanf(file, "%d %d", &nodes, &cuts) != 2)
        cuts = 0;
    std::string line;
    Appendf(line, "  RUN REFUSED: THE 3D GROUND FILE HAS %d CUTS; THE ENGINE READS AT MOST %d\n", cuts,
            limits::kMaxGroundCuts);
    files.write(RunFiles::kReport, line);
}

int runOpenFiles(RunFiles& files, PointHelpers& helpers, RunControl& control) {
    RunInputs in{};
    std::string echo, reason;
    const int cards = ReadCards(files.f[RunFiles::kCards], in, echo, &reason);
    files.write(RunFiles::kEcho, echo);
    if (cards != 0) {
        files.write(RunFiles::kReport, reason);
        return cards;
    }

    std::string header;
    ReportHeader(in, header);
    if (const int rc = CheckComputable(in, header)) {
        files.write(RunFiles::kReport, header);
        return rc;
    }
    if (in.NPTS > limits::kMaxPoints) {
        Appendf(header, "        TERMINATION DUE TO ITERATIONS EXCEEDING 250 TO");
        Appendf(header, " BE PERFORMED IN DO-LOOP 200\n");
        files.write(RunFiles::kReport, header);
        return errors::kTooManyPoints;
    }
    files.write(RunFiles::kReport, header);

    std::vector<FlightPoint> points;
    if (const int rc = FlightPoints(in, points)) {
        std::string why;
        Appendf(why, "  NO FIELD COMPUTED: THE PATTERN CUT HAS A POINT WITHOUT A POSITION\n");
        files.write(RunFiles::kReport, why);
        return rc;
    }

    // Before the ground file is read, so that helpers started now come up while it is.
    helpers.reserve(control.threads, points.size());
    GroundData ground;
    if (in.profileFromGround)
        if (const int rc = LoadGround(files.f[RunFiles::kGround], ground)) {
            writeGroundReason(files, rc);
            return rc;
        }

    const int rc = helpers.run(in, ground, points, files, control);
    // A GTD plate and a field point at an antenna or on the ground have said why already; a refused
    // output is said by the caller.
    const bool told = rc == errors::kNotCoplanar || files.refusedOutput() != 0 ||
                      (rc == errors::kCard && files.lastReportLine().rfind("  FIELD POINT", 0) == 0);
    if (rc != 0 && !told)
        writeReason(files, rc);
    return rc;
}

} // namespace

int SIMRUN(const RunPaths& paths, RunControl& control) {
    CLocaleScope locale;
    PointHelpers own;
    PointHelpers& helpers = control.helpers ? *control.helpers : own;
    RunFiles files;
    int opened = OPENFL(files, paths);
    int code = errors::kNone;
    if (opened == 0) {
        try {
            code = runOpenFiles(files, helpers, control);
        } catch (const std::exception&) {
            // Only resource exhaustion gets here.
            code = errors::kThreadStart;
            if (files.refusedOutput() == 0)
                writeReason(files, code);
        }
        // The point loop has emptied the outputs already (a run that computes no point has not): their
        // refusal is OPENFL's, whatever the run found.
        opened = ClearOutputs(files);
    }
    if (opened == RunFiles::kEcho + 1) {
        std::string line;
        Appendf(line, "  RUN REFUSED: THE ECHO FILE FORT10 CANNOT BE CREATED\n");
        files.write(RunFiles::kReport, line);
    }
    if (opened != 0) {
        code = opened + errors::kFileBase;
    } else if (code == 0) {
        if (const int failed = PutPlotInPlace(files)) {
            code = failed + errors::kFileBase;
            writeReason(files, code);
        }
    }
    int failedFile = 0;
    if (!CLOSFL(files, &failedFile) && code == 0)
        code = failedFile + errors::kFileBase;
    return code;
}

} // namespace kelvd
