#include "ground/logic/SavedState.h"

#include <stdexcept>

namespace ground {

namespace {

struct Row {
    GroundEvent event;
    SavedState state;
};

// "Save As..." leaves "Save" on: it writes the file the window now names again.
constexpr Row kTable[] = {
    {GroundEvent::FileRead, {true, false}}, {GroundEvent::NoFileAtLoad, {false, true}},
    {GroundEvent::SavedAs, {true, true}},   {GroundEvent::DataChanged, {false, true}},
    {GroundEvent::Cleared, {true, false}},
};

} // namespace

SavedState After(GroundEvent event) {
    for (const Row& row : kTable)
        if (row.event == event)
            return row.state;
    throw std::logic_error("no saved state for the event");
}

} // namespace ground
