// Times the digitiser's redraw of a 6000 × 4000 scan fitted into its picture box (clear, stretch by
// nearest pixel, show) against a peer doing the same with Qt alone: QPainter filling a picture of the
// box's size and drawing the scan scaled into it with QPainter::drawImage. Prints the median of
// several runs of each. Run from any folder: it works in a temporary folder of its own.

#include "ground/digitise/ui/frmDigitizeGround.h"
#include "platform/ui/Twips.h"
#include "platform/ui/testing/GuiTest.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kScanWidth = 6000;
constexpr int kScanHeight = 4000;
constexpr int kRuns = 15;

template <class F> double MedianMs(F&& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A scanned chart: a fine grid and some diagonal strokes on off-white.
QImage Scan() {
    QImage scan(kScanWidth, kScanHeight, QImage::Format_RGB32);
    scan.fill(QColor(250, 248, 240));
    QPainter p(&scan);
    p.setPen(QPen(QColor(150, 170, 210), 2));
    for (int x = 0; x < kScanWidth; x += 50)
        p.drawLine(x, 0, x, kScanHeight);
    for (int y = 0; y < kScanHeight; y += 50)
        p.drawLine(0, y, kScanWidth, y);
    p.setPen(QPen(Qt::black, 6));
    for (int i = 0; i < 40; ++i)
        p.drawLine(i * 150, 0, kScanWidth - i * 150, kScanHeight);
    return scan;
}

} // namespace

int main() {
    plat::testing::Application();
    const fs::path dir = fs::temp_directory_path() / ("digitiser_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const QImage scan = Scan();
    const std::string file = (dir / "scan.bmp").string();
    scan.save(QString::fromStdString(file), "BMP");

    auto& w = frmDigitizeGround();
    w.SetClientSize(plat::PixelsToTwips(1400), plat::PixelsToTwips(1000));
    w.Show();
    plat::DoEvents(50);
    if (!w.LoadImageFile(file)) {
        std::fprintf(stderr, "digitiser_bench: the scan did not load\n");
        return 1;
    }
    const int boxWidth = w.Plotter->Pixels().Width();
    const int boxHeight = w.Plotter->Pixels().Height();
    const double zoom =
        std::min(static_cast<double>(boxWidth) / kScanWidth, static_cast<double>(boxHeight) / kScanHeight);
    const QRect target(0, 0, static_cast<int>(kScanWidth * zoom), static_cast<int>(kScanHeight * zoom));

    const double window = MedianMs([&] { w.RedrawPlot(); });
    QImage peerBox(boxWidth, boxHeight, QImage::Format_RGB32);
    const double peer = MedianMs([&] {
        QPainter p(&peerBox);
        p.fillRect(peerBox.rect(), Qt::white);
        p.drawImage(target, scan);
    });
    std::printf("digitiser_bench: %d x %d scan redrawn into a %d x %d picture box (median of %d runs)\n",
                kScanWidth, kScanHeight, boxWidth, boxHeight, kRuns);
    std::printf("  window (Cls, StretchBlt nearest pixel, Refresh): %8.2f ms\n", window);
    std::printf("  peer (QPainter fillRect, drawImage):             %8.2f ms\n", peer);
    std::printf("  ratio window/peer: %.2f\n", window / peer);
    plat::DeleteWindowInstances();
    fs::remove_all(dir);
    return 0;
}
