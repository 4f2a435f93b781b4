// The hostile typist on the main window with the shipped example loaded: every text of the table in
// every box of the window and its panels, and in a cell of the ground grid through its editor, then
// every command; once per flight profile kind, whose boxes differ, with the model in feet, and
// once in metres, where the boxes' lengths are converted.
#include "GuiTest.h"

#include <QComboBox>
#include <QTest>

#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/testing/HostileTypist.h"
#include "platform/ui/testing/UserInput.h"

namespace {

struct Case {
    std::string text;
    int flightKind; // list index of "Flight Profile"
    bool metres;    // the model saved with SI units
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << "flight kind " << c.flightKind << (c.metres ? ", metres" : ", feet") << ", text \""
         << plat::testing::HostileTextName(c.text) << '"';
}

class MainWindowHostileTypist : public WindowTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        PutExample(PELLON_EXAMPLES_DIR);
        if (GetParam().metres) {
            std::string model = Read("cegs_site.inp");
            model.replace(0, model.find("\r\n"), "'*' 'cegs_site INPUT A' 1");
            Put("cegs_site.inp", model);
        }
    }

    // The window as started, the flight kind chosen in its list by keys; a ground cell's editor open,
    // a column further on each time, so that the text goes into the grid.
    QWidget* Opened() {
        auto& w = frmMain();
        if (!w.Visible()) {
            ShowMain();
            w.EndProgram = [] {};
            auto* list = qobject_cast<QComboBox*>(w.cmbFlight->Widget());
            list->setFocus();
            for (int i = list->currentIndex(); i < GetParam().flightKind; ++i)
                QTest::keyClick(list, Qt::Key_Down);
        }
        return w.Window();
    }
    // A click on a height or distance cell of the ground grid and a key typed there open the cell's
    // editor, which the typist then fills; the next click writes the editor's text into the cell.
    void OpenGroundCell() {
        auto& w = frmMain();
        if (!w.Visible() || !w.grdGround->Enabled() || !w.grdGround->Visible())
            return;
        plat::testing::ClickCell(*w.grdGround, 3, 2 + cell_++ % 2);
        QTest::keyClick(w.grdGround->Widget(), Qt::Key_1);
    }

    int cell_ = 0;
};

TEST_P(MainWindowHostileTypist, NoTextEndsOrFreezesTheMainWindow) {
    plat::testing::HostileTypist typist(
        *boxes_, *dialogs_, [this] { return Opened(); }, [this](QWidget*) { OpenGroundCell(); });
    EXPECT_EQ(typist.Run(GetParam().text), std::vector<std::string>{});
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (int kind = 0; kind < 5; ++kind)
        for (const std::string& text : plat::testing::HostileTexts())
            cases.push_back({text, kind, false});
    for (const std::string& text : plat::testing::HostileTexts())
        cases.push_back({text, 0, true});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Texts, MainWindowHostileTypist, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.metres ? "Metres" : "Feet") + "Flight" +
                                    std::to_string(info.param.flightKind) + "Text" +
                                    std::to_string(info.index % plat::testing::HostileTexts().size());
                         });

} // namespace
