#pragma once

#include "toolkit/color.h"

// The colours and measures of the main window that more than one part of
// the program uses. Colours are 0xBBGGRR: blue in the high byte.
namespace look {

using toolkit::Color;

// The named colours the window's controls are drawn in.
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kNavy = 0x800000;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kLime = 0x00FF00;
inline constexpr Color kAqua = 0xFFFF00;
inline constexpr Color kBlue = 0xFF0000;
inline constexpr Color kGreen = 0x008000;

// The window's own colour, and the yellow of a retry pass.
inline constexpr Color kWindowColor = 0xF8E4D8;
inline constexpr Color kRetryColor = 0x00FFFF;

// The choice slots: navy, blue under the pointer; their text white while a
// step is open, lime on the right pick and red on a wrong one.
inline constexpr Color kSlotIdle = kNavy;
inline constexpr Color kSlotHover = kBlue;
inline constexpr Color kChoiceText = kWhite;
inline constexpr Color kRightPick = kLime;
inline constexpr Color kWrongPick = kRed;
// The category buttons' text, back from the pointer's highlight.
inline constexpr Color kCategoryText = kBlack;
// The answer log while the next step of its question is asked.
inline constexpr Color kNextStepLog = kGreen;

// The track of the time marker and the per-question marker: both start at
// its left end; the per-question marker crosses it in as many moves as the
// run has questions, and the time marker stops once past its right end.
inline constexpr int kTrackStart = 64;
inline constexpr int kTrackLength = 550;
inline constexpr int kTrackEnd = kTrackStart + kTrackLength;

} // namespace look
