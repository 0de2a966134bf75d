// Everything under dat/ except the hint panels: the game data file, the
// button layout, the game screen's pictures and sprites and the level sets.
#include "../Sections.h"

#include "Background.h"
#include "Buttons.h"
#include "GameLayout.h"
#include "Levels.h"
#include "Sprites.h"
#include "Web.h"

#include <string>

namespace NDataGen
{
namespace
{
void AddGameText(CDataWriter& out)
{
    std::string text = "// Level counts of the three level sets and bonus prices in cents.\n";
    text += "m_levels_classic " + std::to_string(kLevelsPerSet) + "\n";
    text += "m_levels_duel " + std::to_string(kLevelsPerSet) + "\n";
    text += "m_levels_moving " + std::to_string(kLevelsPerSet) + "\n";
    for (int i = 0; i < kBonusCount; ++i)
        text += std::string("m_bonus_price_") + kBonusNames[i] + " " + std::to_string(kBonusPrices[i]) + "\n";
    out.AddText("dat/game.txt", text);
}

void AddButtonLayout(CDataWriter& out)
{
    std::string text = "// Game screen buttons: top-left corners in the 800 x 600 screen.\n";
    auto add = [&](const std::string& key, int x, int y) {
        text += key + ".x " + std::to_string(x) + "\n";
        text += key + ".y " + std::to_string(y) + "\n";
        text += key + ".z 0\n";
    };
    add("m_main_menu_btn", kMenuButtonX, kMenuButtonY);
    for (int i = 0; i < kBonusCount; ++i)
        add(std::string("m_bonus_") + kBonusNames[i], BonusButtonX(i), kBonusBarY);
    out.AddText("dat/bonuses_buttons.txt", text);
}
} // namespace

void GenerateGameData(CDataWriter& out)
{
    AddGameText(out);
    AddButtonLayout(out);
    AddGameBackground(out);
    AddGameSprites(out);
    AddGameButtons(out);
    AddLevels(out);
    AddWebPages(out);
}
} // namespace NDataGen
