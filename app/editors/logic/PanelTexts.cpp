#include "editors/logic/PanelTexts.h"

#include "platform/text/Numbers.h"

double BoxNumber(std::string_view text)
{
    try {
        return plat::Val(text);
    } catch (const plat::OverflowError&) {
        return 0;
    }
}
