#pragma once

// A main window without a window: the ground grid as cells, the panels as texts, the list and
// option handlers as the editors' rules run them, and message boxes answered by script.

#include "editors/logic/FlightProfile.h"
#include "editors/logic/PanelLayout.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/testing/ScratchFolder.h"
#include "shell/modelio/ModelTexts.h"
#include "shell/modelio/ParamFileReader.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline const std::array<const char*, 5> kFlightItems = {"1 - Constant Radius", "2 - Linear Cut",
                                                        "3 - Pattern A/Approach", "4 - Pattern B/Level",
                                                        "7 - Pattern C/Orbit"};

// The main window's ground grid: the grid model laid out as the profile grid (five columns, row
// numbers in column 0), with a helper that fills a data row.
class ProfileGrid final : public plat::GridModel {
public:
    explicit ProfileGrid(int dataRows = 30) { Init(dataRows); }
    void Init(int dataRows) {
        Clear();
        SetRows(dataRows + 1);
        SetCols(5);
        for (int r = 1; r <= dataRows; ++r)
            SetTextMatrix(r, 0, std::to_string(r));
    }
    void FillRow(int row, const std::string& y, const std::string& z, const std::string& mark) {
        SetTextMatrix(row, 2, y);
        SetTextMatrix(row, 3, z);
        SetTextMatrix(row, 4, mark);
    }
};

class FakeMainWindow final : public shell::LoadTarget, public shell::ModelWindow {
public:
    explicit FakeMainWindow(shell::ModelVariables& m) : m_(m) {
        boxes.OnUnexpected = [](const plat::MessageBoxRequest& r) {
            ADD_FAILURE() << "unexpected message box: " << r.prompt;
        };
    }

    // LoadTarget
    void SetUseSIChecked(bool checked) override { texts.mnuUseSI = checked; }
    void SetGroundMode(bool use3D) override {
        texts.mnuUse3D = use3D;
        groundModeSet = true;
    }
    void SetTheodoliteTexts(const std::string& x, const std::string& y, const std::string& z) override {
        texts.path.ThX = x;
        texts.path.ThY = y;
        texts.path.ThZ = z;
    }
    void SetLoadedBaseFeeds(const shell::ParamFileContents& contents) override {
        MergeBaseFeeds(contents, base);
    }
    void Show3DFile(const std::string& name) override { file3DLabel = name; }
    void Inform(const std::string& text, const std::string& title) override {
        boxes.Show({text, plat::vbOKOnly, title});
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        return boxes.Show({text, plat::vbYesNo, title}) == plat::vbYes;
    }
    void ChooseGroundFile3D() override { ++groundDialogs; }
    plat::GridModel& InitGroundGrid(int rows) override {
        grid.Init(rows);
        return grid;
    }

    // ModelWindow
    shell::MainWindowTexts Texts() const override { return texts; }
    void ShowTexts(const shell::MainWindowTexts& t) override { texts = t; }
    plat::GridModel& Grid() override { return grid; }
    void SetFieldModelChecks(const std::array<bool, 3>& c) override {
        texts.mnuRay = c[0];
        texts.mnuGTD = c[1];
        texts.mnuPO = c[2];
    }
    void SelectNumAnts(int option) override {
        if (option == texts.numAntsOption)
            return;
        texts.numAntsOption = option;
        editors::SelectNumberOfAntennas(option, m_);
    }
    // The list fires its handler only when the selection changes.
    void SelectFlight(int listIndex) override {
        if (listIndex == flightIndex)
            return;
        flightIndex = listIndex;
        ++flightClicks;
        if (listIndex < 0) {
            texts.flightListText.clear();
            m_.PlotFlightType = 0;
            m_.FlightType = 0;
            return;
        }
        texts.flightListText = kFlightItems.at(static_cast<std::size_t>(listIndex));
        ChooseFlightKind(listIndex, 1, texts.mnuUseSI, texts.flight, m_);
    }
    void UpdateConverterCaptions(std::uint8_t flightType) override { captionsFor = flightType; }

    shell::ModelVariables& m_;
    shell::MainWindowTexts texts;
    ProfileGrid grid;
    editors::BaseFeeds base;
    plat::ScriptedMessageBoxes boxes;
    std::string file3DLabel;
    int groundDialogs = 0;
    bool groundModeSet = false;
    int flightIndex = 0;
    int flightClicks = 0;
    int captionsFor = -1;
};

inline void WriteBytes(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// A fresh folder under the test output, made current for the test's lifetime.
class InFreshFolder : public plat::testing::ScratchFolderTest {
protected:
    InFreshFolder() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "modelio") {}
};
