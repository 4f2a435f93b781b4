#pragma once
// Walks a shown window's controls and checks what a user needs to read it, by the metrics of each
// control's own font and the style's margins: every caption fits its control, no two sibling
// controls partly cover each other, a text box shows the start of its value and has room for it,
// and frames are opaque. A fault names the window, the control and the text.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include <map>
#include <string>
#include <vector>

#include "platform/ui/Form.h"
#include "platform/ui/TextBox.h"

namespace layout {

// The control's name and index; an unnamed caption by its kind.
inline std::string ControlName(const plat::Control& c) {
    const std::string name = c.Name().empty() ? "(" + c.TypeName() + ")" : c.Name();
    return c.Index() < 0 ? name : name + "(" + std::to_string(c.Index()) + ")";
}

inline std::string Describe(const plat::Form& form, const plat::Control& c, const QString& text) {
    return form.Name() + "." + ControlName(c) + " \"" + text.toStdString() + "\"";
}

// The room a line edit gives its text: the style's contents rectangle less the edit's own margins
// (two pixels each side, as QLineEdit draws).
inline QRect LineEditRoom(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth =
        edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    const QMargins margins = edit.textMargins();
    return edit.style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, &edit)
        .adjusted(2 + margins.left(), 1 + margins.top(), -2 - margins.right(), -1 - margins.bottom());
}

// True when `text` drawn in `edit`'s font fits its room.
inline bool FitsLineEdit(const QLineEdit& edit, const QString& text) {
    const QFontMetrics metrics(edit.font());
    return metrics.horizontalAdvance(text) <= LineEditRoom(edit).width();
}

inline void CheckLabel(const plat::Form& form, const plat::Control& c, const QLabel& label) {
    const QString text = label.text();
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(label.font());
    const QRect room = label.contentsRect();
    const int flags = label.wordWrap() ? int(Qt::TextWordWrap) : 0;
    const QRect need =
        metrics.boundingRect(QRect(0, 0, room.width(), 100000), flags | int(label.alignment()), text);
    EXPECT_LE(need.width(), room.width()) << Describe(form, c, text) << " is wider than its label";
    EXPECT_LE(need.height(), room.height()) << Describe(form, c, text) << " is taller than its label";
}

inline void CheckButton(const plat::Form& form, const plat::Control& c, const QAbstractButton& button,
                        QStyle::SubElement contents) {
    const QString text = button.text();
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = text;
    option.iconSize = button.iconSize();
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    const QSize need = QFontMetrics(button.font()).size(Qt::TextShowMnemonic, text);
    EXPECT_LE(need.width(), room.width()) << Describe(form, c, text) << " is wider than its control";
    EXPECT_LE(need.height(), button.height()) << Describe(form, c, text) << " is taller than its control";
}

inline void CheckFrame(const plat::Form& form, const plat::Control& c, const QGroupBox& box) {
    EXPECT_TRUE(box.autoFillBackground()) << Describe(form, c, box.title()) << " is see-through";
    const QString text = box.title();
    if (text.isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = text;
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    const int need = QFontMetrics(box.font()).size(Qt::TextShowMnemonic, text).width();
    EXPECT_TRUE(box.rect().contains(label) && label.width() >= need)
        << Describe(form, c, text) << " is wider than its frame";
}

// A box not being edited shows its value from the start, and has room for all of it.
inline void CheckTextBox(const plat::Form& form, const plat::Control& c, const QLineEdit& edit) {
    const QString text = edit.text();
    if (!edit.hasFocus()) {
        EXPECT_EQ(edit.cursorPosition(), 0) << Describe(form, c, text) << " does not show its start";
    }
    EXPECT_TRUE(FitsLineEdit(edit, text)) << Describe(form, c, text) << " is wider than its box";
    EXPECT_LE(QFontMetrics(edit.font()).height(), LineEditRoom(edit).height() + 2)
        << Describe(form, c, text) << " is taller than its box";
}

// Controls that are drawn over others by design (lines and shapes) take no part in the overlap rule.
inline bool TakesPart(const plat::Control& c) {
    return c.TypeName() != "Line" && c.TypeName() != "Shape" && c.TypeName() != "Timer";
}

inline void CheckOverlaps(const plat::Form& form, const std::vector<const plat::Control*>& shown) {
    std::map<const QWidget*, std::vector<const plat::Control*>> siblings;
    for (const plat::Control* c : shown)
        if (TakesPart(*c))
            siblings[c->Widget()->parentWidget()].push_back(c);
    for (const auto& [parent, group] : siblings)
        for (std::size_t i = 0; i < group.size(); ++i)
            for (std::size_t j = i + 1; j < group.size(); ++j) {
                const QRect a = group[i]->Widget()->geometry();
                const QRect b = group[j]->Widget()->geometry();
                EXPECT_FALSE(a.intersects(b) && !a.contains(b) && !b.contains(a))
                    << form.Name() << "." << ControlName(*group[i]) << " and " << ControlName(*group[j])
                    << " overlap";
            }
}

// Every rule over every visible control of `form`.
inline void ExpectReadable(const plat::Form& form) {
    SCOPED_TRACE(form.Name());
    std::vector<const plat::Control*> shown;
    for (const plat::Control* c : form.Controls()) {
        const QWidget* w = c->Widget();
        if (w == nullptr || !w->isVisibleTo(form.Window()))
            continue;
        shown.push_back(c);
        if (const auto* label = qobject_cast<const QLabel*>(w))
            CheckLabel(form, *c, *label);
        else if (const auto* button = qobject_cast<const QPushButton*>(w))
            CheckButton(form, *c, *button, QStyle::SE_PushButtonContents);
        else if (const auto* check = qobject_cast<const QCheckBox*>(w))
            CheckButton(form, *c, *check, QStyle::SE_CheckBoxContents);
        else if (const auto* option = qobject_cast<const QRadioButton*>(w))
            CheckButton(form, *c, *option, QStyle::SE_RadioButtonContents);
        else if (const auto* frame = qobject_cast<const QGroupBox*>(w))
            CheckFrame(form, *c, *frame);
        else if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            CheckTextBox(form, *c, *edit);
    }
    CheckOverlaps(form, shown);
}

// The widest value each named box's format gives for its range must fit the box.
struct WidestValue {
    const char* box;
    int index;
    const char* text;
};

inline void ExpectRoomFor(const plat::Form& form, const std::vector<WidestValue>& widest) {
    for (const WidestValue& v : widest) {
        const plat::Control* c = form.FindControl(v.box, v.index);
        ASSERT_NE(c, nullptr) << form.Name() << "." << v.box;
        const auto* edit = qobject_cast<const QLineEdit*>(c->Widget());
        ASSERT_NE(edit, nullptr) << form.Name() << "." << v.box;
        EXPECT_TRUE(FitsLineEdit(*edit, v.text)) << Describe(form, *c, v.text) << " is wider than its box";
    }
}

} // namespace layout
