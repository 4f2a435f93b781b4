#pragma once

// The model the program edits, saves, loads and runs: one set of program-wide variables, read and
// written by name from every window. Lengths are feet, angles degrees, frequencies MHz.
// Kinds as the program declares them: Byte = std::uint8_t, Integer = std::int16_t,
// Single = float, String = std::string, Variant = ModelVariant.

#include "common/VectorsAndMatrices.h"
#include "plot/records/ILSData.h"
#include "plot/records/PlotSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace shell {

// A value of any of the kinds a variable of the program may hold.
using ModelVariant = std::variant<std::int16_t, std::int32_t, float, double, std::string>;

// A fixed table indexed First..First+N-1, as the program indexes it; an index outside that range
// throws std::out_of_range instead of touching a neighbour.
template <typename T, std::size_t N, int First = 1> class IndexedTable {
public:
    T& operator()(int i) { return items_.at(Slot(i)); }
    const T& operator()(int i) const { return items_.at(Slot(i)); }

    static constexpr int Lower() { return First; }
    static constexpr int Upper() { return First + static_cast<int>(N) - 1; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const IndexedTable&) const = default;

private:
    static std::size_t Slot(int i) {
        if (i < First || i > Upper())
            throw std::out_of_range("index outside the table");
        return static_cast<std::size_t>(i - First);
    }
    std::array<T, N> items_{};
};

// One antenna: 16 Singles in this order (word 0 to 15).
struct AntennaRec {
    float X = 0;     // lateral offset from the runway centreline, feet
    float Y = 0;     // setback along the runway, feet
    float Z = 0;     // height, feet
    float Rot = 0;   // rotation, degrees (not written to the parameter file)
    float Alpha = 0; // element rotation, degrees
    float Phi1 = 0;  // element values, degrees
    float Phi2 = 0;
    float Phi3 = 0;
    float SBOMag = 0; // SBO feed magnitude and phase (degrees)
    float SBOPhase = 0;
    float CSBMag = 0; // CSB feed
    float CSBPhase = 0;
    float CLRMag = 0; // clearance feed
    float CLRPhase = 0;
    float PhaseAdj = 0; // phase adjustment, degrees
    float Atten = 0;    // attenuation, dB

    bool operator==(const AntennaRec&) const = default;
};

struct ModelVariables {
    // File names
    std::string InFile;      // working parameter file; "temp.inp" while the model is unnamed
    std::string OutFile;     // plot file of the run
    std::string File3D;      // 3D ground file of the model
    std::string SavedInFile; // InFile as it was when the model was last loaded

    // Display and program state
    std::uint8_t LengthUnit = 0;       // unit of lengths in text boxes: 0 feet, 1 metres, 2 nautical miles
    std::uint8_t RunStatus = 100;      // 1 when a run has ended; above 1 selects the wait window's title card
    std::uint8_t Facility = 2;         // 1 glide slope, otherwise localizer (array grid editor)
    std::uint8_t PlotFlightType = 0;   // flight type of the plot: 0 none, 1..7
    std::uint8_t ViewGroundSource = 0; // 0 the main window's profile grid, else the ground editor's grid
    ModelVariant BankAngle = std::int16_t{0}; // bank angle of the 3D view, degrees
    std::uint8_t HelpPicture = 0;             // picture shown by the origin help window

    // Field model and ground (card 1)
    std::uint8_t FieldModel = 0;   // 0 flat earth, 1 GTD, 2 physical optics
    std::uint8_t TraceLevel = 0;   // engine trace level; always written as 0
    std::int16_t NumGroundPts = 0; // two-dimensional profile points last collected or read
    float PermittivityRe = 0;      // ground relative permittivity, as read from a file
    float PermittivityIm = 0;
    float Conductivity = 0;

    // Theodolite and path (card 2)
    float ThX = 0;
    float ThY = 0;
    float ThZ = 0;
    float PathAngle = 0; // glide path reference angle, degrees
    float PathWidth = 0; // path width reference angle, degrees
    float RefAntX = 0;   // lateral offset and setback of the reference antenna
    float RefAntY = 0;
    float OriginShift = 0; // origin shift along the runway: -RefAntY when written

    // Array (card 3)
    std::uint8_t NumAnts = 0; // 1..3; start-up sets 3 when it is 0
    float ArrayFreq = 0;      // carrier frequency, MHz
    float ArrayModDepth = 0;
    float ArrayARatio = 0; // CSB to SBO current ratio
    float ArrayCLRModDepth = 0;
    std::uint8_t AntOrient = 0;      // orientation list index 0..3
    IndexedTable<AntennaRec, 3> Ant; // Ant(1) .. Ant(3); box index i shows Ant(i + 1)

    // Flight profile (card 4)
    std::uint8_t FlightType = 0; // 1, 2, 3, 4, 7
    common::Vector3 FltPoint1;   // first and second defining point, feet
    common::Vector3 FltPoint2;
    float FltNumPoints = 0;
    std::uint8_t FltAngFlag = 0;

    // Output selection (card 5)
    std::uint8_t PlotOn = 0;
    std::uint8_t XAxisVar = 0; // 1..5
    std::uint8_t YAxisVar = 0; // 1..11
    float OutParam1 = 0;
    float OutParam2 = 0;
    float OutParam3 = 0;
    float OutParam4 = 0;
    // RayIgnore(1) .. RayIgnore(12), 1 = ignore: direct, R, RR, RD, RRD+RRR, RDR, D, DR, DRD, DD,
    // DDR, DRR
    IndexedTable<std::uint8_t, 12> RayIgnore;

    // Transmitter modifications (card 6)
    float SBOPowerAdj = 0; // dB
    float CLRPowerAdj = 0; // dB
    float CSBSBOPhase = 0; // degrees

    // Start-up values of the plot window and the 3D viewer
    float AircraftSpeed = 200.0F;    // knots (CDI filter)
    plot::PlotSettings PlotSettings; // axis unit and modes, analysis switches, limits, runway
    plot::ILSAnalysisRec ILSData;    // the approach analysis: category and results

    bool operator==(const ModelVariables&) const = default;
};

// The reference antenna: Ant(3) with one or two antennas, Ant(2) with three.
int ReferenceAntenna(std::uint8_t numAnts);

// The record behind antenna i (1-based) of a parameter file: with two antennas the second is Ant(3).
int AntennaOfFileLine(int i, std::uint8_t numAnts);

// The program-wide model. Logic takes a ModelVariables by reference, so tests use their own.
ModelVariables& Model();

} // namespace shell
