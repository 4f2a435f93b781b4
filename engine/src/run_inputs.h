#ifndef KELVD_RUN_INPUTS_H
#define KELVD_RUN_INPUTS_H

#include "engine_types.h"

#include <array>
#include <string>

namespace kelvd {

// One antenna of card 3: position, cant, element values and its three feeds (magnitude, phase degrees).
struct AntennaInput {
    int number = 0; // as read; only echoed
    Vec3 pos{};
    double CANT = 0;
    std::array<double, 3> e{};
    double issMag = 0, issPha = 0; // SBO
    double icsMag = 0, icsPha = 0; // CSB
    double iccMag = 0, iccPha = 0; // clearance
    // (1, e1), (1, e2), (1, e3) when AMODE > 1, else zero.
    std::array<Complex, 3> elementFactor{};
};

// Everything the cards of one run give, and the values derived from them. Every run starts from a
// value-initialised RunInputs.
struct RunInputs {
    // Title card: the first quoted string (1 character kept) and the run title (76 kept).
    std::string label;
    std::string title;

    // Card 1, ground.
    int NV = 0; // as read from the card (the report's edge count)
    int MODEL = 0;
    int DEBUG = 0;
    double permRe = 0, permIm = 0, conductivity = 0;
    Profile cardProfile{};
    // Set when card 1 gives NV <= 1: the profile is cut from the 3D ground file for every antenna at
    // every field point.
    bool profileFromGround = false;

    // Card 2, theodolite.
    Vec3 theodolite{};
    double pathRefAngle = 0, widthRefAngle = 0;

    // Card 3, array.
    int NA = 0;
    double FREQ = 0, M = 0, A = 0, MC150 = 0;
    int AMODE = 0;
    std::array<AntennaInput, limits::kMaxAntennas> ant{};

    // Card 4, flight: P[0..5] are P1..P6.
    int TYPE = 0, NPTS = 0, ANGFLAG = 0;
    std::array<double, 6> P{};

    // Card 5, output.
    int PLOTON = 0, XSEL = 0, YSEL = 0;
    std::array<double, 4> outParams{};
    // Ray-ignore switches in file order: direct; singly reflected; doubly reflected; reflected-diffracted;
    // reflected-reflected-diffracted and triple reflection; reflected-diffracted-reflected; singly
    // diffracted; diffracted-reflected; diffracted-reflected-diffracted; doubly diffracted;
    // diffracted-diffracted-reflected; diffracted-reflected-reflected. A family is ignored when >= 1.
    std::array<int, limits::kRaySwitches> rayIgnore{};

    // Derived at card 3: wavelength (feet), wave number, effective permittivity, clearance switch.
    double lambda = 0, k = 0;
    Complex epsEff{};
    bool clearanceCorrection = false;

    // The last card header read: its dB and phase (degrees), and the first-plate factor
    // F0 = 10^(-dB/20) (cos(-phase), sin(-phase)); (0, 0) before any header.
    double lastHeaderDb = 0, lastHeaderPhase = 0;
    Complex F0{};
};

} // namespace kelvd

#endif
