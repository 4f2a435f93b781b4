#ifndef PLATFORM_UI_COMBOBOX_H
#define PLATFORM_UI_COMBOBOX_H

#include <functional>
#include <string>

#include "platform/ui/Control.h"

class QComboBox;

namespace plat {

// A drop-down list (or, with Style::DropdownCombo, a text box with a list). ListIndex is -1 when
// nothing is selected; adding items leaves it as it was. Click fires when the selected item
// changes, by the user's choice or by setting ListIndex from code; setting the index that is
// already selected fires nothing.
class ComboBox : public Control {
public:
    enum class Style { DropdownCombo, DropdownList };
    ComboBox(Container& parent, std::string name, int index = -1, Style style = Style::DropdownList);
    std::string TypeName() const override { return "ComboBox"; }

    void AddItem(const std::string& item);
    void AddItem(const std::string& item, int position);
    void RemoveItem(int position);
    void Clear();
    int ListCount() const;
    std::string List(int position) const;
    void SetList(int position, const std::string& item);
    int ListIndex() const;
    void SetListIndex(int position);
    // The selected item's text (DropdownList) or the edit text (DropdownCombo).
    std::string Text() const;
    // DropdownCombo: sets the edit text. DropdownList: selects the item with this text.
    void SetText(const std::string& text);
    // DropdownList: the prompt shown while no item is selected; it is no item, and Text stays "".
    void SetPrompt(const std::string& prompt);

    QComboBox* Inner() const;
    std::function<void()> Click;

private:
    Style style_;
};

} // namespace plat

#endif
