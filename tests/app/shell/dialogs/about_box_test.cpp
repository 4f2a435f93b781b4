// The About box shows each of its texts whole: every label is as tall as its wrapped text, and no
// control covers another or leaves the window.
#include "shell/dialogs/frmNewAbout.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include "platform/services/Clock.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

TEST(AboutBox, EveryTextShowsWhole) {
    const plat::testing::ScriptedServices services;
    auto& about = frmNewAbout();
    about.Show();
    plat::DoEvents(0);
    EXPECT_EQ(about.lblVersion->Caption(), "Version #060410");

    const QRect client = about.Window()->rect();
    std::vector<const plat::Control*> controls;
    for (plat::Label* label : {about.lblTitle.get(), about.lblVersion.get(), about.lblDescription.get(),
                               about.lblDisclaimer.get()}) {
        SCOPED_TRACE(label->Name());
        const QLabel& inner = *label->Inner();
        const QRect room = inner.contentsRect();
        const QRect text = inner.fontMetrics().boundingRect(
            QRect(0, 0, room.width(), 10000), inner.wordWrap() ? int(Qt::TextWordWrap) : 0, inner.text());
        EXPECT_LE(text.width(), room.width());
        EXPECT_LE(text.height(), room.height());
        controls.push_back(label);
    }
    EXPECT_NE(about.lblDisclaimer->Caption().find("this copy."), std::string::npos);
    for (const plat::Control* c : {static_cast<const plat::Control*>(about.picIcon.get()),
                                   static_cast<const plat::Control*>(about.cmdOK.get()),
                                   static_cast<const plat::Control*>(about.cmdSysInfo.get())})
        controls.push_back(c);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->Widget()->geometry();
        EXPECT_TRUE(client.contains(a)) << controls[i]->Name();
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(a.intersects(controls[j]->Widget()->geometry()))
                << controls[i]->Name() << " and " << controls[j]->Name();
    }
    plat::DeleteWindowInstances();
}

} // namespace
