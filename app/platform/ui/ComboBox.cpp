#include "platform/ui/ComboBox.h"

#include <stdexcept>

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/ui/Dispatch.h"
#include "platform/ui/QtText.h"

namespace plat {

ComboBox::ComboBox(Container& parent, std::string name, int index, Style style)
    : Control(parent, std::move(name), index, new QComboBox), style_(style) {
    Inner()->setEditable(style == Style::DropdownCombo);
    Inner()->setInsertPolicy(QComboBox::NoInsert);
    if (QLineEdit* edit = Inner()->lineEdit()) {
        WatchWidget(edit);
    }
    QObject::connect(Inner(), &QComboBox::currentIndexChanged, Inner(), [this](int position) {
        if (position >= 0 && Click) {
            Dispatch(Widget(), Click);
        }
    });
}

QComboBox* ComboBox::Inner() const {
    return static_cast<QComboBox*>(Widget());
}

void ComboBox::AddItem(const std::string& item) {
    AddItem(item, ListCount());
}

void ComboBox::AddItem(const std::string& item, int position) {
    if (position < 0 || position > ListCount()) {
        throw std::out_of_range("ComboBox::AddItem: invalid position");
    }
    const int selected = Inner()->currentIndex();
    const QSignalBlocker blocker(Inner());
    Inner()->insertItem(position, ToQString(item));
    // An empty list selects its first item; the program's lists start unselected.
    Inner()->setCurrentIndex(selected < 0 ? -1 : (position <= selected ? selected + 1 : selected));
}

void ComboBox::RemoveItem(int position) {
    if (position < 0 || position >= ListCount()) {
        throw std::out_of_range("ComboBox::RemoveItem: invalid position");
    }
    const int selected = Inner()->currentIndex();
    const QSignalBlocker blocker(Inner());
    Inner()->removeItem(position);
    Inner()->setCurrentIndex(position == selected ? -1 : (position < selected ? selected - 1 : selected));
}

void ComboBox::Clear() {
    const QSignalBlocker blocker(Inner());
    Inner()->clear();
    if (QLineEdit* edit = Inner()->lineEdit()) {
        edit->clear();
    }
}

int ComboBox::ListCount() const {
    return Inner()->count();
}

std::string ComboBox::List(int position) const {
    if (position < 0 || position >= ListCount()) {
        return "";
    }
    return FromQString(Inner()->itemText(position));
}

void ComboBox::SetList(int position, const std::string& item) {
    if (position < 0 || position >= ListCount()) {
        throw std::out_of_range("ComboBox::SetList: invalid position");
    }
    Inner()->setItemText(position, ToQString(item));
}

int ComboBox::ListIndex() const {
    return Inner()->currentIndex();
}

void ComboBox::SetListIndex(int position) {
    if (position < -1 || position >= ListCount()) {
        throw std::out_of_range("ComboBox::SetListIndex: invalid index");
    }
    Inner()->setCurrentIndex(position);
}

std::string ComboBox::Text() const {
    return FromQString(Inner()->currentText());
}

void ComboBox::SetText(const std::string& text) {
    if (style_ == Style::DropdownCombo) {
        Inner()->setEditText(ToQString(text));
        return;
    }
    const int position = Inner()->findText(ToQString(text), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (position < 0) {
        throw std::invalid_argument("ComboBox::SetText: no such item");
    }
    SetListIndex(position);
}

void ComboBox::SetPrompt(const std::string& prompt) {
    Inner()->setPlaceholderText(ToQString(prompt));
}

} // namespace plat
