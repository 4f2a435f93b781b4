// The viewer window in motion over a 100 x 100 ground: frames a second actually drawn while flying
// through and while orbiting, against what the 16 ms motion timer and the time of a single redraw
// allow (the part lost to overhead is the figure to watch); and the capture of its 743 x 500 picture
// to a GIF against the GIF writer alone on the same picture. Run from any folder: files go to a
// temporary folder of its own.

#include <QApplication>
#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "imaging/CaptureFiles.h"
#include "imaging/cDIB.h"
#include "imaging/mGIFSave.h"
#include "platform/grid/GridModel.h"
#include "platform/services/Clock.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSide = 100;
constexpr int kMotionMs = 3000;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The ground editor's grid of kSide cuts of kSide nodes: an "X" row heads each cut, node rows hold
// X, Y, Z in columns 1 to 3.
void FillGround(plat::GridModel& grid) {
    grid.SetCols(4);
    grid.SetRows(1 + kSide * (kSide + 1) + 1);
    int row = 1;
    for (int j = 0; j < kSide; ++j) {
        grid.SetTextMatrix(row++, 1, "X");
        for (int i = 0; i < kSide; ++i) {
            grid.SetTextMatrix(row, 1, std::to_string(-2500 + 50 * i));
            grid.SetTextMatrix(row, 2, std::to_string(100 + 50 * j));
            grid.SetTextMatrix(row, 3, std::to_string(10 * std::sin(i * 0.2) * std::cos(j * 0.15)));
            ++row;
        }
    }
}

// The best time of one redraw, in milliseconds.
double FrameMs(class frmViewGround& v) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        for (int k = 0; k < 10; ++k) {
            v.RedrawView();
        }
        best = std::min(best, Seconds(start) * 100.0);
    }
    return best;
}

// Frames drawn a second while a motion started by `start` runs for kMotionMs, then `stop` ends it.
template <class Start, class Stop> double MotionFramesPerSecond(class frmViewGround& v, Start&& start, Stop&& stop) {
    const int before = v.RedrawCount();
    const auto t0 = Clock::now();
    start();
    plat::DoEvents(kMotionMs);
    const int frames = v.RedrawCount() - before;
    const double seconds = Seconds(t0);
    stop();
    return frames / seconds;
}

void Report(const char* name, double fps, double frameMs, int tickMs) {
    const double possible = 1000.0 / std::max(static_cast<double>(tickMs), frameMs);
    std::printf("%-12s %7.1f frames/s drawn, %7.1f possible (frame %.2f ms, tick %d ms): %5.1f %% lost\n", name,
                fps, possible, frameMs, tickMs, 100.0 * (1.0 - fps / possible));
}

template <class F> double BestMs(F&& run) {
    double best = 1e9;
    for (int round = 0; round < 7; ++round) {
        const auto start = Clock::now();
        run();
        best = std::min(best, Seconds(start) * 1000.0);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("viewer_motion_bench_" + std::to_string(getpid()));
    fs::create_directories(folder);
    frmViewGround::ProgramFolder() = folder;

    plat::GridModel grid;
    FillGround(grid);
    shell::Model().ViewGroundSource = 1;
    ViewGroundHost host;
    host.groundGrid = [&grid]() -> const plat::GridModel* { return &grid; };
    frmViewGround::DefaultHost() = host;
    auto& v = frmViewGround();
    v.Show();
    plat::DoEvents(100);
    if (!v.SurfaceCreated()) {
        std::printf("viewer_motion_bench: no OpenGL surface\n");
        return 1;
    }
    v.LoadGroundNodes();
    std::printf("viewer_motion_bench: %d x %d ground (%d nodes), picture %d x %d\n", kSide, kSide,
                v.Nodes().NodeCount(), v.Plotter->Pixels().Width(), v.Plotter->Pixels().Height());

    // The window's own settings first (mesh and terrain lines on), then with the terrain lines off.
    for (const int lines : {1, 0}) {
        v.chkShowTerrainLines->SetValue(lines);
        std::printf("-- terrain lines %s\n", lines == 1 ? "on (the window's default)" : "off");
        const double frameMs = FrameMs(v);
        const double fly = MotionFramesPerSecond(
            v, [&] { v.Command1->Click(); }, [&] { v.Command1->Click(); });
        Report("fly-through", fly, frameMs, frmViewGround::kMotionTickMs);
        const double orbit = MotionFramesPerSecond(
            v, [&] { v.lblOrbit.Click(0); }, [&] { v.lblOrbit.Click(0); });
        Report("orbit", orbit, frameMs, frmViewGround::kMotionTickMs);
    }

    const plat::PixelBuffer& picture = v.Plotter->Pixels();
    const std::string capture = (folder / "capture.gif").string();
    const std::string alone = (folder / "alone.gif").string();
    const double captureMs = BestMs([&] { imaging::WriteCapture(picture, imaging::CaptureTargetsFor(capture)); });
    const double writerMs = BestMs([&] {
        imaging::cDIB image;
        image.CreateFromStdPicture(picture, true);
        imaging::SaveGIF(image, alone);
    });
    std::printf("capture     %7.2f ms to GIF, writer alone %.2f ms: %.2fx\n", captureMs, writerMs,
                captureMs / writerMs);

    plat::Unload(v);
    fs::remove_all(folder);
    return 0;
}
