// The hostile typist on the array grid editor, for a glide slope and a localizer array: every text
// of the table in every box and in a cell's editor, then every command.

#include "editors/arrayedit/frmArrayEdit.h"
#include "platform/ui/Form.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/HostileTypist.h"
#include "shell/model/ModelVariables.h"

#include <QTest>

namespace {

struct Case {
    std::string text;
    std::uint8_t facility; // 1 glide slope, 2 localizer
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << "facility " << int{c.facility} << ", text \"" << plat::testing::HostileTextName(c.text) << '"';
}

class ArrayEditHostileTypist : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        shell::Model() = shell::ModelVariables{};
        shell::Model().Facility = GetParam().facility;
    }
    void TearDown() override { plat::DeleteWindowInstances(); }

    static QWidget* Opened() {
        class frmArrayEdit& w = frmArrayEdit();
        w.Show();
        return w.Window();
    }
    // A key typed into a cell of the first grid opens the cell's editor, which the typist then fills.
    static void OpenCell() {
        class frmArrayEdit& w = frmArrayEdit();
        plat::FlexGrid& g = w.grdArray(1);
        if (!w.Visible() || !g.Visible() || w.txtData->Visible())
            return;
        g.SetRow(2);
        g.SetCol(2);
        g.SetFocus();
        QTest::keyClick(g.Widget(), Qt::Key_1);
    }
    plat::testing::ScriptedServices services_;
};

TEST_P(ArrayEditHostileTypist, NoTextEndsOrFreezesTheArrayEditor) {
    plat::testing::HostileTypist typist(
        services_.Boxes(), services_.Files(), [] { return Opened(); }, [](QWidget*) { OpenCell(); });
    EXPECT_EQ(typist.Run(GetParam().text), std::vector<std::string>{});
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (std::uint8_t facility : {1, 2})
        for (const std::string& text : plat::testing::HostileTexts())
            cases.push_back({text, facility});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Texts, ArrayEditHostileTypist, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "Facility" + std::to_string(info.param.facility) + "Text" +
                                    std::to_string(info.index % plat::testing::HostileTexts().size());
                         });

} // namespace
