#include "shell/mainwindow/logic/MenuTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace shell;

TEST(ShellMenuTable, ShortcutsAreFourConsecutiveKeysThatAgreeWithTheToolbar) {
    const char* items[] = {"mnuPlotParms", "mnuRunSim", "mnuRunAndPlot", "mnuPlot"};
    const char* keys[] = {"F4", "F5", "F6", "F7"};
    for (int i = 0; i < 4; ++i) {
        const MenuEntry* e = FindMenuEntry(items[i]);
        ASSERT_NE(e, nullptr) << items[i];
        EXPECT_EQ(e->shortcut, keys[i]);
    }
    int withShortcut = 0;
    for (const MenuEntry& e : MainMenuTable())
        withShortcut += e.shortcut.empty() ? 0 : 1;
    EXPECT_EQ(withShortcut, 4);
}

TEST(ShellMenuTable, NamesUniqueMenusFirstHiddenOnlyTheUnitSwitch) {
    std::set<std::string_view> names;
    std::set<std::string_view> hidden;
    int menus = 0;
    ASSERT_FALSE(MainMenuTable().empty());
    EXPECT_EQ(MainMenuTable().front().level, 0);
    for (const MenuEntry& e : MainMenuTable()) {
        EXPECT_TRUE(names.insert(e.name).second) << e.name;
        menus += e.level == 0 ? 1 : 0;
        if (!e.visible)
            hidden.insert(e.name);
    }
    EXPECT_EQ(menus, 4);
    EXPECT_EQ(hidden, (std::set<std::string_view>{"mnuLine6", "mnuUseSI"}));
    EXPECT_EQ(FindMenuEntry("mnuNothing"), nullptr);
}

TEST(ShellToolbarTable, TwelveButtonsSeparatorsAtFourAndNine) {
    const auto buttons = ToolbarTable();
    ASSERT_EQ(buttons.size(), 12U);
    std::set<int> images;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolbarEntry& b = buttons[i];
        EXPECT_EQ(b.index, static_cast<int>(i) + 1);
        const bool separator = b.index == 4 || b.index == 9;
        EXPECT_EQ(b.separator, separator) << b.index;
        EXPECT_EQ(b.tooltip.empty(), separator) << b.index;
        if (!separator) {
            EXPECT_GE(b.image, 1);
            EXPECT_LE(b.image, kToolbarImageCount);
            EXPECT_TRUE(images.insert(b.image).second) << "image used twice: " << b.image;
        }
    }
    // Button 5 starts with the two-dimensional picture; the 3D picture is the one it changes to.
    EXPECT_EQ(buttons[4].image, static_cast<int>(ToolbarImage::Ground2D));
    EXPECT_EQ(images.count(static_cast<int>(ToolbarImage::Ground3D)), 0U);
}
