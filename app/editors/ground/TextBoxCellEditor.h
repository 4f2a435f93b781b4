#pragma once

// The floating cell editor of a ground grid as a text box: the main window's profile grid and the 3D
// ground editor's grid both edit their cells through one.

#include "editors/ground/GroundProfileGrid.h"

#include <string>

namespace plat {
class TextBox;
}

namespace editors {

class TextBoxCellEditor final : public GroundCellEditor {
public:
    explicit TextBoxCellEditor(plat::TextBox& box) : box_(box) {}
    bool Visible() const override;
    void SetVisible(bool visible) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SelectAll() override;
    void CaretToEnd() override;
    void Move(int left, int top, int width, int height) override;
    void SetFocus() override;

private:
    plat::TextBox& box_;
};

} // namespace editors
