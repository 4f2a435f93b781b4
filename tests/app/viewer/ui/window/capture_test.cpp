// "Capture" and CopyPlotterToFile on a real OSMesa picture: the files a chosen name leads to, read
// back by Pillow and giflib's tools, the questions and messages, and what a cancel, a No and an
// unwritable folder leave behind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ViewerProfileGrid.h"
#include "GifDecoders.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/ScratchFolder.h"
#include "shell/model/ModelVariables.h"
#include "viewer/logic/CaptureNames.h"
#include "viewer/ui/frmViewGround.h"

namespace {

namespace fs = std::filesystem;

class ViewGroundCapture : public plat::testing::ScratchFolderTest {
protected:
    ViewGroundCapture() : ScratchFolderTest(fs::temp_directory_path() / "pellon_viewer_capture") {
        plat::testing::Application();
    }
    void SetUp() override {
        shell::Model() = shell::ModelVariables{};
        shell::Model().File3D = (dir_ / "sites" / "runway12.3D").string();
        boxes_.X = {"0", "", "0"};
        boxes_.Y = {"-1000", "", "0"};
        boxes_.Z = {"", "", ""};
    }
    void TearDown() override { plat::DeleteWindowInstances(); }

    // The viewer loaded with its ground and a first picture drawn.
    class frmViewGround& Viewer() {
        auto& w = frmViewGround();
        ViewGroundHost host;
        host.groundGrid = [this]() -> const plat::GridModel* { return &grid_; };
        host.antennaBoxes = [this] { return boxes_; };
        host.setAntennaBoxes = [this](const viewer::AntennaBoxes& b) { boxes_ = b; };
        host.useSI = [] { return false; };
        w.SetHost(host);
        plat::Load(w);
        EXPECT_TRUE(w.SurfaceCreated());
        w.LoadGroundNodes();
        w.RedrawView();
        return w;
    }
    // Files below the scratch folder, by relative name.
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(dir_))
            if (e.is_regular_file())
                names.insert(fs::relative(e.path(), dir_).string());
        return names;
    }
    std::string Full(const std::string& relative) const { return (dir_ / relative).string(); }

    ViewerProfileGrid grid_{{"0", "40", "20", "90", "30"}};
    viewer::AntennaBoxes boxes_;
    plat::testing::ScriptedServices services_;
};

using Rgb = gifcheck::Rgb;

Rgb RgbOf(QRgb p) {
    return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
            static_cast<std::uint8_t>(qBlue(p))};
}

// Both decoders read the GIF as the picture: its size, at most 256 colours, and every pixel within
// the reduction's error of the picture's. The pictures here hold at most 256 colours (flat fills,
// lines and a few lit faces), which the optimal palette keeps exactly: the error diffusion then has
// no error to spread, and each pixel must come back as it was.
void ExpectGifOfPicture(const std::string& gif, const QImage& picture) {
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y) & 0xFFFFFFU);
    ASSERT_LE(colours.size(), 256U) << "a picture of more colours than the exact check covers";
    for (const auto& [name, d] :
         {std::pair{"Pillow", gifcheck::Pillow(gif)}, std::pair{"giflib", gifcheck::Giflib(gif)}}) {
        SCOPED_TRACE(std::string(name) + " reading " + gif);
        ASSERT_TRUE(d.ok);
        ASSERT_EQ(d.width, picture.width());
        ASSERT_EQ(d.height, picture.height());
        EXPECT_LE(d.table.size(), 256U);
        ASSERT_EQ(d.rgb.size(), static_cast<std::size_t>(d.width) * static_cast<std::size_t>(d.height) * 3);
        int worst = 0;
        std::size_t at = 0;
        for (int y = 0; y < d.height; ++y)
            for (int x = 0; x < d.width; ++x, at += 3) {
                const Rgb source = RgbOf(picture.pixel(x, y));
                for (std::size_t c = 0; c < 3; ++c)
                    worst = std::max(worst, std::abs(int{d.rgb[at + c]} - int{source[c]}));
            }
        EXPECT_EQ(worst, 0) << colours.size() << " colours in the picture";
    }
}

TEST_F(ViewGroundCapture, AGifNameIsOneGifFileOfThePicture) {
    auto& w = Viewer();
    const int redraws = w.RedrawCount();
    services_.Files().ExpectFile(Full("view.gif"));
    services_.Boxes().Expect(viewer::kCaptureComplete, plat::vbOK);
    w.cmdCapture->Click();
    EXPECT_EQ(w.cmdCapture->Caption(), "Capture");
    // The dialog proposed the ground file's title as a GIF.
    ASSERT_EQ(services_.Files().Requests().size(), 1U);
    const plat::FileDialogRequest& r = services_.Files().Requests()[0];
    EXPECT_EQ(r.kind, plat::FileDialogKind::Save);
    EXPECT_EQ(r.fileName, "runway12.gif");
    EXPECT_EQ(r.filter, "*.gif|*.gif");
    EXPECT_FALSE(w.OpenSave1.CancelError);
    // One fresh picture, held in the persistent image, and AutoRedraw off again once written.
    EXPECT_EQ(w.RedrawCount(), redraws + 1);
    EXPECT_FALSE(w.Plotter->AutoRedraw());
    EXPECT_EQ(Files(), (std::set<std::string>{"view.gif"}));
    EXPECT_EQ(Read("view.gif").substr(0, 6), "GIF87a");
    ExpectGifOfPicture(Full("view.gif"), w.Plotter->Picture());
}

// Each name leads to its files, a bitmap only where the name is not a GIF's; a name without a folder
// keeps its GIF beside it. No ground file: the dialog proposes nothing.
TEST_F(ViewGroundCapture, NamesLeadToTheirFiles) {
    shell::Model().File3D.clear();
    auto& w = Viewer();
    const struct {
        std::string chosen;
        std::set<std::string> files;
    } cases[] = {{Full("a/view.bmp"), {"a/view.bmp", "a/view.gif"}},
                 {Full("b/view.v2.gif"), {"b/view.v2.gif"}},
                 {Full("c/a.b.gif"), {"c/a.b.gif"}},
                 {Full("d/VIEW.GIF"), {"d/VIEW.GIF"}},
                 {"bare.bmp", {"bare.bmp", "bare.gif"}}};
    std::set<std::string> expected;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        fs::create_directories(dir_ / fs::path(*c.files.begin()).parent_path());
        services_.Files().ExpectFile(c.chosen);
        services_.Boxes().Expect(viewer::kCaptureComplete, plat::vbOK);
        w.cmdCapture->Click();
        EXPECT_EQ(services_.Files().Requests().back().fileName, "");
        expected.insert(c.files.begin(), c.files.end());
        EXPECT_EQ(Files(), expected);
    }
    const QImage picture = w.Plotter->Picture();
    // The bitmap is the picture exactly; its GIF beside it reads as the picture.
    QImage bitmap(QString::fromStdString(Full("a/view.bmp")), "BMP");
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    ExpectGifOfPicture(Full("a/view.gif"), picture);
    EXPECT_EQ(Read("b/view.v2.gif").substr(0, 6), "GIF87a");
    EXPECT_EQ(Read("bare.gif").substr(0, 6), "GIF87a");
}

TEST_F(ViewGroundCapture, EachExistingFileIsAskedAboutAndNoWritesNothing) {
    auto& w = Viewer();
    Put("view.bmp", "old bitmap");
    Put("view.gif", "old gif");
    const auto ask = [&](std::vector<int> answers) {
        services_.Files().ExpectFile(Full("view.bmp"));
        for (int a : answers)
            services_.Boxes().Expect(imaging::kOverwriteQuestion, a);
        w.cmdCapture->Click();
    };
    // No to the bitmap, then Yes to it and No to its GIF: nothing is written and nothing said.
    ask({plat::vbNo});
    ask({plat::vbYes, plat::vbNo});
    EXPECT_EQ(Read("view.bmp"), "old bitmap");
    EXPECT_EQ(Read("view.gif"), "old gif");
    ASSERT_EQ(services_.Boxes().Shown().size(), 3U);
    for (const plat::MessageBoxRequest& b : services_.Boxes().Shown()) {
        EXPECT_EQ(b.title, imaging::kFileExistsTitle);
        EXPECT_EQ(b.buttons, plat::vbYesNo);
    }
    // The capture ended without a name: AutoRedraw stays as the capture's start left it.
    EXPECT_TRUE(w.Plotter->AutoRedraw());
    // Yes to both replaces both.
    services_.Boxes().Expect(viewer::kCaptureComplete, plat::vbOK);
    ask({plat::vbYes, plat::vbYes});
    EXPECT_EQ(Read("view.bmp").substr(0, 2), "BM");
    EXPECT_EQ(Read("view.gif").substr(0, 6), "GIF87a");
    EXPECT_EQ(Files(), (std::set<std::string>{"view.bmp", "view.gif"}));
}

TEST_F(ViewGroundCapture, ACancelledDialogWritesNothing) {
    auto& w = Viewer();
    services_.Files().ExpectCancel();
    w.cmdCapture->Click();
    EXPECT_EQ(services_.Files().Requests().back().fileName, "runway12.gif");
    EXPECT_TRUE(services_.Boxes().Shown().empty());
    EXPECT_TRUE(Files().empty());
    EXPECT_FALSE(w.OpenSave1.CancelError);
}

TEST_F(ViewGroundCapture, AFolderThatCannotBeWrittenShowsTheFailure) {
    auto& w = Viewer();
    Put("blocker", "a file where a folder should be");
    fs::create_directory(dir_ / "locked");
    chmod((dir_ / "locked").c_str(), 0555);
    std::vector<std::pair<std::string, int>> targets = {{Full("none/view.gif"), ENOENT},
                                                        {Full("none/view.bmp"), ENOENT},
                                                        {Full("blocker/view.gif"), ENOTDIR}};
    if (geteuid() != 0) // root writes into a read-only folder
        targets.emplace_back(Full("locked/view.bmp"), EACCES);
    for (const auto& [target, error] : targets) {
        SCOPED_TRACE(target);
        w.Plotter->SetAutoRedraw(true);
        services_.Files().ExpectFile(target);
        const std::string message =
            "The picture could not be written to " + target + ": " + std::strerror(error);
        services_.Boxes().Expect(message, plat::vbOK);
        w.cmdCapture->Click();
        ASSERT_FALSE(services_.Boxes().Shown().empty());
        EXPECT_EQ(services_.Boxes().Shown().back().prompt, message);
        EXPECT_FALSE(w.Plotter->AutoRedraw());
    }
    chmod((dir_ / "locked").c_str(), 0755);
    EXPECT_EQ(services_.Boxes().Shown().size(), targets.size());
    EXPECT_EQ(Files(), (std::set<std::string>{"blocker"}));
}

// While annotating the picture with its annotations is captured as it stands, with no redraw.
TEST_F(ViewGroundCapture, AnAnnotatedPictureIsCapturedAsItStands) {
    auto& w = Viewer();
    w.Annotating = 1;
    w.Plotter->SetAutoRedraw(true);
    w.Plotter->Line(-5000, -5000, 5000, 5000, plat::RGB(255, 0, 0), plat::Canvas::BoxStyle::FilledBox);
    const QImage annotated = w.Plotter->Picture();
    const int redraws = w.RedrawCount();
    services_.Files().ExpectFile(Full("note.gif"));
    services_.Boxes().Expect(viewer::kCaptureComplete, plat::vbOK);
    w.cmdCapture->Click();
    EXPECT_EQ(w.RedrawCount(), redraws);
    EXPECT_FALSE(w.Plotter->AutoRedraw());
    ExpectGifOfPicture(Full("note.gif"), annotated);
}

TEST_F(ViewGroundCapture, CopyPlotterToFileWritesThePictureAsABitmap) {
    auto& w = Viewer();
    EXPECT_FALSE(w.CopyPlotterToFile(""));
    EXPECT_TRUE(Files().empty());
    ASSERT_TRUE(w.CopyPlotterToFile(Full("temp.bmp")));
    QImage bitmap(QString::fromStdString(Full("temp.bmp")), "BMP");
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGB32),
              w.Plotter->Picture().convertToFormat(QImage::Format_RGB32));
    const plat::FileWriteResult failed = w.CopyPlotterToFile(Full("none/temp.bmp"));
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.reason, std::strerror(ENOENT));
    EXPECT_EQ(Files(), (std::set<std::string>{"temp.bmp"}));
}

} // namespace
