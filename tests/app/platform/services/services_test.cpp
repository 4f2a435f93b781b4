// Message boxes, file dialogs, clipboard, clock and DoEvents.
#include <filesystem>
#include <string>
#include <vector>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

TEST(MessageBoxes, ScriptedAnswersByTextAndRecords) {
    plat::ScriptedMessageBoxes boxes;
    boxes.Expect("File exists. Overwrite?", plat::vbNo);
    boxes.Expect("File exists. Overwrite?", plat::vbYes);
    std::vector<std::string> unexpected;
    boxes.OnUnexpected = [&](const plat::MessageBoxRequest& r) { unexpected.push_back(r.prompt); };
    EXPECT_EQ(boxes.Show({"File exists. Overwrite?", plat::vbYesNoCancel + plat::vbQuestion, "Save"}),
              plat::vbNo);
    EXPECT_EQ(boxes.Show({"File exists. Overwrite?", plat::vbYesNoCancel, ""}), plat::vbYes);
    // Not scripted: recorded, reported, answered Cancel where there is one, else the first button.
    EXPECT_EQ(boxes.Show({"File exists. Overwrite?", plat::vbYesNoCancel, ""}), plat::vbCancel);
    EXPECT_EQ(boxes.Show({"3D file Error", plat::vbOKOnly + plat::vbCritical, ""}), plat::vbOK);
    EXPECT_EQ(boxes.Show({"Retry?", plat::vbAbortRetryIgnore, ""}), plat::vbAbort);
    ASSERT_EQ(boxes.Shown().size(), 5u);
    EXPECT_EQ(boxes.Shown()[0].title, "Save");
    EXPECT_EQ(boxes.Shown()[0].buttons, plat::vbYesNoCancel + plat::vbQuestion);
    EXPECT_EQ(unexpected, (std::vector<std::string>{"File exists. Overwrite?", "3D file Error", "Retry?"}));
    EXPECT_TRUE(boxes.Unanswered().empty());
    boxes.Expect("never shown", plat::vbOK);
    EXPECT_EQ(boxes.Unanswered(), (std::vector<std::string>{"never shown"}));
}

TEST(MessageBoxes, ButtonSetsOfEachStyle) {
    EXPECT_EQ(plat::MessageBoxButtons(plat::vbOKOnly + plat::vbExclamation), (std::vector<int>{plat::vbOK}));
    EXPECT_EQ(plat::MessageBoxButtons(plat::vbYesNo + plat::vbDefaultButton2),
              (std::vector<int>{plat::vbYes, plat::vbNo}));
    EXPECT_EQ(plat::MessageBoxButtons(plat::vbRetryCancel),
              (std::vector<int>{plat::vbRetry, plat::vbCancel}));
}

// Answers the next on-screen box: closes it, or clicks the button with this text.
void AnswerNextBox(const QString& buttonText, QString* seenText, QString* seenTitle) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        *seenText = box->text();
        *seenTitle = box->windowTitle();
        if (buttonText.isEmpty()) {
            box->close();
            return;
        }
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove('&') == buttonText) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << buttonText.toStdString();
    });
}

TEST(MessageBoxes, OnScreenBoxReturnsTheButtonAndClosingAnswersCancel) {
    Application();
    plat::QtMessageBoxService service;
    struct Case {
        int style;
        QString press; // empty: close by the title bar
        int answer;
    };
    const Case cases[] = {
        {plat::vbYesNoCancel, "", plat::vbCancel}, {plat::vbOKCancel, "", plat::vbCancel},
        {plat::vbOKOnly, "", plat::vbOK},          {plat::vbYesNo, "No", plat::vbNo},
        {plat::vbYesNoCancel, "Yes", plat::vbYes}, {plat::vbRetryCancel, "Retry", plat::vbRetry},
    };
    for (const Case& c : cases) {
        QString text, title;
        AnswerNextBox(c.press, &text, &title);
        EXPECT_EQ(service.Show({"Cannot Generate Output for an antenna that does not exist.\rPlease Change "
                                "Output Parameters.",
                                c.style + plat::vbExclamation, ""}),
                  c.answer);
        EXPECT_EQ(
            text,
            "Cannot Generate Output for an antenna that does not exist.\nPlease Change Output Parameters.");
        EXPECT_EQ(title, "Pellon");
    }
}

TEST(FileDialogs, FiltersInQtForm) {
    struct Case {
        const char* filter;
        const char* qt;
    };
    const Case cases[] = {
        {"Input Files(*.inp), Text Files(*.txt)|*.inp;*.txt|Text Files (*.txt)|*.txt|All Files(*.*)|*.*",
         "Input Files(*.inp), Text Files(*.txt) (*.inp *.txt);;Text Files (*.txt) (*.txt);;All Files(*.*) "
         "(*)"},
        {"Parameter Files(*.inp, *.txt)|*.inp;*.txt |All Files(*.*)|*.*",
         "Parameter Files(*.inp, *.txt) (*.inp *.txt);;All Files(*.*) (*)"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plat::ToQtFilter(c.filter), c.qt) << c.filter;
    }
}

TEST(FileDialogs, CommonDialogKeepsTheNameAndRaisesOnCancelOnlyWhenAsked) {
    plat::testing::ScriptedServices services;
    services.Files().ExpectFile("/runs/site.inp");
    services.Files().ExpectCancel();
    services.Files().ExpectCancel();
    services.Files().ExpectColour(0x7A3F42);
    plat::CommonDialog dialog;
    dialog.Filter = "3D Ground Files(*.3D)|*.3D";
    dialog.FileName = "temp.3D";
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName, "/runs/site.inp");
    EXPECT_EQ(dialog.FileTitle(), "site.inp");
    dialog.ShowSave(); // cancelled: the name comes back unchanged
    EXPECT_EQ(dialog.FileName, "/runs/site.inp");
    dialog.CancelError = true;
    EXPECT_THROW(dialog.ShowOpen(), plat::DialogCancelledError);
    EXPECT_EQ(dialog.FileName, "/runs/site.inp");
    dialog.ShowColor();
    EXPECT_EQ(dialog.Color, 0x7A3F42u);
    const auto& requests = services.Files().Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].kind, plat::FileDialogKind::Open);
    EXPECT_EQ(requests[0].fileName, "temp.3D");
    EXPECT_EQ(requests[0].filter, "3D Ground Files(*.3D)|*.3D");
    EXPECT_EQ(requests[1].kind, plat::FileDialogKind::Save);
    EXPECT_EQ(requests[1].fileName, "/runs/site.inp");
}

// SaveNameChosen answers a cancel by its result, never by raising, and keeps the name then.
TEST(FileDialogs, SaveNameChosenTellsACancelByItsResult) {
    plat::testing::ScriptedServices services;
    services.Files().ExpectCancel();
    services.Files().ExpectFile("/runs/view.gif");
    plat::CommonDialog dialog;
    dialog.FileName = "site.gif";
    dialog.CancelError = true;
    EXPECT_FALSE(dialog.SaveNameChosen());
    EXPECT_EQ(dialog.FileName, "site.gif");
    EXPECT_TRUE(dialog.SaveNameChosen());
    EXPECT_EQ(dialog.FileName, "/runs/view.gif");
    EXPECT_EQ(services.Files().Requests().at(1).kind, plat::FileDialogKind::Save);
}

// The font dialog starts from the dialog's FontName and FontSize and leaves the choice in them; a
// cancel leaves them, or raises with CancelError; cancelled colour pickers leave Color too.
TEST(FileDialogs, FontAndColourDialogsAnswerByScriptAndACancelChangesNothing) {
    plat::testing::ScriptedServices services;
    services.Files().ExpectFont({"Times New Roman", 12.5});
    services.Files().ExpectFontCancel();
    services.Files().ExpectFontCancel();
    services.Files().ExpectColourCancel();
    plat::CommonDialog dialog;
    dialog.FontName = "Sans Serif";
    dialog.FontSize = 8;
    dialog.Flags = plat::cdlCFBoth;
    dialog.ShowFont();
    EXPECT_EQ(dialog.FontName, "Times New Roman");
    EXPECT_DOUBLE_EQ(dialog.FontSize, 12.5);
    dialog.ShowFont();
    EXPECT_EQ(dialog.FontName, "Times New Roman");
    EXPECT_DOUBLE_EQ(dialog.FontSize, 12.5);
    dialog.CancelError = true;
    EXPECT_THROW(dialog.ShowFont(), plat::DialogCancelledError);
    EXPECT_EQ(dialog.FontName, "Times New Roman");
    dialog.CancelError = false;
    dialog.Color = 0x123456;
    dialog.ShowColor();
    EXPECT_EQ(dialog.Color, 0x123456u);
    const auto& requests = services.Files().FontRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].name, "Sans Serif");
    EXPECT_DOUBLE_EQ(requests[0].size, 8);
    EXPECT_EQ(requests[0].flags, 3);
    EXPECT_EQ(requests[1].name, "Times New Roman");
    EXPECT_DOUBLE_EQ(requests[1].size, 12.5);
}

TEST(FileDialogs, AnUnexpectedFontDialogIsReportedAndCancelled) {
    plat::ScriptedFileDialogs files;
    std::string reported;
    files.OnUnexpected = [&](const std::string& what) { reported = what; };
    EXPECT_FALSE(files.ShowFont({"Arial", 10, 3}).has_value());
    EXPECT_EQ(files.Unexpected(), 1);
    EXPECT_EQ(reported, "font dialog, font \"Arial\"");
}

TEST(FileDialogs, UnexpectedDialogIsReportedAndCancelled) {
    plat::ScriptedFileDialogs files;
    std::string reported;
    files.OnUnexpected = [&](const std::string& what) { reported = what; };
    plat::FileDialogRequest request;
    request.kind = plat::FileDialogKind::Save;
    request.filter = "All Files(*.*)|*.*";
    request.fileName = "a.inp";
    EXPECT_FALSE(files.Show(request).has_value());
    EXPECT_EQ(files.Unexpected(), 1);
    EXPECT_EQ(reported, "save dialog, filter \"All Files(*.*)|*.*\", name \"a.inp\"");
}

TEST(Clipboard, TextRoundTripsThroughBothClipboards) {
    Application();
    plat::MemoryClipboard memory;
    plat::QtClipboardService system;
    for (plat::IClipboardService* clipboard :
         {static_cast<plat::IClipboardService*>(&memory), static_cast<plat::IClipboardService*>(&system)}) {
        clipboard->SetText("a\tb\r\nc\td\r\n");
        EXPECT_EQ(clipboard->GetText(), "a\tb\r\nc\td\r\n");
        clipboard->Clear();
        EXPECT_EQ(clipboard->GetText(), "");
    }
}

TEST(Clock, ManualClockAndDoEvents) {
    Application();
    plat::SetClock(std::make_unique<plat::ManualClock>(3600.5));
    EXPECT_DOUBLE_EQ(plat::Clock().SecondsSinceMidnight(), 3600.5);
    plat::SetClock(nullptr);
    const double now = plat::Clock().SecondsSinceMidnight();
    EXPECT_GE(now, 0.0);
    EXPECT_LT(now, 86400.0);

    int ran = 0;
    QTimer::singleShot(0, [&] { ++ran; });
    plat::DoEvents();
    EXPECT_EQ(ran, 1);
    // Waiting handles what arrives meanwhile.
    QTimer::singleShot(5, [&] { ++ran; });
    plat::DoEvents(50);
    EXPECT_EQ(ran, 2);
}

} // namespace
