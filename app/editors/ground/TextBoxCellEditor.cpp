#include "editors/ground/TextBoxCellEditor.h"

#include <algorithm>

#include <QLineEdit>

#include "platform/ui/TextBox.h"
#include "platform/ui/Twips.h"

namespace editors {

bool TextBoxCellEditor::Visible() const { return box_.Visible(); }
void TextBoxCellEditor::SetVisible(bool visible) { box_.SetVisible(visible); }
std::string TextBoxCellEditor::Text() const { return box_.Text(); }
void TextBoxCellEditor::SetText(const std::string& text) { box_.SetText(text); }

void TextBoxCellEditor::SelectAll() {
    box_.SetSelStart(0);
    box_.SetSelLength(static_cast<int>(box_.Text().size()));
}

void TextBoxCellEditor::CaretToEnd() { box_.SetSelStart(static_cast<int>(box_.Text().size())); }
// Never shorter than a line of its text, whatever the cell's offsets leave of the cell.
void TextBoxCellEditor::Move(int left, int top, int width, int height) {
    const int line = plat::PixelsToTwips(box_.Editor()->fontMetrics().height() + 2);
    box_.Move(left, top, width, std::max(height, line));
}
void TextBoxCellEditor::SetFocus() { box_.SetFocus(); }

} // namespace editors
