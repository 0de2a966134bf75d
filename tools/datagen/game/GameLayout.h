// Where the game screen's own pictures sit: the bonus button bar, the main
// menu button and the head-up display. The button file and the background
// are both drawn from these numbers.
#pragma once

namespace NDataGen
{
constexpr int kBonusCount = 11;
// In purchase order; file names under dat/bonus_btn/ and layout keys m_bonus_<name>.
constexpr const char* kBonusNames[kBonusCount] = {
    "single_repaint", "zone_repaint", "free_randomize", "forward3", "forward6", "self_repaint",
    "skip_move",      "backward3",    "backward6",      "apponent_randomize", "life"};
// Price keys follow the same order: 1, 2, 3, 5, 10, 15, 25, 30, 40, 50 cents and $1.
constexpr int kBonusPrices[kBonusCount] = {1, 2, 3, 5, 10, 15, 25, 30, 40, 50, 100};

constexpr int kBonusButtonSize = 42;
constexpr int kBonusButtonGap = 3;
constexpr int kBonusBarY = 555;
constexpr int kBonusBarX = (800 - (kBonusCount * kBonusButtonSize + (kBonusCount - 1) * kBonusButtonGap)) / 2;
constexpr int BonusButtonX(int i) { return kBonusBarX + i * (kBonusButtonSize + kBonusButtonGap); }

constexpr int kMenuButtonWidth = 92;
constexpr int kMenuButtonHeight = 32;
constexpr int kMenuButtonX = 702;
constexpr int kMenuButtonY = 64;

constexpr int kCheckBoxSize = 24;
} // namespace NDataGen
