// Times reading a 100-cut, 100-node .3D file into the ground editor's grid (its flexible grid on a
// window, off screen) and writing it back through the editor's writer, against a peer doing the same
// work with plain means: strtod, a QStandardItemModel filled with the same 40,400 texts and header
// colours, and snprintf. Prints the median of several runs of each. Run from any folder: it works in a
// temporary folder of its own.

#include "ground/logic/GroundFile.h"
#include "ground/ui/frmEdit3D.h"
#include "platform/text/AtomicFile.h"
#include "platform/ui/testing/GuiTest.h"

#include <QBrush>
#include <QColor>
#include <QStandardItemModel>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kCount = 100;
constexpr int kRuns = 9;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A terrain with varied values, in the editor's layout.
std::string TerrainText() {
    std::string text = ground::CountsLine(kCount, kCount);
    char line[96];
    for (int j = 0; j < kCount; ++j)
        for (int i = 0; i < kCount; ++i) {
            std::snprintf(line, sizeof line, "%.2f %.2f %.2f\r\n", -5000.0 + 101.01 * i, -1000.0 + 250.5 * j,
                          10.0 * std::sin(0.1 * i + 0.2 * j));
            text += line;
        }
    return text;
}

template <class F> double MedianMs(F&& work) {
    std::vector<double> ms;
    for (int k = 0; k < kRuns; ++k) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The editor's way: its reader, its grid on the window, its writer and the atomic file write.
void EditorRound(class frmEdit3D& w, const fs::path& in, const fs::path& out) {
    const ground::GroundReadResult r = ground::Read3DFile(in, false);
    if (!r.data)
        std::abort();
    ground::FillGroundGrid(*w.grdGround, *r.data);
    const ground::GroundWriteText text = ground::Format3DText(*w.grdGround, kCount, kCount, false);
    if (text.badCell || !plat::WriteFileAtomically(out, text.bytes))
        std::abort();
}

// The peer: the same texts and colours into a plain item model, numbers parsed with strtod and
// written with snprintf.
void PeerRound(QStandardItemModel& model, const fs::path& in, const fs::path& out) {
    const std::string text = Slurp(in);
    const char* p = text.c_str();
    char* end = nullptr;
    const long numX = std::strtol(p, &end, 10);
    const long numY = std::strtol(end, &end, 10);
    model.clear();
    model.setRowCount(static_cast<int>((numX + 1) * numY));
    model.setColumnCount(4);
    const QBrush grey(QColor(0xC0, 0xC0, 0xC0));
    const char* headers[] = {" X", " Y", " Z"};
    char cell[64];
    for (long j = 0; j < numY; ++j) {
        const int header = static_cast<int>((numX + 1) * j);
        auto* name = new QStandardItem(j == 0 ? QString() : QStringLiteral("#%1").arg(j + 1));
        name->setBackground(grey);
        model.setItem(header, 0, name);
        for (int c = 1; c <= 3; ++c) {
            auto* item = new QStandardItem(QString::fromLatin1(headers[c - 1]));
            item->setBackground(grey);
            model.setItem(header, c, item);
        }
        for (long i = 1; i <= numX; ++i) {
            model.setItem(header + static_cast<int>(i), 0, new QStandardItem(QString::number(i)));
            for (int c = 1; c <= 3; ++c) {
                const double v = std::strtod(end, &end);
                std::snprintf(cell, sizeof cell, "%g", std::round(v * 100.0) / 100.0);
                model.setItem(header + static_cast<int>(i), c, new QStandardItem(QString::fromLatin1(cell)));
            }
        }
    }
    std::string written;
    std::snprintf(cell, sizeof cell, " %ld ", numX);
    written = cell;
    written.append(14 - written.size(), ' ');
    std::snprintf(cell, sizeof cell, " %ld \r\n", numY);
    written += cell;
    for (long j = 0; j < numY; ++j)
        for (long i = 1; i <= numX; ++i) {
            const int row = static_cast<int>((numX + 1) * j + i);
            const double x = model.item(row, 1)->text().toDouble();
            const double y = model.item(row, 2)->text().toDouble();
            const double z = model.item(row, 3)->text().toDouble();
            std::snprintf(cell, sizeof cell, "%.2f %.2f %.2f\r\n", x, y, z);
            written += cell;
        }
    std::FILE* f = std::fopen(out.c_str(), "wb");
    if (!f)
        std::abort();
    std::fwrite(written.data(), 1, written.size(), f);
    std::fclose(f);
}

} // namespace

int main() {
    plat::testing::Application();
    const fs::path dir = fs::temp_directory_path() / ("ground_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path in = dir / "terrain.3D";
    {
        std::ofstream f(in, std::ios::binary);
        f << TerrainText();
    }
    auto& w = frmEdit3D();
    plat::Load(w);
    QStandardItemModel model;

    const double editor = MedianMs([&] { EditorRound(w, in, dir / "editor.3D"); });
    const double peer = MedianMs([&] { PeerRound(model, in, dir / "peer.3D"); });
    const bool same = Slurp(dir / "editor.3D") == Slurp(in) && Slurp(dir / "peer.3D") == Slurp(in);
    std::printf("ground_bench: %d x %d .3D file read into the grid and written back (median of %d runs)\n",
                kCount, kCount, kRuns);
    std::printf("  editor (FlexGrid, Read3DFile, Format3DText, atomic write): %8.2f ms\n", editor);
    std::printf("  peer (QStandardItemModel, strtod, snprintf):              %8.2f ms\n", peer);
    std::printf("  ratio editor/peer: %.2f; files identical to the input: %s\n", editor / peer,
                same ? "yes" : "no");
    plat::DeleteWindowInstances();
    fs::remove_all(dir);
    return same ? 0 : 1;
}
