// The picture box: a persistent image drawn in a user scale.
#include <QLabel>
#include <QTest>

#include "platform/draw/DeviceContext.h"
#include "platform/ui/ControlRoutines.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Shape.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

constexpr plat::Colour kRed = 0x0000FF;
constexpr plat::Colour kBlue = 0xFF0000;
constexpr plat::Colour kWhite = 0xFFFFFF;

class PictureBoxTest : public ::testing::Test {
protected:
    PictureBoxTest() {
        pic.Move(0, 0, 100 * 15, 50 * 15); // 100 x 50 pixels
        pic.SetBackColor(kWhite);
    }
    std::int64_t Pixel(int x, int y) const {
        const QRgb rgb = pic.Picture().pixel(x, y);
        return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
    }
    QApplication& app = Application();
    plat::Form form{"frmPicture"};
    plat::PictureBox pic{form, "picPlot"};
};

TEST_F(PictureBoxTest, UserScaleMapsPointsIncludingNegativeExtents) {
    ASSERT_EQ(pic.Picture().width(), 100);
    ASSERT_EQ(pic.Picture().height(), 50);
    // Y up: the bottom-left corner is (0, 0), the top-right (10, 5).
    pic.Scale(0, 5, 10, -5);
    struct Case {
        double x, y;
        int px, py;
    };
    const Case cases[] = {
        {0.05, 4.95, 0, 0}, {5.05, 2.45, 50, 25}, {9.95, 0.05, 99, 49}, {1.05, 4.05, 10, 9}};
    for (const Case& c : cases) {
        pic.Cls();
        pic.PSet(c.x, c.y, kRed);
        EXPECT_EQ(Pixel(c.px, c.py), kRed) << c.x << "," << c.y;
        EXPECT_EQ(pic.Surface().Point(c.x, c.y), kRed);
    }
    EXPECT_EQ(pic.Surface().Point(11, 1), -1);
    // Without a user scale the unit is the twip.
    pic.Surface().ResetScale();
    EXPECT_DOUBLE_EQ(pic.Surface().ScaleWidth(), 1500);
    EXPECT_NEAR(pic.Surface().ToPixelX(150), 10, 1e-9);
}

// Lengths between user units, twips and pixels, with the sign of a turned axis; without a user
// scale the user unit is the twip.
TEST_F(PictureBoxTest, ScaleXAndScaleYConvertLengths) {
    using U = plat::Canvas::Unit;
    pic.Scale(10000, 10000, -20000, -20000); // 100 x 50 pixels: 200 units a pixel across, 400 down
    struct Case {
        double length;
        U from, to;
        double x, y;
    };
    const Case cases[] = {
        {10, U::Pixels, U::User, -2000, -4000}, {-2000, U::User, U::Pixels, 10, 5},
        {150, U::Twips, U::User, -2000, -4000}, {-4000, U::User, U::Twips, 300, 150},
        {7, U::Pixels, U::Twips, 105, 105},     {45, U::Twips, U::Pixels, 3, 3},
        {-5, U::User, U::User, -5, -5},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(pic.ScaleX(c.length, c.from, c.to), c.x) << c.length;
        EXPECT_DOUBLE_EQ(pic.ScaleY(c.length, c.from, c.to), c.y) << c.length;
    }
    pic.Surface().ResetScale();
    EXPECT_DOUBLE_EQ(pic.ScaleX(4, U::Pixels, U::User), 60);
    EXPECT_DOUBLE_EQ(pic.ScaleY(90, U::User, U::Pixels), 6);
}

// A background picture: Cls (and a new back colour) clear to it until an empty picture clears it.
TEST_F(PictureBoxTest, ClsClearsToTheBackgroundPictureUntilItIsCleared) {
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    pic.SetPicture(picture);
    EXPECT_EQ(Pixel(5, 5), kRed);
    EXPECT_EQ(Pixel(60, 30), kWhite);
    pic.Scale(0, 0, 100, 50);
    pic.Line(0, 10, 100, 10, kBlue);
    EXPECT_EQ(Pixel(5, 10), kBlue);
    pic.Cls();
    EXPECT_EQ(Pixel(5, 10), kRed);
    EXPECT_EQ(Pixel(60, 10), kWhite);
    pic.SetBackColor(0x00FF00);
    EXPECT_EQ(Pixel(5, 5), kRed);
    EXPECT_EQ(Pixel(60, 30), 0x00FF00);
    pic.SetPicture(QImage());
    EXPECT_EQ(Pixel(5, 5), 0x00FF00);
    pic.Line(0, 10, 100, 10, kBlue);
    pic.Cls();
    EXPECT_EQ(Pixel(5, 5), 0x00FF00);
    EXPECT_EQ(Pixel(5, 10), 0x00FF00);
}

TEST_F(PictureBoxTest, LinesBoxesCirclesAndTheCurrentPoint) {
    pic.Scale(0, 0, 100, 50);
    pic.Line(10, 10, 20, 10, kBlue);
    EXPECT_EQ(Pixel(15, 10), kBlue);
    EXPECT_DOUBLE_EQ(pic.Surface().CurrentX(), 20);
    pic.Line(30, 30, 40, 40, kRed, plat::Canvas::BoxStyle::FilledBox);
    EXPECT_EQ(Pixel(35, 35), kRed);
    pic.Surface().SetFillSolid(true);
    pic.Surface().SetFillColor(kBlue);
    pic.Circle(70, 25, 10, kRed);
    EXPECT_EQ(Pixel(70, 25), kBlue);
    EXPECT_EQ(Pixel(80, 25), kRed);
    EXPECT_EQ(Pixel(70, 5), kWhite);
    pic.Cls();
    EXPECT_EQ(Pixel(35, 35), kWhite);
    EXPECT_DOUBLE_EQ(pic.Surface().CurrentX(), 0);
}

TEST_F(PictureBoxTest, PrintWritesAtTheCurrentPointAndMovesToTheNextLine) {
    pic.Scale(0, 0, 100, 50);
    pic.Surface().SetForeColor(0);
    pic.Surface().SetCurrentX(5);
    pic.Surface().SetCurrentY(2);
    const double height = pic.Surface().TextHeight("A");
    pic.Print("WW");
    EXPECT_DOUBLE_EQ(pic.Surface().CurrentX(), 0);
    EXPECT_NEAR(pic.Surface().CurrentY(), 2 + height, 1e-9);
    int dark = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            dark += Pixel(x, y) != kWhite;
        }
    }
    EXPECT_GT(dark, 0);
    EXPECT_GT(pic.Surface().TextWidth("WW"), pic.Surface().TextWidth("W"));
}

TEST_F(PictureBoxTest, FloodFillStopsAtTheBorderColour) {
    pic.Scale(0, 0, 100, 50);
    pic.Line(20, 10, 40, 30, kRed, plat::Canvas::BoxStyle::Box);
    FloodFillPicture(pic, 30, 20, kRed, kRed);
    EXPECT_EQ(Pixel(30, 20), kRed);
    EXPECT_EQ(Pixel(21, 11), kRed);
    EXPECT_EQ(Pixel(10, 5), kWhite);
    EXPECT_EQ(Pixel(45, 20), kWhite);
    // A fill colour other than the border fills the rest up to the border.
    FloodFillPicture(pic, 5, 5, kBlue, kRed);
    EXPECT_EQ(Pixel(99, 49), kBlue);
    EXPECT_EQ(Pixel(30, 20), kRed);
    // A start on the border fills nothing.
    FloodFillPicture(pic, 20, 10, kWhite, kRed);
    EXPECT_EQ(Pixel(30, 20), kRed);
}

TEST_F(PictureBoxTest, FloodFillTakesThePointInAFlippedScale) {
    pic.Scale(0, 50, 100, -50); // Y up
    pic.Line(0, 25, 100, 25, kRed);
    // (10, 40) lies in the upper half on screen.
    FloodFillPicture(pic, 10, 40, kBlue, kRed);
    EXPECT_EQ(Pixel(10, 10), kBlue);
    EXPECT_EQ(Pixel(10, 40), kWhite);
}

TEST_F(PictureBoxTest, APictureIsKeptAndResizingKeepsTheDrawing) {
    QImage source(10, 10, QImage::Format_RGB32);
    source.fill(Qt::blue);
    pic.SetPicture(source);
    EXPECT_EQ(Pixel(5, 5), kBlue);
    EXPECT_EQ(Pixel(50, 25), kWhite);
    pic.Move(0, 0, 200 * 15, 100 * 15);
    EXPECT_EQ(pic.Picture().width(), 200);
    EXPECT_EQ(Pixel(5, 5), kBlue);
}

// What the box's methods share with its device context (the table in Canvas.h).
TEST_F(PictureBoxTest, ABoxLineAfterAChangeOfTheDcPenDrawsWithTheBoxsOwnColourAndWidth) {
    pic.Scale(0, 0, 100, 50);
    plat::DeviceContext& dc = pic.hDC();
    dc.SelectObject(plat::CreatePen(plat::PS_SOLID, 5, kRed));
    pic.Surface().SetForeColor(kBlue);
    pic.Line(10, 10, 60, 10);
    EXPECT_EQ(Pixel(30, 10), kBlue);
    EXPECT_EQ(Pixel(30, 8), kWhite); // one pixel wide: DrawWidth 1, not the DC's pen
    EXPECT_EQ(Pixel(30, 12), kWhite);
    // The DC keeps its pen, and draws with it in the same picture.
    plat::HGDIOBJ pen = dc.SelectObject(plat::GetStockObject(plat::BLACK_PEN));
    plat::LOGPEN record;
    ASSERT_TRUE(plat::GetObject(pen, record));
    EXPECT_EQ(record, (plat::LOGPEN{plat::PS_SOLID, 5, kRed}));
    dc.SelectObject(pen);
    dc.MoveToEx(10, 30);
    dc.LineTo(60, 30);
    EXPECT_EQ(Pixel(30, 30), kRed);
    EXPECT_EQ(Pixel(30, 32), kRed);
    EXPECT_EQ(Pixel(30, 34), kWhite);
    // The DC's mapping moves hDC calls only; the box's methods keep the box's scale.
    dc.SetMapMode(plat::MM_ANISOTROPIC);
    dc.SetWindowExtEx(200, 100);
    dc.SetViewportExtEx(100, 50);
    pic.PSet(70, 40, kBlue);
    EXPECT_EQ(Pixel(70, 40), kBlue);
    dc.SetPixel(180, 90, kRed);
    EXPECT_EQ(Pixel(90, 45), kRed);
    // FloodFillPicture puts the DC's brush back.
    FloodFillPicture(pic, 5, 45, kBlue, kRed);
    EXPECT_EQ(dc.SelectObject(plat::GetStockObject(plat::BLACK_BRUSH)),
              plat::GetStockObject(plat::WHITE_BRUSH));
}

TEST_F(PictureBoxTest, ForeColorAndFontReachTheDcButPrintKeepsTheBoxsOwn) {
    pic.Scale(0, 0, 100, 50);
    plat::DeviceContext& dc = pic.hDC();
    pic.Surface().SetForeColor(kRed);
    pic.Surface().SetFont("Arial", 12, true);
    EXPECT_EQ(dc.GetTextColor(), kRed);
    plat::HGDIOBJ font = dc.SelectObject(plat::GetStockObject(plat::SYSTEM_FONT));
    plat::LOGFONT record;
    ASSERT_TRUE(plat::GetObject(font, record));
    EXPECT_EQ(record.faceName, "Arial");
    EXPECT_EQ(record.weight, plat::FW_BOLD);
    EXPECT_EQ(record.height, -16); // 12 points at 96 pixels to the inch
    dc.SelectObject(font);
    EXPECT_EQ(dc.GetBkMode(), plat::TRANSPARENT);
    // Text on the DC lands in the picture in the DC's text colour.
    dc.TextOut(2, 2, "WWW");
    const auto count = [&](plat::Colour colour) {
        int n = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x)
                n += Pixel(x, y) == colour;
        return n;
    };
    EXPECT_GT(count(kRed), 0);
    // Print writes in the box's ForeColor even after the DC's text colour changed, and leaves the
    // DC's colour as it was.
    pic.Cls();
    dc.SetTextColor(kBlue);
    pic.Print("WWW");
    EXPECT_GT(count(kRed), 0);
    EXPECT_EQ(count(kBlue), 0);
    EXPECT_EQ(dc.GetTextColor(), kBlue);
}

TEST_F(PictureBoxTest, AHeldContextSurvivesAResizeAndACaptureIsACopy) {
    plat::DeviceContext& dc = pic.hDC();
    dc.SetPixel(5, 5, kRed);
    const QImage before = pic.Picture();
    pic.Move(0, 0, 200 * 15, 100 * 15);
    ASSERT_EQ(pic.Pixels().Width(), 200);
    dc.SetPixel(150, 80, kBlue);
    const QImage after = pic.Picture();
    ASSERT_EQ(after.width(), 200);
    EXPECT_EQ(Pixel(150, 80), kBlue);
    EXPECT_EQ(Pixel(5, 5), kRed);
    EXPECT_EQ(Pixel(120, 60), kWhite); // the new part has the back colour
    EXPECT_EQ(before.width(), 100);
    dc.SetPixel(5, 5, kBlue);
    EXPECT_EQ(after.pixel(5, 5), qRgb(255, 0, 0));
}

// A double click on the box, and the shape and label it holds.
class PictureBoxChildrenTest : public PictureBoxTest {
protected:
    PictureBoxChildrenTest() {
        pic.Scale(0, 0, 100, 50);
        pic.MouseDown = [this](int b, int, double x, double y) { Log("down", b, x, y); };
        pic.MouseUp = [this](int b, int, double x, double y) { Log("up", b, x, y); };
        pic.Click = [this] { events.push_back("click"); };
        pic.DblClick = [this] { events.push_back("dblclick"); };
        form.Show();
        plat::DoEvents(20);
    }
    void Log(const char* what, int button, double x, double y) {
        events.push_back(std::string(what) + std::to_string(button) + "@" + std::to_string(int(x)) + "," +
                         std::to_string(int(y)));
    }
    std::vector<std::string> events;
};

TEST_F(PictureBoxChildrenTest, ADoubleClickGivesOneClickAndDblClickWithNoClickOnItsSecondRelease) {
    // The toolkit's order: press, release, press, double click, release.
    const QPoint at(30, 20);
    auto doubleClick = [&](Qt::MouseButton button) {
        QTest::mousePress(pic.Widget(), button, {}, at);
        QTest::mouseRelease(pic.Widget(), button, {}, at);
        QTest::mousePress(pic.Widget(), button, {}, at);
        QTest::mouseDClick(pic.Widget(), button, {}, at);
        QTest::mouseRelease(pic.Widget(), button, {}, at);
    };
    doubleClick(Qt::LeftButton);
    const std::vector<std::string> expected = {"down1@30,20", "up1@30,20", "click",
                                               "down1@30,20", "dblclick",  "up1@30,20"};
    EXPECT_EQ(events, expected);
    // The right button gives no click and no double click.
    events.clear();
    doubleClick(Qt::RightButton);
    const std::vector<std::string> right = {"down2@30,20", "up2@30,20", "down2@30,20", "up2@30,20"};
    EXPECT_EQ(events, right);
}

TEST_F(PictureBoxChildrenTest, AShapeOutlinesOverThePictureAndLetsTheMouseThrough) {
    pic.Line(0, 0, 99, 49, kBlue, plat::Canvas::BoxStyle::FilledBox);
    plat::Shape shape(pic, "shpBox");
    shape.SetBorderColor(kRed);
    shape.Move(10 * 15, 5 * 15, 20 * 15, 10 * 15);
    EXPECT_EQ(shape.Widget()->parentWidget(), pic.Widget());
    EXPECT_EQ(shape.TypeName(), "Shape");
    const QImage shown = form.Window()->grab().toImage();
    const QPoint origin = pic.Widget()->mapTo(form.Window(), QPoint(0, 0));
    auto at = [&](int x, int y) { return shown.pixel(origin + QPoint(x, y)) & 0xFFFFFF; };
    EXPECT_EQ(at(10, 5), 0xFF0000U);  // the outline (red, as RGB)
    EXPECT_EQ(at(29, 14), 0xFF0000U); // its far corner
    EXPECT_EQ(at(20, 10), 0x0000FFU); // the picture inside, untouched
    // The picture itself is not drawn on.
    EXPECT_EQ(Pixel(10, 5), kBlue);
    // A press on the shape reaches the box in the box's coordinates.
    QTest::mouseClick(pic.Widget(), Qt::LeftButton, {}, QPoint(20, 10));
    const std::vector<std::string> expected = {"down1@20,10", "up1@20,10", "click"};
    EXPECT_EQ(events, expected);
}

TEST_F(PictureBoxChildrenTest, ALabelSitsInTheBoxAndFitsItsCaption) {
    plat::Label tag(pic, "lblTag");
    tag.SetWordWrap(false);
    tag.SetAutoSize(true);
    tag.SetCaption("12.5,270°");
    tag.Move(40 * 15, 30 * 15, tag.Width(), tag.Height());
    EXPECT_EQ(tag.Widget()->parentWidget(), pic.Widget());
    EXPECT_EQ(tag.Widget()->x(), 40);
    const int oneLine = tag.Height();
    tag.SetCaption("a much longer caption than before");
    EXPECT_GT(tag.Width(), 0);
    EXPECT_GE(tag.Widget()->width(), tag.Inner()->fontMetrics().horizontalAdvance("a much longer caption"));
    EXPECT_EQ(tag.Height(), oneLine);
}

} // namespace
