#pragma once
// The wait window shown while the field engine runs: concentric red rings with the two lines
// "Executing Simulation" and "Please Wait....", centred on the main window. With a run status
// above 1 it shows the program's title card instead and closes itself after a second.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"

// One line of text at its top-left corner, in the picture's 256 x 256 units.
struct WaitText {
    double x = 0;
    double y = 0;
    std::string text;
};

struct WaitLayout {
    int width = 0; // the window, twips
    int height = 0;
    int pictureLeft = 0; // Picture1, twips
    int pictureTop = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
    double redDivisor = 1;        // ring of radius r: red = r / redDivisor, rounded half to even
    std::vector<WaitText> shadow; // drawn first, in black
    std::vector<WaitText> front;  // then in white
    bool titleCard = false;       // closes itself after one second
};

// The layout for a run status: the wait layout for 0 and 1, the title card above 1.
WaitLayout WaitLayoutFor(int runStatus);

// The red of the ring of radius r (0..255).
int RingRed(int r, double redDivisor);

// Draws the rings and the text lines of the layout into the picture box (already placed).
void PaintWaitPicture(plat::PictureBox& picture, const WaitLayout& layout);

class frmGeneric : public plat::Form {
public:
    frmGeneric();

    std::unique_ptr<plat::PictureBox> Picture1;

    // Unloads the window.
    void CloseWaitWindow();

private:
    void Form_Activate();
};

// The wait window, created on first use.
frmGeneric& frmGeneric();
// The window the wait window centres on (the main window gives itself when it attaches its run
// commands); without one the wait window stays where it is.
void SetWaitWindowOwner(std::function<const plat::Form&()> owner);
// Unloads the wait window when it is loaded (it may have closed itself).
void UnloadWaitWindowIfLoaded();
