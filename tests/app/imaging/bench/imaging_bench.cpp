// Times the GIF path against peers in the same run, one line per case: the GIF coder against giflib's
// EGifPutLine on the same 8-bit images (a plot page, 2000 x 2000 noise), the octree palette against
// Pillow's FASTOCTREE quantiser on the same 2000 x 2000 photo-like picture, and SaveGIF of a plot page
// end to end. Each time is the best processor time of several runs (Pillow timed the same way). Run from any
// folder: it works in a temporary folder of its own.
#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "imaging/BmpWriter.h"
#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/mGIFSave.h"
#include "imaging/mGIFSaveReduce.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 9;

// The process's processor time in milliseconds: the machine may be shared, and waiting for it is no
// part of the work.
double CpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The best processor time of kRuns runs, in milliseconds.
double BestMs(const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        const double start = CpuMs();
        run();
        best = std::min(best, CpuMs() - start);
    }
    return best;
}

// The best wall-clock time of kRuns runs, in milliseconds: what a user waits, flushes to disk included.
double BestWallMs(const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(
            best,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void Fill32(imaging::cDIB& image, int width, int height,
            const std::function<void(int, int, std::uint8_t*)>& pixel) {
    image.Create(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixel(x, y, image.lpBits() + y * image.BytesPerScanline() + x * 4);
}

void SetRgb(std::uint8_t* p, int r, int g, int b) {
    p[0] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
    p[1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
    p[2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
}

// A plot page: white, a grey grid, black axes and four coloured traces of 1-pixel lines.
void PlotPage(imaging::cDIB& image) {
    Fill32(image, 719, 555, [](int x, int y, std::uint8_t* p) {
        const int traces[4][3] = {{0, 0, 255}, {255, 0, 0}, {255, 0, 255}, {0, 128, 0}};
        if (x >= 60 && x <= 690 && y >= 30 && y <= 500) {
            if (x == 60 || x == 690 || y == 30 || y == 500)
                return SetRgb(p, 0, 0, 0);
            for (int t = 0; t < 4; ++t) {
                const auto at = [&](int c) {
                    return static_cast<int>(265 + (100 + 20 * t) * std::sin(c / (40.0 + 25 * t) + t));
                };
                if (y >= std::min(at(x), at(x + 1)) && y <= std::max(at(x), at(x + 1)))
                    return SetRgb(p, traces[t][0], traces[t][1], traces[t][2]);
            }
            if ((x - 60) % 50 == 0 || (y - 30) % 40 == 0)
                return SetRgb(p, 192, 192, 192);
        }
        SetRgb(p, 255, 255, 255);
    });
}

// A photo-like picture: smooth shading, a few soft shapes and sensor noise.
void PhotoLike(imaging::cDIB& image) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 6);
    Fill32(image, 2000, 2000, [&](int x, int y, std::uint8_t* p) {
        const double u = x / 2000.0, v = y / 2000.0;
        double r = 90 + 120 * u + 30 * std::sin(9 * v), g = 70 + 110 * v + 25 * std::cos(7 * u),
               b = 160 - 90 * u * v;
        const double d = std::hypot(u - 0.6, v - 0.4);
        if (d < 0.2) {
            r += 80 * (0.2 - d) / 0.2;
            g -= 40 * (0.2 - d) / 0.2;
        }
        SetRgb(p, static_cast<int>(r + noise(random)), static_cast<int>(g + noise(random)),
               static_cast<int>(b + noise(random)));
    });
}

// giflib's coder over the same 8-bit image and palette, into memory.
std::string GiflibEncode(imaging::cDIB& image, const imaging::cPal8bpp& palette) {
    // Room for the whole file, as the writer under test makes for itself.
    std::string out;
    out.reserve(static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()) * 3 / 4 +
                1024);
    int error = 0;
    GifFileType* gif = EGifOpen(
        &out,
        [](GifFileType* file, const GifByteType* bytes, int n) {
            static_cast<std::string*>(file->UserData)
                ->append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(n));
            return n;
        },
        &error);
    int size = 2;
    while (size < palette.Entries())
        size *= 2;
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (int i = 0; i < palette.Entries(); ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        colours[static_cast<std::size_t>(i)] = {palette.rgbR(index), palette.rgbG(index),
                                                palette.rgbB(index)};
    }
    ColorMapObject* map = GifMakeMapObject(size, colours.data());
    EGifPutScreenDesc(gif, image.Width(), image.Height(), map->BitsPerPixel, 0, map);
    EGifPutImageDesc(gif, 0, 0, image.Width(), image.Height(), false, nullptr);
    for (int y = 0; y < image.Height(); ++y)
        EGifPutLine(gif, image.lpBits() + y * image.BytesPerScanline(), image.Width());
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

void CompareCoders(const char* name, imaging::cDIB& image, const imaging::cPal8bpp& palette) {
    std::string ours, theirs;
    const double oursMs = BestMs([&] { imaging::EncodeGIF(image, palette, -1, false, {}, ours); });
    const double giflibMs = BestMs([&] { theirs = GiflibEncode(image, palette); });
    std::printf(
        "WriteGIF coder, %-28s %8.2f ms (%zu bytes)   giflib EGifPutLine %8.2f ms (%zu bytes)   ratio %.2f\n",
        name, oursMs, ours.size(), giflibMs, theirs.size(), oursMs / giflibMs);
}

// Pillow's quantize(256, FASTOCTREE) of the same picture, timed inside Python (best of kRuns).
double PillowFastOctreeMs(const imaging::cDIB& image, const fs::path& folder) {
    std::string rgb;
    rgb.reserve(static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()) * 3);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint8_t* p = image.lpBits() + y * image.BytesPerScanline() + x * 4;
            rgb.push_back(static_cast<char>(p[2]));
            rgb.push_back(static_cast<char>(p[1]));
            rgb.push_back(static_cast<char>(p[0]));
        }
    const fs::path raw = folder / "photo.rgb";
    if (!plat::WriteFileAtomically(raw, rgb))
        return -1;
    const std::string script =
        "import sys, time\nfrom PIL import Image\n"
        "im = Image.frombytes('RGB', (" +
        std::to_string(image.Width()) + ", " + std::to_string(image.Height()) +
        "), open(sys.argv[1], 'rb').read())\nbest = 1e300\n"
        "for _ in range(" +
        std::to_string(kRuns) +
        "):\n"
        "    t = time.process_time()\n    im.quantize(256, method=Image.Quantize.FASTOCTREE)\n"
        "    best = min(best, time.process_time() - t)\nprint(best * 1000)\n";
    const fs::path py = folder / "quantize.py";
    if (!plat::WriteFileAtomically(py, script))
        return -1;
    const std::string command = std::string(PILLOW_PYTHON) + " '" + py.string() + "' '" + raw.string() + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    double ms = -1;
    if (std::fscanf(pipe, "%lf", &ms) != 1)
        ms = -1;
    ::pclose(pipe);
    return ms;
}

} // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("imaging_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);

    imaging::cDIB page;
    PlotPage(page);
    imaging::cDIB page8;
    imaging::cPal8bpp pagePalette;
    imaging::ConvertTo8bpp(page, page8, pagePalette);
    CompareCoders("plot page 719 x 555:", page8, pagePalette);

    imaging::cDIB noise;
    noise.Create(2000, 2000, 8);
    std::mt19937 random(11);
    for (int y = 0; y < 2000; ++y)
        for (int x = 0; x < 2000; ++x)
            noise.lpBits()[y * noise.BytesPerScanline() + x] = static_cast<std::uint8_t>(random());
    imaging::cPal8bpp greys;
    greys.CreateGreyScale(2);
    CompareCoders("noise 2000 x 2000:", noise, greys);

    imaging::cDIB photo;
    PhotoLike(photo);
    imaging::cPal8bpp optimal;
    const double octreeMs = BestMs([&] { optimal.CreateOptimal(photo, 256, 8, 1, 1, 1); });
    const double pillowMs = PillowFastOctreeMs(photo, folder);
    std::printf("CreateOptimal, photo-like 2000 x 2000:        %8.2f ms (%d colours)   Pillow FASTOCTREE "
                "%8.2f ms   ratio %.2f\n",
                octreeMs, optimal.Entries(), pillowMs, octreeMs / pillowMs);

    const std::string gif = (folder / "page.gif").string();
    const std::string bmp = (folder / "page.bmp").string();
    imaging::SavePicture(page.Image(), bmp);
    const auto fromMemory = [&] { imaging::SaveGIF(page, gif); };
    const auto fromFile = [&] { imaging::SaveGIF(bmp, gif); };
    const double memoryMs = BestMs(fromMemory), memoryWallMs = BestWallMs(fromMemory);
    const double fileMs = BestMs(fromFile), fileWallMs = BestWallMs(fromFile);
    std::printf(
        "SaveGIF, plot page 719 x 555 from memory:     %8.2f ms (%.2f ms wall);   from its BMP file %8.2f ms "
        "(%.2f ms wall); %ju bytes\n",
        memoryMs, memoryWallMs, fileMs, fileWallMs, static_cast<std::uintmax_t>(fs::file_size(gif)));
    fs::remove_all(folder);
    return 0;
}
