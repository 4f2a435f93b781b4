#include "editors/ground/GroundGridPanel.h"

#include "platform/services/Clipboard.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

class GroundGridPanel::GridAdapter final : public GroundGridControl {
public:
    explicit GridAdapter(plat::FlexGrid& g) : g_(g) {}
    int Rows() const override { return g_.Rows(); }
    std::string TextMatrix(int row, int col) const override { return g_.TextMatrix(row, col); }
    void SetRows(int rows) override { g_.SetRows(rows); }
    int Cols() const override { return g_.Cols(); }
    void SetCols(int cols) override { g_.SetCols(cols); }
    void SetTextMatrix(int row, int col, const std::string& text) override {
        g_.SetTextMatrix(row, col, text);
    }
    void Clear() override { g_.Clear(); }
    void SetColWidth(int col, int twips) override { g_.SetColWidth(col, twips); }
    int Row() const override { return g_.Row(); }
    void SetRow(int row) override { g_.SetRow(row); }
    int Col() const override { return g_.Col(); }
    void SetCol(int col) override { g_.SetCol(col); }
    int RowSel() const override { return g_.RowSel(); }
    int ColSel() const override { return g_.ColSel(); }
    void SetRedraw(bool redraw) override { g_.SetRedraw(redraw); }
    void Refresh() override { g_.Refresh(); }
    void SetFocus() override { g_.SetFocus(); }
    Place CurrentCellPlace() const override {
        return {g_.Left() + g_.CellLeft(), g_.Top() + g_.CellTop(), g_.CellWidth(), g_.CellHeight()};
    }

private:
    plat::FlexGrid& g_;
};

class GroundGridPanel::EditorAdapter final : public GroundCellEditor {
public:
    explicit EditorAdapter(plat::TextBox& t) : t_(t) {}
    bool Visible() const override { return t_.Visible(); }
    void SetVisible(bool visible) override { t_.SetVisible(visible); }
    std::string Text() const override { return t_.Text(); }
    void SetText(const std::string& text) override { t_.SetText(text); }
    void SelectAll() override {
        t_.SetSelStart(0);
        t_.SetSelLength(static_cast<int>(t_.Text().size()));
    }
    void CaretToEnd() override { t_.SetSelStart(static_cast<int>(t_.Text().size())); }
    void Move(int left, int top, int width, int height) override { t_.Move(left, top, width, height); }
    void SetFocus() override { t_.SetFocus(); }

private:
    plat::TextBox& t_;
};

GroundGridPanel::GroundGridPanel(plat::FlexGrid& grdGround, plat::TextBox& txtData,
                                 plat::CommandButton& cmdFlat, plat::CommandButton& cmdRestoreGnd,
                                 const std::uint8_t& lengthUnit)
    : cmdRestoreGnd_(cmdRestoreGnd), grid_(std::make_unique<GridAdapter>(grdGround)),
      editor_(std::make_unique<EditorAdapter>(txtData)) {
    GridClipboard clipboard{[] { return plat::Clipboard().GetText(); },
                            [](const std::string& text) {
                                plat::Clipboard().Clear();
                                plat::Clipboard().SetText(text);
                            }};
    rules_ = std::make_unique<GroundProfileGrid>(*grid_, *editor_, std::move(clipboard), lengthUnit);

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
}

void GroundGridPanel::CommitOpenEdit() {
    rules_->CommitOpenEdit();
}
