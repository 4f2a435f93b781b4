// The capture's names: what the save dialog proposes and the files a chosen name leads to.
#include "viewer/logic/CaptureNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace viewer;

namespace {

TEST(CaptureNames, TheProposalIsTheGroundFilesTitleAsAGif) {
    const struct {
        std::string file3D;
        const char* proposed;
    } cases[] = {{"/sites/runway12.3D", "runway12.gif"},
                 {"runway12.3D", "runway12.gif"},
                 {"/sites/runway12.v2.3D", "runway12.gif"}, // the title ends at its first dot
                 {"/sites.old/runway12", "runway12.gif"},
                 {"", ""},
                 {"/sites/", ""},
                 {"/sites/.3D", ""},
                 {"/" + std::string(300, 'a') + "/runway12.3D", ""}}; // too long for the title helper
    for (const auto& c : cases) {
        EXPECT_EQ(ProposedCaptureName(c.file3D), c.proposed) << c.file3D;
    }
}

// A GIF's name is the GIF alone; any other keeps its bitmap with the GIF beside it, in the same
// folder even when the name has none.
TEST(CaptureNames, AChosenNameLeadsToItsFilesInWritingOrder) {
    const struct {
        const char* chosen;
        std::vector<std::string> files;
    } cases[] = {{"/out/view.gif", {"/out/view.gif"}},
                 {"/out/VIEW.GIF", {"/out/VIEW.GIF"}},
                 {"/out/view.Gif", {"/out/view.Gif"}},
                 {"/out/view.v2.gif", {"/out/view.v2.gif"}},
                 {"/out/a.b.gif", {"/out/a.b.gif"}},
                 {"view.gif", {"view.gif"}},
                 {"/out/view.bmp", {"/out/view.bmp", "/out/view.gif"}},
                 {"/out/view.v2.bmp", {"/out/view.v2.bmp", "/out/view.v2.gif"}},
                 {"view.bmp", {"view.bmp", "view.gif"}},
                 {"/out.d/view", {"/out.d/view", "/out.d/view.gif"}},
                 {"view", {"view", "view.gif"}},
                 {".hidden", {".hidden", ".hidden.gif"}},
                 {"/out/.hidden", {"/out/.hidden", "/out/.hidden.gif"}},
                 {"/out/view.gif.bak", {"/out/view.gif.bak", "/out/view.gif.gif"}},
                 {"/out/view.giff", {"/out/view.giff", "/out/view.gif"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(imaging::FilesInWritingOrder(imaging::CaptureTargetsFor(c.chosen)), c.files) << c.chosen;
    }
}

} // namespace
