// The mouse on the viewer's picture: turning, panning and moving the camera by drags, steering a
// flight and re-aiming by releases. In annotation mode the right button draws instead.

#include "platform/gl/GlDrawing.h"
#include "viewer/ui/frmViewGround.h"

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
constexpr int kNoShift = 0;
constexpr int kCtrl = 2;
constexpr char kPanFormat[] = "####0.000";
constexpr char kPointFormat[] = "####0.00";
constexpr char kReAimFormat[] = "#####0.0000";

} // namespace


// Picks against the last OpenGL picture; only called when there is a surface.
viewer::Unproject frmViewGround::PlotterUnproject() {
    return [this](float px, float py, float& depth) {
        surface_->MakeCurrent();
        return plat::UnProjectPoint(px, py, depth);
    };
}

void frmViewGround::Plotter_MouseDown(int button, int shift, double x, double y) {
    // In annotation mode the press belongs to the stroke, not the camera.
    if (Annotating != 0) {
        AnnotateMouseDown(button, shift, x, y);
        return;
    }
    if (shift != kNoShift && shift != kCtrl) {
        return;
    }
    drag_.StartX = static_cast<float>(x);
    drag_.StartY = static_cast<float>(y);
    // Picking needs the OpenGL picture; without a surface drags do nothing.
    if (shift == kNoShift && (button == kLeft || button == kRight) && SurfaceCreated()) {
        viewer::PressForDrag(drag_, View, drag_.StartX, drag_.StartY, PlotterScale(), PlotterUnproject());
    }
}

void frmViewGround::Plotter_MouseMove(int button, int shift, double x, double y) {
    if (Annotating != 0) {
        // A stroke being drawn holds the flight.
        if (button == kRight) {
            Timer1->SetEnabled(false);
        }
        AnnotateMouseMove(button, shift, x, y);
        return;
    }
    if (!SurfaceCreated()) {
        return;
    }
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    bool moved = false;
    if (shift == kCtrl) {
        if (button == kMiddle) {
            viewer::ViewBoxes boxes = Boxes();
            moved = viewer::PanStep(drag_, View, boxes, fx, fy, PlotterScale(), PlotterUnproject());
            if (moved) {
                // The boxes show the point they are chosen for: the next redraw takes them as that point.
                viewer::ShowChosenPoint(View, boxes, kPanFormat);
                ShowBoxes(boxes);
            }
        }
    } else if (button == kLeft || button == kRight) {
        moved = button == kLeft ? viewer::TurnStep(drag_, View, fx, fy, PlotterScale(), PlotterUnproject())
                                : viewer::DollyStep(drag_, View, fx, fy, PlotterScale(), PlotterUnproject());
        // Showing the eye, the boxes follow it, or the next redraw would take the old eye back.
        if (moved && optTargetEye1->Value()) {
            viewer::ViewBoxes boxes = Boxes();
            viewer::ShowChosenPoint(View, boxes, kPointFormat);
            ShowBoxes(boxes);
        }
    }
    if (moved) {
        RedrawView();
    }
}

void frmViewGround::Plotter_MouseUp(int button, int shift, double x, double y) {
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    // A release during a flight steers it, whatever the mode; the timer redraws.
    if (View.Motion == viewer::MotionState::Flying) {
        viewer::ViewBoxes boxes = Boxes();
        viewer::SteerFlight(View, boxes, fx, fy, PlotterScale(), UseOpenGL);
        ShowBoxes(boxes);
        return;
    }
    if (button == kRight) {
        // In annotation mode the right release ends a stroke.
        if (Annotating != 0) {
            AnnotateMouseUp(button, shift, x, y);
            return;
        }
        // A miss keeps the anchor; the next press sets it anyway.
        if (SurfaceCreated()) {
            viewer::ReleaseAnchor(drag_, View, fx, fy, PlotterScale(), PlotterUnproject());
        }
        return;
    }
    // A re-aim redraws, which would wipe the annotated picture: not while annotating.
    if (button == kLeft && shift == kCtrl && Annotating == 0) {
        viewer::ViewBoxes boxes = Boxes();
        viewer::ReAim(View, boxes, fx, fy, PlotterScale());
        viewer::ShowChosenPoint(View, boxes, kReAimFormat);
        ShowBoxes(boxes);
        RedrawView();
    }
}
