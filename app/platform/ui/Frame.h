#ifndef PLATFORM_UI_FRAME_H
#define PLATFORM_UI_FRAME_H

#include <string>

#include "platform/ui/Control.h"

class QGroupBox;

namespace plat {

// A captioned frame that holds controls; its option buttons form one group.
class Frame : public Control, public Container {
public:
    Frame(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "Frame"; }

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    QWidget* ClientWidget() override { return Widget(); }
    Form& OwnerForm() override { return Parent(); }
    QGroupBox* Inner() const;
};

} // namespace plat

#endif
