// The viewer's capture: "Capture" writes the picture held in Plotter as a GIF (and a bitmap when the
// chosen name is not a GIF's); CopyPlotterToFile writes it as a bitmap for other windows.

#include <filesystem>
#include <string>
#include <system_error>

#include "imaging/BmpWriter.h"
#include "imaging/CaptureFiles.h"
#include "platform/services/MessageBox.h"
#include "shell/model/ModelVariables.h"
#include "viewer/logic/CaptureNames.h"
#include "viewer/ui/frmViewGround.h"

void frmViewGround::BuildCaptureControls() {
    cmdCapture = std::make_unique<plat::CommandButton>(*this, "cmdCapture");
    cmdCapture->Move(kClientWidth - 1020, 60, 960, 375); // top right, beside the check boxes
    cmdCapture->SetCaption("Capture");
    cmdCapture->Click = [this] { cmdCapture_Click(); };
}

// The persistent image is what the box shows without any window over it.
plat::FileWriteResult frmViewGround::CopyPlotterToFile(const std::string& strtemp) {
    if (strtemp.empty()) {
        return {};
    }
    return imaging::SavePicture(Plotter->Pixels(), strtemp);
}

void frmViewGround::cmdCapture_Click() {
    // Outside annotation the view is drawn afresh into the picture; while annotating the picture
    // with its annotations is what is captured.
    if (Annotating == 0) {
        Plotter->SetAutoRedraw(true);
        RedrawView();
    }
    OpenSave1.FileName = viewer::ProposedCaptureName(shell::Model().File3D);
    OpenSave1.Filter = viewer::kCaptureFilter;
    if (!OpenSave1.SaveNameChosen()) {
        return;
    }
    if (OpenSave1.FileName.empty()) {
        return;
    }
    const imaging::CaptureTargets targets = imaging::CaptureTargetsFor(OpenSave1.FileName);
    if (!imaging::ReplacingAgreed(targets, [] {
            return plat::MsgBox(imaging::kOverwriteQuestion, plat::vbYesNo, imaging::kFileExistsTitle) !=
                   plat::vbNo;
        })) {
        return;
    }
    const imaging::CaptureWriteResult written = imaging::WriteCapture(Plotter->Pixels(), targets);
    Plotter->SetAutoRedraw(false);
    if (!written) {
        plat::MsgBox(viewer::CaptureFailedMessage(written), plat::vbExclamation);
        return;
    }
    plat::MsgBox(viewer::kCaptureComplete);
}
