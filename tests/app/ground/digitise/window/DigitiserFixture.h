#pragma once
// The digitiser window in a scratch folder, with scripted message boxes, dialogs and clipboard, and
// a chart image drawn by the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <QImage>
#include <QPainter>

#include "ground/digitise/ui/frmDigitizeGround.h"
#include "imaging/mGIFSave.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/ScratchFolder.h"

class DigitiserTest : public plat::testing::ScratchFolderTest {
protected:
    DigitiserTest() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "digitiser_window") {
        plat::testing::Application();
    }
    void SetUp() override {
        services_ = std::make_unique<plat::testing::ScriptedServices>();
        boxes_ = &services_->Boxes();
        dialogs_ = &services_->Files();
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        services_.reset();
    }

    // A chart: a grid of lines on white with a skewed frame, written as BMP, GIF (by the program's own
    // GIF writer, which Qt lacks) or another format Qt writes.
    std::string Chart(int width = 800, int height = 600, const char* name = "chart.bmp",
                      const char* format = "BMP") {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(QPen(QColor(180, 200, 230), 1));
        for (int x = 0; x < width; x += 40)
            p.drawLine(x, 0, x, height);
        for (int y = 0; y < height; y += 40)
            p.drawLine(0, y, width, y);
        p.setPen(QPen(Qt::black, 3));
        p.drawPolygon(QPolygon({QPoint(width / 8, height * 4 / 5), QPoint(width * 3 / 16, height / 5),
                                QPoint(width * 7 / 10, height / 4), QPoint(width * 9 / 10, height * 5 / 6)}));
        p.end();
        const std::string path = (dir_ / name).string();
        if (std::string(format) == "GIF") {
            const std::string bmp = path + ".bmp";
            image.save(QString::fromStdString(bmp), "BMP");
            imaging::SaveGIF(bmp, path);
        } else {
            image.save(QString::fromStdString(path), format);
        }
        return path;
    }

    class frmDigitizeGround& Opened() {
        auto& w = frmDigitizeGround();
        w.Show();
        return w;
    }

    // A click at user units (x, y) of the picture: press, release.
    static void Click(class frmDigitizeGround& w, double x, double y, int button = 1) {
        w.Plotter->MouseUp(button, 0, x, y);
    }

    // The range accepted and the four corners of the chart frame clicked (user units, 5000 square).
    static void Calibrate(class frmDigitizeGround& w, const char* xMax = "100") {
        w.cmdDigitize->Click();
        w.txtXMax->SetText(xMax);
        w.txtYMax->SetText("50");
        w.cmdUpdate->Click();
        Click(w, 1000, 4000);
        Click(w, 1500, 1000);
        Click(w, 4500, 4200);
        Click(w, 3500, 1200);
    }

    plat::ScriptedMessageBoxes* boxes_ = nullptr;
    plat::ScriptedFileDialogs* dialogs_ = nullptr;

private:
    std::unique_ptr<plat::testing::ScriptedServices> services_;
};
