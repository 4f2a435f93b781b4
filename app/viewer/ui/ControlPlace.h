#pragma once
// A control's place in twips, so that the viewer's layout code reads as a table of places.

namespace viewer {

struct Place {
    int left;
    int top;
    int width;
    int height;
};

template <class C> void Put(C& control, Place p) {
    control.Move(p.left, p.top, p.width, p.height);
}

} // namespace viewer
