// Times the plot window's redraw of a 20001-point approach (read, ranges, axes, trace, analysis and
// titles on the 719 x 555 page) against QPainter::drawPolyline of the same points on an image of
// that size, in the same run: the redraw as the window repeats it (the file unchanged, its curve
// and its analysis kept) and the first redraw of a file (read, parsed and analysed). Run from any folder: it works in a
// temporary folder of its own.
#include "plot/logic/PlotFileReader.h"
#include "plot/mm/modPlot_mm.h"
#include "plot/ui/PlotLinks.h"
#include "plot/ui/PlotPage.h"
#include "shell/model/ModelVariables.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kPoints = 20001;
constexpr int kRepeats = 15;

double Distance(int i) {
    return 30380.0 - i * (29880.0 / (kPoints - 1));
}

double CDI(double d) {
    return (std::atan((50 + d * std::tan(3 * 0.0174533)) / d) / 0.0174533 - 3) * 150 / 0.7 +
           8 * std::sin(d / 300) + 3 * std::sin(d / 37);
}

template <class F> double MedianMs(F&& run) {
    std::vector<double> ms;
    for (int r = 0; r < kRepeats; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const fs::path dir = fs::temp_directory_path() / ("plot_page_bench." + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    {
        std::ofstream out("bench.prn", std::ios::binary);
        char line[64];
        for (int i = 0; i < kPoints; ++i) {
            std::snprintf(line, sizeof line, " %12.5E %12.5E\r\n", Distance(i), CDI(Distance(i)));
            out << line;
        }
    }
    shell::ModelVariables& m = shell::Model();
    m.OutFile = (dir / "bench.prn").string();
    m.PlotFlightType = 3;
    m.FlightType = 3;
    m.YAxisVar = 1;
    m.PathAngle = 3.0F;
    m.PathWidth = 0.7F;
    SetPlotWindowLinks({[] { return false; }, [](std::uint8_t) { return std::string("1 - CDI"); }});

    plat::PixelBuffer buffer(plot::kPagePixelsX, plot::kPagePixelsY, plat::PixelFormat::Bgrx32);
    plat::DeviceContext dc(buffer);
    PlotView view;
    const auto redraw = [&] {
        buffer.Fill(0xFFFFFF);
        plot::BeginPlot(dc);
        PlotData(dc, view);
    };
    redraw();
    const double page = MedianMs(redraw);
    const double firstPage = MedianMs([&] {
        PlotView fresh;
        buffer.Fill(0xFFFFFF);
        plot::BeginPlot(dc);
        PlotData(dc, fresh);
    });
    // Its parts: the file read alone, the axes and titles alone (a page with no points).
    const double read = MedianMs([&] {
        plot::PlotTrace trace;
        plot::ReadPlotFile(m.OutFile, {3, 0, 1, 1}, trace);
    });
    m.OutFile = (dir / "empty.prn").string();
    std::ofstream(m.OutFile, std::ios::binary) << " 0.0 0.0\r\n";
    const double frame = MedianMs(redraw);

    // The floor: the same points, already in pixels, as one polyline on an image of the page's size.
    QPolygonF points;
    for (int i = 0; i < kPoints; ++i)
        points << QPointF(65.4 + Distance(i) * 588.3 / 24304, 65.3 + (CDI(Distance(i)) + 100) * 424.4 / 200);
    QImage image(plot::kPagePixelsX, plot::kPagePixelsY, QImage::Format_RGB32);
    const double floor = MedianMs([&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::blue, 1));
        painter.drawPolyline(points);
    });

    std::printf("plot page redraw, %d points (read, ranges, axes, trace, analysis), the file unchanged: "
                "%.2f ms\n",
                kPoints, page);
    std::printf("  the first redraw of the file (read, parsed and analysed): %.2f ms\n", firstPage);
    std::printf("  of which reading the file: %.2f ms; axes and titles alone: %.2f ms\n", read, frame);
    std::printf("QPainter::drawPolyline of the same points on 719 x 555: %.2f ms\n", floor);
    std::printf("ratio: %.1f x unchanged, %.1f x first (goal: within 3 x unchanged)\n", page / floor,
                firstPage / floor);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(dir);
    return 0;
}
