// "Send to File": the names a choice gives, and the files written from the plot's picture, read back
// by Pillow.
#include "PlotFixture.h"

#include "platform/ui/testing/UserInput.h"
#include "plot/ui/PlotCapture.h"
#include "plot/ui/frmPlot.h"

#include <QImage>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace plotfixture;

TEST(CaptureTargets, AGifNameIsTheGifAndAnyOtherNameABitmapWithItsGifBeside) {
    const struct {
        const char* chosen;
        const char* bitmap;
        const char* gif;
    } cases[] = {{"/d/plot.gif", "", "/d/plot.gif"},
                 {"/d/PLOT.GIF", "", "/d/PLOT.GIF"},
                 {"/d/run.v2.gif", "", "/d/run.v2.gif"},
                 {"plot.gif", "", "plot.gif"},
                 {"/d/plot.bmp", "/d/plot.bmp", "/d/plot.gif"},
                 {"/d/run.v2.bmp", "/d/run.v2.bmp", "/d/run.v2.gif"},
                 {"/d.x/plot", "/d.x/plot", "/d.x/plot.gif"},
                 {"/d/.hidden", "/d/.hidden", "/d/.hidden.gif"}};
    for (const auto& c : cases) {
        const CaptureTargets t = CaptureTargetsFor(c.chosen);
        EXPECT_EQ(t.bitmap, c.bitmap) << c.chosen;
        EXPECT_EQ(t.gif, c.gif) << c.chosen;
    }
}

TEST(CaptureTargets, TheDefaultNameIsThePlotFilesTitleOrGSPlot) {
    EXPECT_EQ(DefaultCaptureName("/runs/approach.prn"), "approach");
    EXPECT_EQ(DefaultCaptureName("approach.v2.prn"), "approach");
    EXPECT_EQ(DefaultCaptureName(""), "GSPlot");
    EXPECT_EQ(DefaultCaptureName("/" + std::string(300, 'a') + "/x.prn"), "GSPlot");
}

class PlotCaptureTest : public plat::testing::ScratchFolderTest {
protected:
    PlotCaptureTest() : ScratchFolderTest(std::filesystem::temp_directory_path() / "pellon_plot_capture") {
        plat::testing::Application();
        Links();
        SetPlotOutFileCaption([] { return std::string("/runs/approach.prn"); });
        SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    }
    void TearDown() override {
        SetPlotOutFileCaption(nullptr);
        plat::DeleteWindowInstances();
    }
    class frmPlot& Shown() {
        class frmPlot& w = frmPlot();
        w.Show();
        plat::DoEvents(50);
        return w;
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir_))
            if (e.is_regular_file())
                names.push_back(std::filesystem::relative(e.path(), dir_).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The GIF as Pillow reads it: its size and its pixels as RGB.
    struct Decoded {
        std::uint32_t width = 0, height = 0;
        std::string rgb;
    };
    Decoded Pillow(const std::string& gif) const {
        const std::string out = (dir_ / "decoded.bin").string();
        const std::string command =
            std::string(PILLOW_PYTHON) + " " + DECODE_GIF_SCRIPT + " '" + gif + "' '" + out + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(out, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::filesystem::remove(out);
        Decoded d;
        if (bytes.size() < 12)
            return d;
        std::uint32_t head[3];
        std::memcpy(head, bytes.data(), sizeof head);
        d.width = head[0];
        d.height = head[1];
        const std::size_t pixels = std::size_t{d.width} * d.height;
        d.rgb = bytes.substr(12 + std::size_t{head[2]} * 3 + pixels, pixels * 3);
        return d;
    }
    static std::string Rgb(const QImage& picture) {
        std::string rgb;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                rgb +=
                    {static_cast<char>(qRed(p)), static_cast<char>(qGreen(p)), static_cast<char>(qBlue(p))};
            }
        return rgb;
    }
    plat::testing::ScriptedServices services;
};

TEST_F(PlotCaptureTest, AGifNameGivesExactlyThatFileThePicturePixelForPixel) {
    class frmPlot& w = Shown();
    services.Files().ExpectFile((dir_ / "approach.gif").string());
    services.Boxes().Expect(kPlotCaptured, plat::vbOK);
    w.Menu("mnuPlotSend").Trigger();
    // The dialog offered the plot file's title as a GIF.
    ASSERT_EQ(services.Files().Requests().size(), 1U);
    const plat::FileDialogRequest& r = services.Files().Requests()[0];
    EXPECT_EQ(r.kind, plat::FileDialogKind::Save);
    EXPECT_EQ(r.fileName, "approach.gif");
    EXPECT_EQ(r.filter, "*.gif|*.gif");
    EXPECT_FALSE(w.OpenSave1.CancelError);
    const std::vector<std::string> files = {"approach.gif", "approach.prn"};
    EXPECT_EQ(Files(), files); // no bitmap
    EXPECT_EQ(Read("approach.gif").substr(0, 6), "GIF87a");
    const Decoded d = Pillow((dir_ / "approach.gif").string());
    EXPECT_EQ(d.width, 719U);
    EXPECT_EQ(d.height, 555U);
    EXPECT_TRUE(d.rgb == Rgb(w.Plotter->Picture())) << "the GIF differs from the picture";
}

TEST_F(PlotCaptureTest, DottedNamesAndOtherExtensionsAreKept) {
    class frmPlot& w = Shown();
    services.Files().ExpectFile((dir_ / "run.v2.gif").string());
    services.Files().ExpectFile((dir_ / "plot.bmp").string());
    services.Boxes().Expect(kPlotCaptured, plat::vbOK);
    services.Boxes().Expect(kPlotCaptured, plat::vbOK);
    w.Menu("mnuPlotSend").Trigger();
    w.Menu("mnuPlotSend").Trigger();
    const std::vector<std::string> files = {"approach.prn", "plot.bmp", "plot.gif", "run.v2.gif"};
    EXPECT_EQ(Files(), files);
    EXPECT_EQ(Read("run.v2.gif").substr(0, 6), "GIF87a");
    EXPECT_EQ(Read("plot.bmp").substr(0, 2), "BM");
    EXPECT_EQ(Read("plot.gif").substr(0, 6), "GIF87a");
    // With no plot file named the dialog offers "GSPlot".
    SetPlotOutFileCaption(nullptr);
    services.Files().ExpectCancel();
    w.Menu("mnuPlotSend").Trigger();
    EXPECT_EQ(services.Files().Requests().back().fileName, "GSPlot.gif");
}

TEST_F(PlotCaptureTest, ACancelWritesAndShowsNothing) {
    class frmPlot& w = Shown();
    services.Files().ExpectCancel();
    w.Menu("mnuPlotSend").Trigger();
    EXPECT_TRUE(services.Boxes().Shown().empty());
    const std::vector<std::string> files = {"approach.prn"};
    EXPECT_EQ(Files(), files);
}

// Each existing file the command would write is asked about, as the viewer's capture asks; a No
// leaves every file as it was and says nothing more.
TEST_F(PlotCaptureTest, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
    class frmPlot& w = Shown();
    Put("approach.gif", "old gif");
    Put("plot.bmp", "old bitmap");
    Put("plot.gif", "old gif beside");
    const auto send = [&](const char* chosen, std::vector<int> answers) {
        services.Files().ExpectFile((dir_ / chosen).string());
        for (int a : answers)
            services.Boxes().Expect(imaging::kOverwriteQuestion, a);
        ASSERT_TRUE(plat::testing::ClickMenu(w, {"Plot", "&Send to File"}));
    };
    send("approach.gif", {plat::vbNo});
    send("plot.bmp", {plat::vbNo});
    send("plot.bmp", {plat::vbYes, plat::vbNo}); // the bitmap, then the GIF beside it
    EXPECT_EQ(Read("approach.gif"), "old gif");
    EXPECT_EQ(Read("plot.bmp"), "old bitmap");
    EXPECT_EQ(Read("plot.gif"), "old gif beside");
    ASSERT_EQ(services.Boxes().Shown().size(), 4U);
    for (const plat::MessageBoxRequest& b : services.Boxes().Shown()) {
        EXPECT_EQ(b.title, imaging::kFileExistsTitle);
        EXPECT_EQ(b.buttons, plat::vbYesNo);
    }
    // Yes replaces the file; a new name asks nothing.
    services.Boxes().Expect(kPlotCaptured, plat::vbOK);
    send("approach.gif", {plat::vbYes});
    EXPECT_EQ(Read("approach.gif").substr(0, 6), "GIF87a");
    services.Boxes().Expect(kPlotCaptured, plat::vbOK);
    send("new.gif", {});
    EXPECT_EQ(Read("new.gif").substr(0, 6), "GIF87a");
    EXPECT_EQ(services.Boxes().Shown().size(), 7U);
}

TEST_F(PlotCaptureTest, AFolderThatCannotBeWrittenGivesTheReasonAndNoFile) {
    class frmPlot& w = Shown();
    Put("blocker", "a file where the folder should be");
    std::filesystem::create_directory(dir_ / "locked");
    chmod((dir_ / "locked").c_str(), 0555);
    const bool lockedHolds = geteuid() != 0; // root writes into a read-only folder
    std::vector<std::pair<std::string, int>> targets = {{(dir_ / "none" / "plot.bmp").string(), ENOENT},
                                                        {(dir_ / "blocker" / "plot.gif").string(), ENOTDIR}};
    if (lockedHolds)
        targets.emplace_back((dir_ / "locked" / "plot.gif").string(), EACCES);
    for (const auto& [target, error] : targets) {
        services.Files().ExpectFile(target);
        services.Boxes().Expect("The plot could not be written to " + target + ": " + std::strerror(error),
                                plat::vbOK);
        w.Menu("mnuPlotSend").Trigger();
        ASSERT_FALSE(services.Boxes().Shown().empty()) << target;
        const std::string& message = services.Boxes().Shown().back().prompt;
        EXPECT_NE(message.find(target), std::string::npos) << message;
        EXPECT_EQ(message.find(kPlotCaptured), std::string::npos) << message;
    }
    chmod((dir_ / "locked").c_str(), 0755);
    EXPECT_EQ(services.Boxes().Shown().size(), targets.size());
    const std::vector<std::string> files = {"approach.prn", "blocker"};
    EXPECT_EQ(Files(), files);
}

} // namespace
