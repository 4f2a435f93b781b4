#include "DigitiserFixture.h"

#include <fstream>
#include <random>
#include <vector>

#include <QTest>
#include <QTimer>

#include "platform/services/Clipboard.h"
#include "platform/services/Clock.h"
#include "platform/text/testing/SpecialFiles.h"
#include "platform/text/Strings.h"
#include "platform/ui/Keys.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST_F(DigitiserTest, ControlsAsDesigned) {
    auto& w = Opened();
    EXPECT_EQ(w.Caption(), "Digitize Ground");
    EXPECT_EQ(w.cmdDigitize->Caption(), "Digitize");
    EXPECT_EQ(w.cmdLoadImage->Caption(), "Load Img");
    EXPECT_EQ(w.cmdXfer->Caption(), "Transfer");
    EXPECT_EQ(w.txtXMin->Text() + w.txtXMax->Text() + w.txtYMin->Text() + w.txtYMax->Text(), "0101");
    EXPECT_EQ(w.optType[1]->Caption() + w.optType[2]->Caption(), "2D3D");
    EXPECT_EQ(w.chkZeroOnly->Caption(), "Only Show Lights on Centerline");
    EXPECT_EQ(w.cmdUpdate->Caption(), "Go");
    EXPECT_FALSE(w.fraDigParms->Visible());
    EXPECT_FALSE(w.fraXferData->Visible());
    EXPECT_EQ(w.optXferMethod[2]->Caption(), "3D X -");
    EXPECT_EQ(w.lblXfer[1]->Caption(), "Transfer to the 2D Ground Grid");
    EXPECT_EQ(w.grdDigGround->Rows(), 101);
    EXPECT_EQ(w.grdDigGround->TextMatrix(0, 0) + w.grdDigGround->TextMatrix(0, 1), "YZ");
    // Laid out with 60-unit margins.
    EXPECT_EQ(w.grdDigGround->Left(), 60);
    EXPECT_EQ(w.Plotter->Top(), 60);
    EXPECT_EQ(w.ScaleWidth() - w.Plotter->Left() - w.Plotter->Width(), 60);
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(w.linScale[i]->Visible());
}

TEST_F(DigitiserTest, CalibrationPromptsThenPoints) {
    auto& w = Opened();
    w.cmdDigitize->Click();
    EXPECT_TRUE(w.fraDigParms->Visible());
    EXPECT_FALSE(w.cmdDigitize->Enabled());
    Click(w, 1000, 4000); // before "Go": ignored
    EXPECT_EQ(w.Session().DigState(), 1);
    w.txtXMax->SetText("100");
    w.txtYMax->SetText("50");
    w.cmdUpdate->Click();
    EXPECT_FALSE(w.fraDigParms->Visible());
    EXPECT_TRUE(w.cmdDigitize->Enabled());
    EXPECT_EQ(w.cmdDigitize->Caption(), "End/Reset");
    std::vector<std::string> prompts{w.lblMessage->Caption()};
    for (auto [x, y] : {std::pair{1000., 4000.}, {1500., 1000.}, {4500., 4200.}, {3500., 1200.}}) {
        Click(w, x, y);
        prompts.push_back(w.lblMessage->Caption());
    }
    EXPECT_EQ(prompts, (std::vector<std::string>{"Digitize Lower Left Limit", "Digitize Upper Left Limit",
                                                 "Digitize Lower Right Limit", "Digitize Upper Right Limit",
                                                 "Ready To Digitize...."}));
    EXPECT_TRUE(w.imgMessage->Visible());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(w.linScale[i]->Visible()) << i;
    Click(w, 100, 100); // outside
    EXPECT_EQ(w.grdDigGround->TextMatrix(1, 0), "");
    const QImage before = w.Plotter->Picture();
    Click(w, 2500, 2500, 2); // any button records
    EXPECT_FALSE(w.grdDigGround->TextMatrix(1, 0).empty());
    EXPECT_FALSE(w.grdDigGround->TextMatrix(1, 1).empty());
    // The mark: the click's pixel row now holds the mark's colour (&H4444FF is red 0xFF, blue 0x44).
    const QImage after = w.Plotter->Picture();
    const int px = static_cast<int>(w.Plotter->Surface().ToPixelX(2500));
    const int py = static_cast<int>(w.Plotter->Surface().ToPixelY(2500));
    EXPECT_NE(before.pixel(px, py), after.pixel(px, py));
    EXPECT_EQ(QColor(after.pixel(px, py)), QColor(0xFF, 0x44, 0x44));
}

TEST_F(DigitiserTest, NotConvexRestarts) {
    auto& w = Opened();
    boxes_->Expect("The polygon describing the digitizing area is not convex. Please ensure that no sides of "
                   "the polygon cross. "
                   "Resetting initialization procedure",
                   plat::vbOK);
    w.cmdDigitize->Click();
    w.cmdUpdate->Click();
    Click(w, 1000, 4000);
    Click(w, 1500, 1000);
    Click(w, 3500, 1200);
    Click(w, 4500, 4200);
    EXPECT_EQ(boxes_->Shown().back().title, "Error");
    EXPECT_EQ(boxes_->Shown().back().buttons, plat::vbCritical);
    EXPECT_EQ(w.Session().DigState(), 1);
    EXPECT_EQ(w.lblMessage->Caption(), "Digitize Lower Left Limit");
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(w.linScale[i]->Visible()) << i;
}

TEST_F(DigitiserTest, GoRefusesBadRangesAndKeepsTheFrame) {
    auto& w = Opened();
    w.cmdDigitize->Click();
    const struct {
        const char* xMin;
        const char* yMax;
        const char* message;
    } cases[] = {{"", "1", "Error in Min X Value...."},
                 {"abc", "1", "Error in Min X Value...."},
                 {"1", "1", "Min X and Max X cannot be equal...."},
                 {"0", "x", "Error in Max Y Value...."}};
    for (const auto& c : cases) {
        boxes_->Expect(c.message, plat::vbOK);
        w.txtXMin->SetText(c.xMin);
        w.txtYMax->SetText(c.yMax);
        w.cmdUpdate->Click();
        EXPECT_TRUE(w.fraDigParms->Visible()) << c.message;
        EXPECT_TRUE(w.cmdDigitize->Enabled());
        EXPECT_FALSE(w.Session().ParamsAccepted());
        EXPECT_EQ(w.txtXMin->Text(), c.xMin); // what was typed stays
    }
}

TEST_F(DigitiserTest, DraggingACornerMovesTheLinesWithoutRedrawing) {
    auto& w = Opened();
    w.cmdDigitize->Click();
    w.cmdUpdate->Click();
    Click(w, 1000, 4000);
    const int redraws = w.RedrawCount();
    const int x2 = w.linScale[1]->X2();
    for (int step = 0; step < 30; ++step)
        w.Plotter->MouseMove(1, 0, 1500 + step * 10, 1000 + step * 5);
    EXPECT_EQ(w.RedrawCount(), redraws);
    EXPECT_NE(w.linScale[1]->X2(), x2);
    const int moved = w.linScale[1]->X2();
    w.Plotter->MouseMove(2, 0, 4000, 4000); // another button: nothing moves
    EXPECT_EQ(w.linScale[1]->X2(), moved);
    EXPECT_EQ(w.RedrawCount(), redraws);
}

TEST_F(DigitiserTest, LoadImageThroughTheDialog) {
    auto& w = Opened();
    dialogs_->ExpectCancel();
    w.cmdLoadImage->Click();
    EXPECT_FALSE(w.HasImage());
    const std::string chart = Chart();
    dialogs_->ExpectFile(chart);
    w.cmdLoadImage->Click();
    ASSERT_TRUE(w.HasImage());
    const auto& request = dialogs_->Requests().back();
    EXPECT_EQ(request.filter, "*.bmp;*.gif;*.jpg|*.bmp;*.gif;*.jpg");
    EXPECT_EQ(request.flags, 4096);
    // The chart is shown: its black frame is in the picture.
    const QImage picture = w.Plotter->Picture();
    int dark = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            dark += qGray(picture.pixel(x, y)) < 64 ? 1 : 0;
    EXPECT_GT(dark, 50);
}

// Another image ends the calibration; the points already taken stay.
TEST_F(DigitiserTest, AnotherImageEndsTheCalibration) {
    auto& w = Opened();
    ASSERT_TRUE(w.LoadImageFile(Chart()));
    w.RedrawPlot();
    Calibrate(w);
    ASSERT_EQ(w.Session().DigState(), 5);
    Click(w, 2500, 2500);
    ASSERT_FALSE(w.grdDigGround->TextMatrix(1, 0).empty());
    ASSERT_TRUE(w.LoadImageFile(Chart(400, 300, "small.gif", "GIF")));
    EXPECT_EQ(w.Session().DigState(), 0);
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(w.linScale[i]->Visible());
    EXPECT_FALSE(w.grdDigGround->TextMatrix(1, 0).empty());
}

TEST_F(DigitiserTest, BadImagesLeaveThePreviousOne) {
    auto& w = Opened();
    const std::string bmp = ReadBytes(Chart(64, 48, "good.bmp", "BMP"));
    const std::string gif = ReadBytes(Chart(64, 48, "good.gif", "GIF"));
    const std::string jpg = ReadBytes(Chart(64, 48, "good.jpg", "JPEG"));
    ASSERT_TRUE(w.LoadImageFile(Chart()));
    w.RedrawPlot();
    QImage shown = w.Plotter->Picture();
    // BMP headers claiming 9000 × 8000 pixels (72 M, above the program's limit) and 100000 × 100000
    // (which Qt's reader itself refuses to size).
    std::string huge = bmp;
    huge.replace(18, 8, std::string("\x28\x23\x00\x00\x40\x1F\x00\x00", 8));
    std::string enormous = bmp;
    enormous.replace(18, 8, std::string("\xA0\x86\x01\x00\xA0\x86\x01\x00", 8));
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty.bmp", ""},
        {"truncated.bmp", bmp.substr(0, bmp.size() / 3)},
        {"header.bmp", bmp.substr(0, 20)},
        {"truncated.gif", gif.substr(0, gif.size() / 2)},
        {"truncated.jpg", jpg.substr(0, jpg.size() / 2)},
        {"huge.bmp", huge},
        {"enormous.bmp", enormous},
        {"text.jpg", "This is not a picture at all.\r\n"},
        {"png.bmp", ReadBytes(Chart(8, 8, "p.png", "PNG"))}, // not one of the three kinds
    };
    // A truncated file may still decode partly: whether it loads is Qt's reader's business, so the
    // boxes of this loop are not scripted; each refusal says why.
    boxes_->OnUnexpected = [](const plat::MessageBoxRequest&) {};
    for (const auto& c : cases) {
        const std::string path = (dir_ / c.name).string();
        WriteBytes(path, c.bytes);
        const std::size_t before = boxes_->Shown().size();
        const bool loaded = w.LoadImageFile(path);
        w.RedrawPlot();
        if (loaded) {
            shown = w.Plotter->Picture();
        } else {
            EXPECT_TRUE(w.Plotter->Picture() == shown) << c.name;
            ASSERT_EQ(boxes_->Shown().size(), before + 1) << c.name;
            const std::string& prompt = boxes_->Shown().back().prompt;
            EXPECT_TRUE(prompt == path + " cannot be read as an image." ||
                        prompt == path + " is larger than 67108864 pixels.")
                << prompt;
        }
    }
    const auto refusal = [&](const std::string& name) {
        const std::size_t before = boxes_->Shown().size();
        EXPECT_FALSE(w.LoadImageFile((dir_ / name).string())) << name;
        return boxes_->Shown().size() == before + 1 ? boxes_->Shown().back().prompt : std::string("no box");
    };
    const std::string at = dir_.string() + "/";
    EXPECT_EQ(refusal("empty.bmp"), at + "empty.bmp cannot be read as an image.");
    EXPECT_EQ(refusal("huge.bmp"), at + "huge.bmp is larger than 67108864 pixels.");
    EXPECT_EQ(refusal("text.jpg"), at + "text.jpg cannot be read as an image.");
    EXPECT_EQ(refusal("missing.bmp"), at + "missing.bmp cannot be read as an image.");
    for (const plat::testing::SpecialKind& kind : plat::testing::SpecialKinds()) {
        plat::testing::MakeSpecialFile(kind, dir_ / "special.bmp");
        EXPECT_EQ(refusal("special.bmp"), at + "special.bmp cannot be read as an image.") << kind.kind;
    }
    EXPECT_TRUE(w.Plotter->Picture() == shown);
    // 1 × 1 is a picture like any other.
    EXPECT_TRUE(w.LoadImageFile(Chart(1, 1, "dot.bmp", "BMP")));
}

// Qt's own allocation limit (128 MB) would refuse a JPEG of this size; the program's limit admits it.
TEST_F(DigitiserTest, AJpegWithinTheProgramsLimitLoads) {
    auto& w = Opened();
    QImage big(6000, 6000, QImage::Format_RGB32); // 36 M pixels
    big.fill(Qt::white);
    const std::string path = (dir_ / "big.jpg").string();
    ASSERT_TRUE(big.save(QString::fromStdString(path), "JPEG", 10));
    big = QImage();
    ASSERT_TRUE(w.LoadImageFile(path));
    EXPECT_TRUE(w.HasImage());
}

// Randomly damaged images of each kind: every load returns, loaded or not.
TEST_F(DigitiserTest, MutatedImagesNeverCrash) {
    auto& w = Opened();
    boxes_->OnUnexpected = [](const plat::MessageBoxRequest&) {}; // the refusals' boxes
    std::mt19937 random(2024);
    for (auto [name, format] : {std::pair{"m.bmp", "BMP"}, {"m.gif", "GIF"}, {"m.jpg", "JPEG"}}) {
        const std::string good = ReadBytes(Chart(48, 32, name, format));
        for (int round = 0; round < 150; ++round) {
            std::string bytes = good;
            const int changes = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < changes; ++i)
                bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
            if (random() % 4 == 0)
                bytes.resize(random() % bytes.size());
            const std::string path = (dir_ / (std::string("x") + name)).string();
            WriteBytes(path, bytes);
            if (w.LoadImageFile(path))
                w.RedrawPlot();
        }
    }
}

TEST_F(DigitiserTest, TransferFillsTheProfileAndCloses) {
    plat::GridModel ground;
    ground.SetRows(31);
    ground.SetCols(5);
    ground.SetTextMatrix(20, 2, "9.00");
    bool twoD = false;
    auto& w = Opened();
    w.SetHost({&ground, [] { return false; }, [&twoD] { twoD = true; }});
    Calibrate(w);
    Click(w, 2500, 2500);
    Click(w, 3000, 3000);
    w.cmdDigitize->Click(); // "End/Reset"
    EXPECT_TRUE(w.fraXferData->Visible());
    EXPECT_FALSE(w.optXferMethod[2]->Enabled());
    EXPECT_TRUE(w.optXferMethod[1]->Value());
    w.cmdGoXfer->Click();
    EXPECT_EQ(ground.TextMatrix(1, 2), w.grdDigGround->TextMatrix(1, 0));
    EXPECT_EQ(ground.TextMatrix(2, 3), w.grdDigGround->TextMatrix(2, 1));
    EXPECT_EQ(ground.TextMatrix(2, 4), " X ");
    EXPECT_EQ(ground.TextMatrix(20, 2), "");
    EXPECT_TRUE(twoD);
    EXPECT_TRUE(w.WasUnloaded());
}

TEST_F(DigitiserTest, TransferRefusesMorePointsThanTheGridHolds) {
    plat::GridModel ground;
    ground.SetRows(11);
    ground.SetCols(5);
    bool twoD = false;
    auto& w = Opened();
    w.SetHost({&ground, [] { return true; }, [&twoD] { twoD = true; }});
    Calibrate(w);
    for (int i = 0; i < 11; ++i)
        Click(w, 2000 + 20 * i, 2500);
    w.cmdDigitize->Click();
    EXPECT_TRUE(w.optXferMethod[2]->Enabled()); // the 3D editor is showing
    boxes_->Expect("The ground grid holds 10 points; 11 were digitized. Remove points before the transfer.",
                   plat::vbOK);
    w.cmdGoXfer->Click();
    EXPECT_EQ(ground.TextMatrix(1, 2), "");
    EXPECT_FALSE(twoD);
    EXPECT_FALSE(w.WasUnloaded());
    // "3D X -" (chosen by its explanation) does nothing but give the Digitize button back.
    QTest::mouseClick(w.lblXfer[2]->Widget(), Qt::LeftButton);
    EXPECT_TRUE(w.optXferMethod[2]->Value());
    w.cmdGoXfer->Click();
    EXPECT_TRUE(w.cmdDigitize->Enabled());
    EXPECT_EQ(w.cmdDigitize->Caption(), "Digitize");
    // "Reset -" discards the points and starts again.
    w.optXferMethod[0]->SetValue(true);
    w.cmdGoXfer->Click();
    EXPECT_EQ(w.grdDigGround->TextMatrix(1, 0), "");
    EXPECT_TRUE(w.fraDigParms->Visible());
    EXPECT_EQ(w.Session().DigState(), 1);
}

// Closing the window while it waits for the range leaves nothing behind: the modal show returns.
TEST_F(DigitiserTest, ClosingWhileWaitingForTheRange) {
    auto& w = frmDigitizeGround();
    bool waiting = false;
    QTimer::singleShot(0, [&] {
        w.cmdDigitize->Click();
        waiting = w.fraDigParms->Visible();
        plat::Unload(w);
    });
    w.Show(plat::Form::Modality::Modal);
    EXPECT_TRUE(waiting);
    EXPECT_TRUE(w.WasUnloaded());
}

TEST_F(DigitiserTest, CellEditorCommitsAndPastes) {
    auto& w = Opened();
    auto& g = *w.grdDigGround;
    g.Select(3, 0);
    for (char c : std::string("12.3")) {
        int key = c;
        g.KeyPress(key);
    }
    EXPECT_TRUE(w.txtData->Visible());
    int enter = plat::key::Return;
    w.txtData->KeyPress(enter);
    EXPECT_EQ(g.TextMatrix(3, 0), "12.30");
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(3, 1));
    int a = 'a';
    g.KeyPress(a);
    int down = plat::key::Down;
    w.txtData->KeyDown(down, 0);
    EXPECT_EQ(g.TextMatrix(3, 1), "0.00");
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(4, 1));
    plat::Clipboard().SetText("1\t2\r\n3\t4\r\n");
    g.Select(1, 0);
    int paste = 22;
    g.KeyPress(paste);
    EXPECT_EQ(g.TextMatrix(1, 0) + g.TextMatrix(1, 1) + g.TextMatrix(2, 0) + g.TextMatrix(2, 1), "1234");
    g.Select(1, 0, 2, 1);
    int copy = 3;
    g.KeyPress(copy);
    EXPECT_EQ(plat::Clipboard().GetText(), "1\t2\r\n3\t4\r\n");
}
