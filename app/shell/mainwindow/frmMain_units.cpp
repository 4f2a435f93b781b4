// The main window's display units: "Use SI Units" relabels the length boxes and panels and, when
// the user agrees, rewrites the shown lengths; ConvertDisplay does the rewriting.
#include "shell/mainwindow/ModelLink.h"

#include "platform/services/MessageBox.h"

using namespace shell;

void frmMain::ConvertDisplay() {
    shell::ConvertDisplay(Model(), *model_);
}

void frmMain::mnuUseSI_Click() {
    plat::MenuItem& item = Menu("mnuUseSI");
    const bool metres = !item.Checked();
    item.SetChecked(metres);
    const UnitCaptions captions = UnitCaptionsFor(metres);
    Label37.ForEach([&](int, plat::Label& label) { label.SetCaption(captions.unitLabel); });
    plat::Label* titles[] = {Label62.get(), Label67.get(), Label63.get(), Label66.get()};
    for (std::size_t i = 0; i < 4; ++i)
        titles[i]->SetCaption(captions.titles[i]);
    Model().LengthUnit = captions.lengthUnit;
    ShowFlightPanelState(editors::UpdateConverterCaptions(Model().FlightType)); // angle columns keep "deg"
    if (plat::MsgBox(kConvertDisplayQuestion, plat::vbYesNo) == plat::vbYes)
        ConvertDisplay();
}
