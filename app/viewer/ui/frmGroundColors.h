#pragma once
// "Ground View Colors": the viewer's six scene colours, each chosen with the colour picker, or all
// at once as "Dark on Light" or "Light on Dark"; "Apply Changes" closes it and the viewer takes them.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/services/FileDialog.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"

// The six colours in button order: background, horizontal grid, ground, runway, top and bottom
// vertical grid (0x00BBGGRR).
struct GroundColourSet {
    std::int32_t BackgroundColor = 0xFFFFFF;
    std::int32_t GridColor = 0xC000;
    std::int32_t GroundColor = 0;
    std::int32_t RunwayColor = 0x606061;
    std::int32_t Grid2Color = 0xC0C000;
    float Grid3Color = 7976159.0F;

    bool operator==(const GroundColourSet&) const = default;
};

class frmGroundColors : public plat::Form {
public:
    frmGroundColors();
    ~frmGroundColors() override;

    // The viewer's colours the dialog starts from, and the picker it uses (its own when none).
    void Start(const GroundColourSet& colours, plat::CommonDialog* dialog);

    // The working copy, which the opener takes when the dialog closes.
    GroundColourSet Colours;

    std::array<std::unique_ptr<plat::CommandButton>, 6> cmdColor;
    std::array<std::unique_ptr<plat::Label>, 6> Label1;
    std::unique_ptr<plat::CommandButton> cmdDefault, cmdLight, cmdExit;

private:
    void cmdColor_Click(int index);
    void SetAll(const GroundColourSet& colours);
    std::int32_t ColourOf(int index) const;
    void SetColourOf(int index, std::int32_t colour);

    plat::CommonDialog ownDialog_;
    plat::CommonDialog* dialog_ = &ownDialog_;
};

// "Dark on Light" (the viewer's colours after load) and "Light on Dark".
extern const GroundColourSet kDarkOnLight;
extern const GroundColourSet kLightOnDark;

class frmGroundColors& frmGroundColors();
