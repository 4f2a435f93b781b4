#pragma once

// The antenna panel's columns in one table: each kind of box with the texts it holds across the three
// antenna columns, in the order the panel lists its rows, and each feed with its magnitude and phase
// boxes. The rules, the panel and the window reach an antenna's box through these tables.

#include <array>
#include <cstddef>
#include <string_view>

#include "editors/logic/PanelLayout.h"
#include "editors/logic/PanelTexts.h"

namespace editors {

enum class FeedKind { CSB, SBO, CLR };

struct AntennaBoxRow {
    AntBox box;
    std::string_view name; // the texts' field and, after "txt", the window's control array
    ColumnTexts AntennaPanelTexts::*texts;
};

inline constexpr std::array<AntennaBoxRow, 12> kAntennaBoxes{{
    {AntBox::X, "AntX", &AntennaPanelTexts::AntX},
    {AntBox::Y, "AntY", &AntennaPanelTexts::AntY},
    {AntBox::Z, "AntZ", &AntennaPanelTexts::AntZ},
    {AntBox::Rot, "AntRot", &AntennaPanelTexts::AntRot},
    {AntBox::CSBMag, "AntCSBMag", &AntennaPanelTexts::AntCSBMag},
    {AntBox::CSBPhase, "AntCSBPhase", &AntennaPanelTexts::AntCSBPhase},
    {AntBox::SBOMag, "AntSBOMag", &AntennaPanelTexts::AntSBOMag},
    {AntBox::SBOPhase, "AntSBOPhase", &AntennaPanelTexts::AntSBOPhase},
    {AntBox::CLRMag, "AntCLRMag", &AntennaPanelTexts::AntCLRMag},
    {AntBox::CLRPhase, "AntCLRPhase", &AntennaPanelTexts::AntCLRPhase},
    {AntBox::Atten, "AntAtten", &AntennaPanelTexts::AntAtten},
    {AntBox::PhaseAdj, "AntPhaseAdj", &AntennaPanelTexts::AntPhaseAdj},
}};

// The row of a kind of box.
constexpr const AntennaBoxRow& AntennaBox(AntBox box) {
    for (const AntennaBoxRow& row : kAntennaBoxes) {
        if (row.box == box)
            return row;
    }
    return kAntennaBoxes.back();
}

static_assert([] {
    for (const AntennaBoxRow& row : kAntennaBoxes) {
        if (AntennaBox(row.box).name != row.name)
            return false;
    }
    return true;
}(), "each kind of box has one row");

// The texts of one kind of box across the three columns.
inline ColumnTexts& Column(AntennaPanelTexts& t, AntBox box) { return t.*AntennaBox(box).texts; }
inline const ColumnTexts& Column(const AntennaPanelTexts& t, AntBox box) { return t.*AntennaBox(box).texts; }

struct FeedBoxes {
    FeedKind feed;
    AntBox magnitude;
    AntBox phase;
};

// Indexed by FeedKind.
inline constexpr std::array<FeedBoxes, 3> kFeedBoxes{{
    {FeedKind::CSB, AntBox::CSBMag, AntBox::CSBPhase},
    {FeedKind::SBO, AntBox::SBOMag, AntBox::SBOPhase},
    {FeedKind::CLR, AntBox::CLRMag, AntBox::CLRPhase},
}};

constexpr const FeedBoxes& Feed(FeedKind feed) { return kFeedBoxes[static_cast<std::size_t>(feed)]; }

static_assert(Feed(FeedKind::CLR).feed == FeedKind::CLR && Feed(FeedKind::SBO).feed == FeedKind::SBO);

} // namespace editors
