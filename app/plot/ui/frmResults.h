#pragma once
// The approach analysis' results: the labels the plot window fills after each analysis, beside
// their captions, and those no analysis fills.
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "plot/logic/ApproachResults.h"

#include <memory>

class frmResults : public plat::Form {
public:
    frmResults();

    void ShowResults(const plot::ResultsLabels& labels);

    std::unique_ptr<plat::Frame> fraResults;
    std::unique_ptr<plat::Label> lblAngle, lblAveAng, lblBFSL, lblRDH, lblThAdjust, lblThVAdjust, lblARDH,
        lblZone2, lblZone3;
    std::unique_ptr<plat::Label> lblWidth, lblSymmetry, lblStructure, lblZone4, lblZone5, lbl90HzCLR,
        lbl150HzCLR, lblTCH, lblReversal1, lblReversal2, lblReversalRatio, lblRPI;
    // The static captions beside the value labels, in the rows' order.
    plat::ControlArray<plat::Label> lblCaption{*this, "lblCaption"};
};

// The results window, created on first use.
frmResults& frmResults();
// Whether it exists and is loaded (the plot window unloads it only then).
bool frmResultsLoaded();
