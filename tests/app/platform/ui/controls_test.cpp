// Value-driven Click events, control arrays, menus, toolbar, geometry and colours.
#include <string>
#include <vector>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Twips.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

class ControlsTest : public ::testing::Test {
protected:
    QApplication& app = Application();
    plat::Form form{"frmControls"};
    std::vector<std::string> log;
};

TEST_F(ControlsTest, ComboClickFiresWhenTheSelectionChangesByCodeOrUser) {
    plat::ComboBox cmb(form, "cmbFlight");
    cmb.Click = [&] { log.push_back("Click " + std::to_string(cmb.ListIndex()) + " " + cmb.Text()); };
    cmb.AddItem("1 - Constant Radius");
    cmb.AddItem("2 - Linear Cut");
    cmb.AddItem("0 - First", 0);
    EXPECT_EQ(cmb.ListIndex(), -1); // adding selects nothing
    EXPECT_EQ(cmb.ListCount(), 3);
    EXPECT_EQ(cmb.List(0), "0 - First");
    EXPECT_EQ(cmb.List(7), "");
    cmb.SetListIndex(1);
    cmb.SetListIndex(1); // the same again: nothing
    cmb.SetText("2 - Linear Cut");
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    cmb.SetFocus();
    QTest::keyClick(cmb.Widget(), Qt::Key_Up); // the user's choice
    EXPECT_EQ(log, (std::vector<std::string>{"Click 1 1 - Constant Radius", "Click 2 2 - Linear Cut",
                                             "Click 1 1 - Constant Radius"}));
    cmb.AddItem("3 - Pattern A", 0); // the selected item moves along, no Click
    EXPECT_EQ(cmb.ListIndex(), 2);
    cmb.RemoveItem(2);
    EXPECT_EQ(cmb.ListIndex(), -1);
    cmb.Clear();
    EXPECT_EQ(cmb.ListCount(), 0);
    EXPECT_EQ(log.size(), 3u);
    EXPECT_THROW(cmb.SetListIndex(0), std::out_of_range);
    EXPECT_EQ(cmb.TypeName(), "ComboBox");
}

TEST_F(ControlsTest, EditableComboKeepsItsText) {
    plat::ComboBox cmb(form, "cmbEdit", -1, plat::ComboBox::Style::DropdownCombo);
    cmb.AddItem("a");
    cmb.SetText("typed");
    EXPECT_EQ(cmb.Text(), "typed");
    EXPECT_EQ(cmb.ListIndex(), -1);
}

TEST_F(ControlsTest, OptionArrayClickCarriesTheIndexAndButtonsExcludeEachOther) {
    plat::Frame fra(form, "fraAnts");
    plat::ControlArray<plat::OptionButton> optNumAnts(fra, "optNumAnts");
    for (int i = 1; i <= 3; ++i) {
        optNumAnts.Load(i).SetCaption(std::to_string(i));
    }
    optNumAnts.Click = [&](int index) { log.push_back("Click " + std::to_string(index)); };
    optNumAnts(3).SetValue(true);
    optNumAnts(3).SetValue(true); // already set: nothing
    optNumAnts(1).SetValue(true);
    EXPECT_FALSE(optNumAnts(3).Value());
    EXPECT_TRUE(optNumAnts(1).Value());
    optNumAnts(1).SetValue(false);
    EXPECT_FALSE(optNumAnts(1).Value());
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    QTest::mouseClick(optNumAnts(2).Widget(), Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"Click 3", "Click 1", "Click 2"}));
    EXPECT_EQ(optNumAnts.LBound(), 1);
    EXPECT_EQ(optNumAnts.UBound(), 3);
    EXPECT_EQ(optNumAnts.Count(), 3);
    EXPECT_FALSE(optNumAnts.Exists(0));
    EXPECT_THROW(optNumAnts(0), std::out_of_range);
    EXPECT_THROW(optNumAnts.Load(2), std::invalid_argument);
    EXPECT_EQ(optNumAnts(2).Index(), 2);
    EXPECT_EQ(form.FindControl("optNumAnts", 2), &optNumAnts(2));
}

TEST_F(ControlsTest, OptionButtonsOfDifferentContainersAreSeparateGroups) {
    plat::Frame fraA(form, "fraA");
    plat::Frame fraB(form, "fraB");
    plat::OptionButton a1(fraA, "optA"), a2(fraA, "optA2"), b1(fraB, "optB");
    a1.SetValue(true);
    b1.SetValue(true);
    EXPECT_TRUE(a1.Value());
    a2.SetValue(true);
    EXPECT_FALSE(a1.Value());
    EXPECT_TRUE(b1.Value());
}

// MouseDown sees the choice as it was; Click follows the release.
TEST_F(ControlsTest, OptionMouseDownComesBeforeTheChoiceChanges) {
    plat::Frame fra(form, "fra");
    fra.Move(0, 0, 4000, 1000);
    plat::OptionButton a(fra, "optA"), b(fra, "optB");
    a.Move(60, 60, 1300, 255);
    b.Move(1500, 60, 1300, 255);
    a.SetValue(true);
    b.MouseDown = [&](int button, int shift, double x, double y) {
        log.push_back("MouseDown " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) +
                      (a.Value() ? " a" : " b"));
    };
    b.Click = [&] { log.push_back("Click"); };
    form.Show();
    QTest::mouseClick(b.Widget(), Qt::LeftButton, Qt::ControlModifier, QPoint(6, 8));
    EXPECT_EQ(log, (std::vector<std::string>{"MouseDown 1 2 90 120 a", "Click"}));
}

TEST_F(ControlsTest, TextArrayEventsCarryTheIndex) {
    plat::ControlArray<plat::TextBox> txtAntX(form, "txtAntX");
    for (int i = 0; i < 3; ++i) {
        txtAntX.Load(i).Move(100, 100 + 400 * i, 1000, 300);
    }
    txtAntX.Change = [&](int index) { log.push_back("Change " + std::to_string(index)); };
    txtAntX.GotFocus = [&](int index) { log.push_back("GotFocus " + std::to_string(index)); };
    txtAntX.LostFocus = [&](int index) { log.push_back("LostFocus " + std::to_string(index)); };
    txtAntX.KeyPress = [&](int index, int& ascii) {
        log.push_back("KeyPress " + std::to_string(index) + " " + std::to_string(ascii));
    };
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    txtAntX(0).SetFocus();
    log.clear();
    QTest::keyClick(txtAntX(0).Widget(), Qt::Key_Tab);
    QTest::keyClicks(txtAntX(1).Widget(), "5");
    txtAntX(2).SetText("7");
    EXPECT_EQ(log, (std::vector<std::string>{"LostFocus 0", "GotFocus 1", "KeyPress 1 53", "Change 1",
                                             "Change 2"}));
}

TEST_F(ControlsTest, CheckBoxClickFiresOnChange) {
    plat::CheckBox chk(form, "chkUseDefaults");
    chk.Click = [&] { log.push_back("Click " + std::to_string(chk.Value())); };
    chk.SetValue(1);
    chk.SetValue(1);
    chk.SetValue(0);
    EXPECT_EQ(log, (std::vector<std::string>{"Click 1", "Click 0"}));
}

TEST_F(ControlsTest, CommandButtonValueIsTrueWhileItsClickRuns) {
    plat::CommandButton cmd(form, "cmdView2D");
    std::vector<bool> seen;
    cmd.Click = [&] { seen.push_back(cmd.Value()); };
    cmd.SetValue(true);
    cmd.Inner()->click();
    EXPECT_EQ(seen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(cmd.Value());
    EXPECT_FALSE(cmd.Inner()->autoDefault());
}

TEST_F(ControlsTest, MenuChecksStayAsTheProgramSetsThem) {
    plat::MenuItem& file = form.AddMenu("mnuFile", "&File");
    plat::MenuItem& use3D = file.Add("mnuUse3D", "Use 3D File");
    plat::MenuItem& line = file.Add("mnuline2", "-");
    plat::MenuItem& si = file.Add("mnuUseSI", "Use SI Units");
    int clicks = 0;
    use3D.Click = [&] { ++clicks; };
    use3D.Trigger();
    EXPECT_FALSE(use3D.Checked());
    EXPECT_FALSE(use3D.Action()->isChecked());
    use3D.SetChecked(true);
    use3D.Trigger();
    EXPECT_TRUE(use3D.Action()->isChecked());
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(line.IsSeparator());
    EXPECT_EQ(line.Caption(), "-");
    EXPECT_TRUE(line.Action()->text().isEmpty()); // else drawn as a "-" heading line
    EXPECT_EQ(file.Caption(), "&File");
    si.SetVisible(false);
    si.Trigger(); // hidden: not run
    EXPECT_FALSE(si.Visible());
    use3D.SetEnabled(false);
    use3D.Trigger();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(file.Find("mnuUseSI"), &si);
    EXPECT_EQ(file.Find("nothing"), nullptr);
    EXPECT_EQ(file.Items().size(), 3u);
}

TEST_F(ControlsTest, MenuSeparatorsShowNoTextAndACaptionTurnsThemIntoItems) {
    plat::MenuItem& file = form.AddMenu("mnuFile", "&File");
    file.Add("mnuOpen", "&Open");
    plat::MenuItem& recent = file.Add("mnuPrev", "-");
    file.Add("mnuExit", "E&xit");
    form.Show();
    plat::testing::Queue([&] {
        // The open menu draws the separator as a thin line, not as a row of text.
        QMenu& menu = *file.Menu();
        const QRect line = menu.actionGeometry(recent.Action());
        const QRect item = menu.actionGeometry(file.Items()[0]->Action());
        EXPECT_LT(line.height(), item.height() / 2);
        menu.close();
    });
    file.Menu()->popup(QPoint(0, 0));
    plat::testing::WaitFor([&] { return !file.Menu()->isVisible(); });

    recent.SetCaption("&1 site.inp");
    EXPECT_FALSE(recent.IsSeparator());
    EXPECT_EQ(recent.Caption(), "&1 site.inp");
    recent.SetCaption("-");
    EXPECT_TRUE(recent.IsSeparator());
    EXPECT_TRUE(recent.Action()->text().isEmpty());
    EXPECT_EQ(recent.Caption(), "-");
}

TEST_F(ControlsTest, PopupMenuRunsTheChosenItem) {
    plat::MenuItem& nodes = form.AddMenu("mnuNodes", "Nodes");
    nodes.SetVisible(false);
    plat::MenuItem& copy = nodes.Add("mnuCopyCells", "Copy Cells");
    int copies = 0;
    copy.Click = [&] { ++copies; };
    form.Show();
    plat::testing::Queue([&] {
        EXPECT_TRUE(nodes.Menu()->isVisible());
        copy.Action()->trigger();
        nodes.Menu()->close();
    });
    form.PopupMenu(nodes);
    EXPECT_EQ(copies, 1);
}

TEST_F(ControlsTest, TimerTicksWhileEnabledWithAnInterval) {
    plat::Timer timer(form, "Timer1");
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    plat::DoEvents(20);
    EXPECT_EQ(ticks, 0); // no interval yet
    timer.SetInterval(1);
    EXPECT_TRUE(plat::testing::WaitFor([&] { return ticks >= 3; }));
    timer.SetEnabled(false);
    const int stopped = ticks;
    plat::DoEvents(20);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(ControlsTest, ToolbarButtonsKeepTheirPressedStateTakeNoFocusAndReportTheirNumber) {
    plat::TextBox txt(form, "txtA");
    txt.Move(100, 1000, 1000, 300);
    plat::ImageList images;
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    images.Add(red);
    images.Add(red);
    plat::Toolbar bar(form, "Toolbar1");
    bar.SetImageList(&images);
    bar.AddButton(plat::ToolbarButton::Style::Default, "New Parameter File", 1);
    bar.AddButton(plat::ToolbarButton::Style::Separator);
    plat::ToolbarButton& gtd = bar.AddButton(plat::ToolbarButton::Style::Default, "Use GTD", 2);
    std::vector<int> clicked;
    bar.ButtonClick = [&](int index) { clicked.push_back(index); };
    gtd.SetValue(1);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    txt.SetFocus();
    QWidget* gtdWidget = bar.Inner()->widgetForAction(gtd.Action());
    ASSERT_NE(gtdWidget, nullptr);
    EXPECT_EQ(gtdWidget->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(gtdWidget, Qt::LeftButton);
    QTest::mouseClick(bar.Inner()->widgetForAction(bar.Buttons(1).Action()), Qt::LeftButton);
    bar.Click(2); // a separator does nothing
    EXPECT_EQ(clicked, (std::vector<int>{3, 1}));
    EXPECT_EQ(gtd.Value(), 1);
    EXPECT_TRUE(gtd.Action()->isChecked());
    EXPECT_FALSE(bar.Buttons(1).Action()->isChecked());
    EXPECT_TRUE(txt.HasFocus());
    EXPECT_EQ(gtd.ToolTipText(), "Use GTD");
    EXPECT_EQ(gtd.Image(), 2);
    EXPECT_FALSE(gtd.Action()->icon().isNull());
    gtd.SetImage(9); // no such picture: none shown
    EXPECT_TRUE(gtd.Action()->icon().isNull());
    EXPECT_THROW(bar.Buttons(4), std::out_of_range);
}

TEST_F(ControlsTest, GeometryIsInTwipsAndColoursAreBgrNumbers) {
    plat::TextBox txt(form, "txtFltX");
    txt.Move(150, 300, 1500, 285);
    EXPECT_EQ(txt.Widget()->geometry(), QRect(10, 20, 100, 19));
    EXPECT_EQ(txt.Left(), 150);
    EXPECT_EQ(txt.Width(), 1500);
    EXPECT_EQ(txt.Height(), 285);
    EXPECT_EQ(plat::TwipsToPixels(892), 59);

    struct Case {
        plat::Colour colour;
        QColor qt;
    };
    const Case cases[] = {{0xC0C0C0, QColor(192, 192, 192)},
                          {0x0000FF, QColor(255, 0, 0)},
                          {0xFF0000, QColor(0, 0, 255)},
                          {0x7A3F42, QColor(0x42, 0x3F, 0x7A)}};
    for (const Case& c : cases) {
        EXPECT_EQ(plat::ToQColor(c.colour), c.qt);
        EXPECT_EQ(plat::FromQColor(c.qt), c.colour);
    }
    // A disabled box shows the back colour the program gives it.
    txt.SetEnabled(false);
    txt.SetBackColor(plat::kDisabledGrey);
    EXPECT_FALSE(txt.Enabled());
    EXPECT_EQ(txt.BackColor(), 0xC0C0C0u);
    EXPECT_EQ(txt.Editor()->palette().color(QPalette::Disabled, QPalette::Base), QColor(192, 192, 192));
    // A control keeps its own settings inside a hidden window.
    EXPECT_TRUE(txt.Visible());
    txt.SetVisible(false);
    EXPECT_FALSE(txt.Visible());
}

TEST_F(ControlsTest, TextBoxSelection) {
    plat::TextBox txt(form, "txtA");
    txt.SetText("123456");
    txt.SetSelStart(2);
    txt.SetSelLength(3);
    EXPECT_EQ(txt.SelText(), "345");
    EXPECT_EQ(txt.SelStart(), 2);
    txt.SetSelLength(99);
    EXPECT_EQ(txt.SelText(), "3456");
    txt.SetSelStart(6);
    EXPECT_EQ(txt.SelLength(), 0);
    // 8-bit texts survive the control.
    txt.SetText("\xB0 \xE9");
    EXPECT_EQ(txt.Text(), "\xB0 \xE9");
}

TEST_F(ControlsTest, SliderChangeFiresOnValueChange) {
    plat::Slider sld(form, "sldZoom");
    sld.SetMin(0);
    sld.SetMax(100);
    int changes = 0;
    sld.Change = [&] { ++changes; };
    sld.SetValue(40);
    sld.SetValue(40);
    sld.SetValue(500); // clamped to Max
    EXPECT_EQ(sld.Value(), 100);
    EXPECT_EQ(changes, 2);
}

TEST(LabelClick, ALeftClickOnTheLabelOnly) {
    plat::testing::Application();
    plat::Form f("frmLabelClick");
    plat::Label lbl(f, "lblNote");
    lbl.Move(0, 0, 1500, 300);
    lbl.SetCaption("Note");
    int clicks = 0;
    lbl.Click = [&clicks] { ++clicks; };
    f.Show();
    QTest::mouseClick(lbl.Widget(), Qt::LeftButton);
    QTest::mouseClick(lbl.Widget(), Qt::RightButton);
    EXPECT_EQ(clicks, 1);
    plat::Unload(f);
}

} // namespace
