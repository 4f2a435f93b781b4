#include "simrun.h"

#include "card_reader.h"
#include "error_codes.h"
#include "ground_file.h"
#include "text_format.h"

namespace kelvd {

namespace {

int runOpenFiles(RunFiles& files, RunControl& control) {
    RunInputs in{};
    std::string echo;
    const int cards = ReadCards(files.f[RunFiles::kCards], in, echo);
    files.write(RunFiles::kEcho, echo);
    if (cards != 0)
        return cards;

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
        std::string reason;
        Appendf(reason, "  NO FIELD COMPUTED: THE PATTERN CUT HAS A POINT WITHOUT A POSITION\n");
        files.write(RunFiles::kReport, reason);
        return rc;
    }

    GroundData ground;
    if (in.profileFromGround)
        if (const int rc = LoadGround(files.f[RunFiles::kGround], ground))
            return rc;

    return RunPointLoop(in, ground, points, files, control);
}

} // namespace

int SIMRUN(const RunPaths& paths, RunControl& control) {
    CLocaleScope locale;
    RunFiles files;
    const int opened = OPENFL(files, paths);
    int code = opened != 0 ? opened + errors::kFileBase : runOpenFiles(files, control);
    int failedFile = 0;
    if (!CLOSFL(files, &failedFile) && code == 0)
        code = failedFile + errors::kFileBase;
    return code;
}

} // namespace kelvd
