// The wait window as painted: its rings, its text lines, its place over the main window, and the
// title card that closes itself after a second.
#include "RunWindowFixture.h"

#include <cmath>

#include <QColor>

using namespace shell;

namespace {

// A clock that moves on by a step at every reading, starting from `start`, wrapping at midnight.
class SteppingClock final : public plat::IClock {
public:
    SteppingClock(double start, double step) : now_(start), step_(step) {}
    double SecondsSinceMidnight() override {
        const double t = now_;
        now_ = std::fmod(now_ + step_, 86400.0);
        ++reads;
        return t;
    }
    int reads = 0;

private:
    double now_;
    double step_;
};

QColor PixelAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

TEST(WaitLayout, RingColoursAndLayouts) {
    EXPECT_EQ(RingRed(255, 1.6), 159);
    EXPECT_EQ(RingRed(255, 1.1), 232);
    EXPECT_EQ(RingRed(0, 1.6), 0);
    EXPECT_EQ(RingRed(4, 1.6), 2);  // 2.5 rounds to even
    EXPECT_EQ(RingRed(12, 1.6), 8); // 7.5 rounds to even
    EXPECT_EQ(RingRed(1, 1.6), 1);
    const WaitLayout wait = WaitLayoutFor(1);
    EXPECT_EQ(wait.width, 3525);
    EXPECT_EQ(wait.height, 1410);
    EXPECT_EQ(wait.pictureWidth, 3405);
    EXPECT_FALSE(wait.titleCard);
    ASSERT_EQ(wait.front.size(), 2u);
    EXPECT_EQ(wait.front[0].text, "Executing Simulation");
    EXPECT_EQ(wait.front[1].text, "Please Wait....");
    EXPECT_FALSE(WaitLayoutFor(0).titleCard);
    const WaitLayout card = WaitLayoutFor(2);
    EXPECT_TRUE(card.titleCard);
    EXPECT_EQ(card.width, 4600);
    EXPECT_EQ(card.pictureHeight, 2410);
    EXPECT_EQ(card.shadow[1].text, "Geometric Theory of Diffraction ");
    EXPECT_EQ(card.front[1].text, "Goemetric Theory of Diffraction ");
}

class WaitWindow : public RunWindow {};

TEST_F(WaitWindow, PaintedRingsAndTextCentredOnTheMainWindow) {
    auto& w = Started();
    ASSERT_EQ(Model().RunStatus, 0); // the main window's first activation
    class frmGeneric& g = frmGeneric();
    g.Show();
    ASSERT_TRUE(WaitUntil([&] { return g.Width() == 3525; }));
    EXPECT_EQ(g.Height(), 1410);
    EXPECT_NEAR(g.Left() + g.Width() / 2, w.Left() + w.Width() / 2, 15);
    EXPECT_NEAR(g.Top() + g.Height() / 2, w.Top() + w.Height() / 2, 15);

    const QImage image = g.Picture1->Picture();
    image.save(QString::fromStdString((dir_ / "wait_window.png").string())); // for a look by eye
    ASSERT_EQ(image.width(), 227);                                           // 3405 twips
    ASSERT_EQ(image.height(), 86);                                           // 1290 twips
    const plat::Canvas& c = g.Picture1->Surface();
    // The centre of the rings is black; a point farther out shows the ring of its radius.
    const int cx = static_cast<int>(c.ToPixelX(100));
    const int cy = static_cast<int>(c.ToPixelY(110));
    EXPECT_LE(PixelAt(image, cx, cy).red(), 1);
    const double unitsPerPixel = 256.0 / image.width();
    struct Probe {
        int x, y;
    };
    for (const Probe p : {Probe{0, 0}, Probe{226, 85}, Probe{226, 0}, Probe{0, 85}, Probe{200, 40}}) {
        const double r = std::hypot(p.x + 0.5 - c.ToPixelX(100), p.y + 0.5 - c.ToPixelY(110)) * unitsPerPixel;
        const QColor colour = PixelAt(image, p.x, p.y);
        EXPECT_NEAR(colour.red(), r / 1.6, 2.0) << p.x << "," << p.y;
        EXPECT_EQ(colour.green(), 0);
        EXPECT_EQ(colour.blue(), 0);
    }
    // No ring is brighter than the outermost (159); the text lines are white over black shadows.
    int white = 0;
    int brightest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = PixelAt(image, x, y);
            if (colour == QColor(255, 255, 255))
                ++white;
            else if (colour.green() == 0 && colour.blue() == 0)
                brightest = std::max(brightest, colour.red());
        }
    }
    EXPECT_GT(white, 100);
    EXPECT_LE(brightest, 159);
    EXPECT_GT(brightest, 90);
    // White in the first text line's band, none left of it.
    int whiteInLine = 0;
    for (int y = static_cast<int>(c.ToPixelY(50)); y < static_cast<int>(c.ToPixelY(110)); ++y)
        for (int x = 0; x < image.width(); ++x)
            whiteInLine += PixelAt(image, x, y) == QColor(255, 255, 255);
    EXPECT_GT(whiteInLine, 50);
    for (int y = 0; y < image.height(); ++y)
        EXPECT_NE(PixelAt(image, 0, y), QColor(255, 255, 255));
    UnloadWaitWindowIfLoaded();
    EXPECT_FALSE(WaitWindowLoaded());
}

TEST_F(WaitWindow, TitleCardClosesItselfAfterASecondAlsoOverMidnight) {
    Started();
    struct Case {
        double start, step;
    };
    for (const Case c : {Case{3600.0, 0.25}, Case{86399.5, 0.25}}) {
        auto clock = std::make_unique<SteppingClock>(c.start, c.step);
        SteppingClock* steps = clock.get();
        plat::SetClock(std::move(clock));
        Model().RunStatus = 2;
        class frmGeneric& g = frmGeneric();
        g.Show();
        ASSERT_TRUE(WaitUntil([] { return !WaitWindowLoaded(); }));
        // One reading to start, then four steps of a quarter second.
        EXPECT_EQ(steps->reads, 5);
        plat::SetClock(nullptr);
    }
}

} // namespace
