#include "editors/ground/GroundGridPanel.h"

#include "editors/ground/TextBoxCellEditor.h"

#include "platform/services/Clipboard.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

using namespace editors;

GroundGridPanel::GroundGridPanel(plat::FlexGrid& grdGround, plat::TextBox& txtData,
                                 plat::CommandButton& cmdFlat, plat::CommandButton& cmdRestoreGnd,
                                 const std::uint8_t& lengthUnit)
    : cmdRestoreGnd_(cmdRestoreGnd), editor_(std::make_unique<editors::TextBoxCellEditor>(txtData)) {
    GroundGridWindow window{[&grdGround] { grdGround.SetFocus(); },
                            [&grdGround] {
                                return CellPlace{grdGround.Left() + grdGround.CellLeft(),
                                                 grdGround.Top() + grdGround.CellTop(), grdGround.CellWidth(),
                                                 grdGround.CellHeight()};
                            }};
    GridClipboard clipboard{[] { return plat::Clipboard().GetText(); },
                            [](const std::string& text) {
                                plat::Clipboard().Clear();
                                plat::Clipboard().SetText(text);
                            }};
    rules_ = std::make_unique<GroundProfileGrid>(grdGround, *editor_, std::move(window), std::move(clipboard),
                                                 lengthUnit);

    grdGround.KeyPress = [this](int& keyAscii) { rules_->GridKeyPress(keyAscii); };
    grdGround.KeyDown = [this](int& keyCode, int shift) { rules_->GridKeyDown(keyCode, shift); };
    grdGround.Click = [this] { rules_->GridClick(); };
    grdGround.EnterCell = [this] { rules_->GridEnterCell(); };
    txtData.KeyPress = [this](int& keyAscii) { rules_->EditorKeyPress(keyAscii); };
    txtData.KeyDown = [this](int& keyCode, int shift) { rules_->EditorKeyDown(keyCode, shift); };
    txtData.LostFocus = [this] { rules_->EditorLostFocus(); };
    cmdFlat.Click = [this] {
        rules_->FlattenTerrain();
        cmdRestoreGnd_.SetEnabled(true);
    };
    cmdRestoreGnd.Click = [this] { rules_->RestoreTerrain(); };
}

GroundGridPanel::~GroundGridPanel() = default;

void GroundGridPanel::InitGroundGrid(int n) {
    rules_->InitGroundGrid(n);
    cmdRestoreGnd_.SetEnabled(false);
}

bool GroundGridPanel::CanRestore() const { return rules_->CanRestore(); }

void GroundGridPanel::CommitOpenEdit() {
    rules_->CommitOpenEdit();
}
