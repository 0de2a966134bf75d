#include "game/Game.h"

#include "engine/AppSettings.h"
#include "engine/Input.h"
#include "engine/KeyValueFile.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "game/AIPlayer.h"
#include "game/BonusApponentRandomize.h"
#include "game/BonusBackward3.h"
#include "game/BonusForward3.h"
#include "game/BonusFreeRandomize.h"
#include "game/BonusLife.h"
#include "game/BonusSelfRepaint.h"
#include "game/BonusSimpleRepaint.h"
#include "game/BonusSkipMove.h"
#include "game/BonusZoneRepaint.h"
#include "game/FX.h"
#include "game/Field.h"
#include "game/GameOwner.h"
#include "game/GameResources.h"
#include "game/HintPanel.h"
#include "game/MovingPlayer.h"
#include "game/Player.h"
#include "platform/Events.h"
#include "platform/Gamepad.h"
#include "ui/Frame.h"
#include "ui/SimpleButton.h"

#include <algorithm>
#include <cstdlib>

namespace NGame
{
namespace
{
const char* const kButtonNames[CGame::kBonusCount] = {
    "m_bonus_single_repaint", "m_bonus_zone_repaint",       "m_bonus_free_randomize", "m_bonus_forward3",
    "m_bonus_forward6",       "m_bonus_self_repaint",       "m_bonus_skip_move",      "m_bonus_backward3",
    "m_bonus_backward6",      "m_bonus_apponent_randomize", "m_bonus_life",
};
constexpr int kClickSlack = 3; // a release closer than this to the press is a click
} // namespace

const char* const CGame::kButtonLayoutFile = "dat/bonuses_buttons.txt";

const char* const CGame::kTooltips[kBonusCount] = {
    "Repaint one flower into the color of your zone (1 cent)",
    "Repaint random field into the color of your zone (2 cents)",
    "Randomize unoccupied space (3 cents)",
    "Move forward for one cell (5 cents)",
    "Move forward for three cells (10 cents)",
    "Repaint your zone into random color (15 cents)",
    "Opponent misses one turn (25 cents)",
    "Opponent's zone decreases by two lines (30 cents)",
    "Opponent's zone decreases by four lines (40 cents)",
    "Entirely randomize the Opponent's zone (50 cents)",
    "Plus one life ($1)",
};

const char* const CGame::kPlaylist[5] = {
    "music/game01.xm", "music/game02.xm", "music/game03.xm", "music/menu.xm", "music/game04.xm",
};

int CGame::DifficultyForLevel(int level)
{
    if (level < 30)
    {
        static constexpr int kByMod13[13] = {0, 1, 0, 1, 1, 2, 2, 2, 3, 3, 4, 4, 5};
        return kByMod13[std::max(0, level) % 13];
    }
    if (level < 60)
    {
        static constexpr int kByMod10[10] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5};
        return kByMod10[level % 10];
    }
    if (level < 85)
    {
        static constexpr int kByMod4[4] = {2, 4, 5, 5};
        return kByMod4[level % 4];
    }
    return 5;
}

bool CGame::SaveGame(CKeyValueFile& file) const
{
    const CPlayer* player = GetPlayer();
    // Before the first recorded position there is no board to save beside the totals.
    const bool recorded = m_recorded.record_count >= 0;
    file.SetInt("gamedata.gametype", m_game_type);
    file.SetInt("gamedata.totalscore", recorded ? m_recorded.total_score : m_total_score);
    file.SetInt("gamedata.playermoney", recorded ? m_recorded.money : player ? player->GetMoney() : 0);
    file.SetInt("gamedata.playerlifes", recorded ? m_recorded.lives : player ? player->GetLives() : 0);
    m_field->SaveState(file);
    return true;
}

bool CGame::LoadGame(const CKeyValueFile& file)
{
    const int type = file.GetInt("gamedata.gametype", -1);
    const int totalScore = file.GetInt("gamedata.totalscore", 0);
    if (type < CGameResources::kClassic || type > CGameResources::kMoving)
        return false;
    const int money = file.GetInt("gamedata.playermoney", 0);
    const int lives = file.GetInt("gamedata.playerlifes", 0);
    // Values no game reaches: refused rather than played with.
    if (totalScore < 0 || totalScore > kMaxTotalScore || money < 0 || money > CPlayer::kMaxMoney || lives < 0 ||
        lives > CPlayer::kMaxLives)
        return false;
    ClearLevelState();
    m_sides.clear();
    if (!m_field->LoadState(file))
        return false;
    RecordBestLevel();
    m_game_type = type;
    m_total_score = totalScore;
    CreateSides();
    m_sides[0]->AddMoney(money - m_sides[0]->GetMoney());
    m_sides[0]->SetLives(lives);
    m_field->RecordFieldState();
    NoteRecordedPosition();
    m_wrong_colour_hints = 0;
    // A restored game shows no tutorial.
    const CGameResources* resources = GetGameResources();
    m_next_tutorial_hint = resources ? resources->GetLastHintIndex() : 0;
    return true;
}

CGame::CGame(int gameType, CTopTable* topTable)
    : m_game_type(std::clamp(gameType, 0, 2)), m_top_table(topTable)
{
    CGameResources* resources = GetGameResources();
    const int levelCount = resources ? resources->GetLevelCount(m_game_type) : 1;
    m_field = std::make_unique<CField>(CGameResources::GetLevelDirectory(m_game_type), levelCount,
                                       m_game_type == CGameResources::kDuel ? 1 : 0);
    CreateSides();
    CFX::Instance();
    GetAppSettings().m_music.Play(-1);

    CKeyValueFile layout;
    layout.LoadResource(GetResourceManager(), kButtonLayoutFile, true);
    auto texture = [resources](const char* name)
    { return resources ? resources->GetTexture(name) : nullptr; };
    m_main_menu_button = std::make_unique<CSimpleButton>(this, texture("m_main_menu_btn"));
    m_main_menu_button->LoadLayout(layout, "m_main_menu_btn");
    AddControl(m_main_menu_button.get());
    for (int i = 0; i < kBonusCount; ++i)
    {
        m_bonus_buttons[i] = std::make_unique<CSimpleButton>(this, texture(kButtonNames[i]));
        m_bonus_buttons[i]->LoadLayout(layout, kButtonNames[i]);
        AddControl(m_bonus_buttons[i].get());
    }
    // Tab brings the focus into the bonus bar; the board has none of its own.
    std::vector<CControl*> bar;
    for (const auto& button : m_bonus_buttons)
        bar.push_back(button.get());
    SetFocusOrder(bar, nullptr);

    m_marker = std::make_unique<CSprite>();
    if (resources && resources->GetSprite(CGameResources::kSpriteMarker))
        *m_marker = *resources->GetSprite(CGameResources::kSpriteMarker);
    m_marker->SetFlip(true);
    m_marker->SetBlend(true);
}

CGame::~CGame()
{
    // Sides and bonuses refer to the field, so they go first.
    m_bonuses.clear();
    m_sides.clear();
    m_hint_panels.clear();
    m_field.reset();
    CFX::Destroy();
}

void CGame::StartAtLevel(int level)
{
    ClearLevelState();
    m_sides.clear();
    m_field->GoToLevel(level);
    CreateSides();
    m_life_lost = false;
}

void CGame::ClearLevelState()
{
    // Bonuses hold pointers to the sides and cells of their level.
    m_bonuses.clear();
    m_pending_skip = false;
    m_result_sound = false;
    m_level_scored = false;
}

void CGame::NoteRecordedPosition()
{
    if (m_field->GetRecordCount() == m_recorded.record_count)
        return;
    const CPlayer* player = GetPlayer();
    m_recorded.money = player ? player->GetMoney() : 0;
    m_recorded.lives = player ? player->GetLives() : 0;
    m_recorded.total_score = m_total_score;
    m_recorded.record_count = m_field->GetRecordCount();
    if (m_owner)
        m_owner->OnPositionRecorded(*this);
}

int CGame::GetLevelNumber() const
{
    return m_field->GetLevelNumber();
}

int CGame::GetCurrentScore() const
{
    const CPlayer* player = GetPlayer();
    return m_total_score + (player ? m_field->ZoneSize(player->GetStartRow(), player->GetStartColumn()) : 0);
}

void CGame::CreateSides()
{
    const int mid = m_field->GetRows() / 2;
    const int last = m_field->GetColumns() - 1;
    if (m_game_type == CGameResources::kMoving)
    {
        m_sides.push_back(std::make_unique<CMovingPlayer>(mid, 0, m_field.get()));
        m_sides.push_back(std::make_unique<CAIPlayer>(mid, last, m_field.get(), 0));
    }
    else
    {
        m_sides.push_back(std::make_unique<CPlayer>(mid, 0, m_field.get()));
        m_sides.push_back(std::make_unique<CAIPlayer>(mid, last, m_field.get(),
                                                      DifficultyForLevel(m_field->GetLevelNumber())));
    }
    m_current_side = 0;
    m_sides[0]->SetState(CPlayer::kMayMove);
}

void CGame::RecordBestLevel() const
{
    // Written at once when raised: a crash must not take the opened level away.
    GetAppSettings().RaiseBestLevel(m_field->GetAdvanced(), m_field->GetLevelNumber() + 1);
}

std::pair<int, int> CGame::MagnifiedCell() const
{
    // The input is polled only for a board that magnifies, as the pointer's
    // movement is measured from one poll to the next. Logical pixels, as the pointer.
    IFrame* app = IFrame::Instance();
    if (!m_field->IsMagnifying() || !app || !app->GetInput().IsOpen())
        return {-1, -1};
    CInput& input = app->GetInput();
    input.Poll();
    if (!input.IsRightButtonHeld())
        return {-1, -1};
    int x = 0, y = 0;
    input.GetCursorPosition(x, y);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return {m_field->RowAt(fy), m_field->ColumnAt(fx, fy)};
}

void CGame::RebuildLevel()
{
    ClearLevelState();
    std::vector<std::pair<int, int>> kept; // money, lives
    for (const auto& side : m_sides)
        kept.emplace_back(side->GetMoney(), side->GetLives());
    m_sides.clear();
    m_field->AdvanceLevel(m_life_lost ? 0 : 1);
    RecordBestLevel();
    CreateSides();
    for (size_t i = 0; i < m_sides.size() && i < kept.size(); ++i)
    {
        m_sides[i]->AddMoney(kept[i].first - m_sides[i]->GetMoney());
        m_sides[i]->SetLives(kept[i].second);
    }
    if (m_life_lost)
        m_sides[0]->SetLives(m_sides[0]->GetLives() - 1);
    m_life_lost = false;
}

void CGame::ShowHint(int index)
{
    m_hint_panels.push_back(std::make_unique<CHintPanel>(index, this));
}

void CGame::RunTutorial()
{
    CGameResources* resources = GetGameResources();
    if (!resources || !m_hint_panels.empty() || m_next_tutorial_hint >= resources->GetLastHintIndex())
        return;
    switch (m_next_tutorial_hint)
    {
    case kHintGoal:
    case kHintChoosingAColour:
    case kHintWinningAndLosing:
    case kHintBonuses:
    case kHintMagnifier:
        ShowHint(m_next_tutorial_hint++);
        break;
    case kHintPlayersFlowers:
        ShowHint(kHintPlayersFlowers);
        ShowHint(kHintComputersFlowers);
        ShowHint(kHintScoreAndLevel);
        m_next_tutorial_hint = kHintWinningAndLosing;
        break;
    case kHintMoney:
    {
        ShowHint(kHintMoney);
        ShowHint(kHintFirstCoin);
        // Points at the landing cell of the level's first insect.
        const CVector4 centre = m_field->FirstInsectCellCentre();
        m_hint_panels.back()->MoveTo(centre.x, centre.y);
        m_next_tutorial_hint = kHintBonuses;
        break;
    }
    default:
        break;
    }
}

void CGame::UpdateStartCells()
{
    for (size_t i = 0; i < m_sides.size(); ++i)
    {
        const CPlayer& side = *m_sides[i];
        if (static_cast<int>(i) == m_current_side && !m_field->IsFull())
        {
            if (m_field->SetCellRaised(side.GetStartRow(), side.GetStartColumn(), true))
                RunTutorial();
        }
        else
            m_field->SetCellRaised(side.GetStartRow(), side.GetStartColumn(), false);
    }
}

void CGame::UpdateBonuses(float dt)
{
    const bool hadBonuses = !m_bonuses.empty();
    for (size_t i = 0; i < m_bonuses.size();)
    {
        const bool finished = m_bonuses[i]->Update(dt);
        // What a bonus captures is no move of the player's: it earns nothing.
        m_field->GetCollectedCoins().clear();
        if (finished)
            m_bonuses.erase(m_bonuses.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    if (!hadBonuses || !m_bonuses.empty() || m_sides.empty())
        return;
    const CPlayer& player = *m_sides[0];
    m_field->RecheckEnclosures(player.GetStartRow(), player.GetStartColumn());
    // Coins of the player's own recheck are paid with the next move; those
    // that fall to the computer's zone are nobody's.
    auto& coins = m_field->GetCollectedCoins();
    const size_t playersCoins = coins.size();
    if (m_sides.size() > 1)
        m_field->RecheckEnclosures(m_sides[1]->GetStartRow(), m_sides[1]->GetStartColumn());
    coins.resize(std::min(coins.size(), playersCoins));
}

void CGame::GiveTurn()
{
    CPlayer& current = *m_sides[m_current_side];
    if (current.GetState() != CPlayer::kWaiting)
        return;
    if (m_game_type == CGameResources::kMoving)
    {
        m_field->RecordFieldState();
        current.SetState(CPlayer::kMayMove);
        m_field->StartShift(1);
        return;
    }
    if (!m_pending_skip)
        ++m_current_side;
    else
    {
        for (size_t i = 1; i < m_sides.size(); ++i)
            m_field->SetCellLit(m_sides[i]->GetStartRow(), m_sides[i]->GetStartColumn(), true);
        m_pending_skip = false;
    }
    if (m_current_side >= static_cast<int>(m_sides.size()))
        m_current_side = 0;
    if (m_current_side == 0)
        m_field->RecordFieldState();
    CPlayer& next = *m_sides[m_current_side];
    m_field->SetCellLit(next.GetStartRow(), next.GetStartColumn(), true);
    next.SetState(CPlayer::kMayMove);
}

void CGame::PlayResultSound(int sound)
{
    if (!m_result_sound)
        PlayGameSound(static_cast<CGameResources::ESound>(sound));
    m_result_sound = true;
}

bool CGame::IsLevelJudged() const
{
    // A bonus still in flight may change the board, and must not outlive its level.
    return m_field->IsFull() && m_bonuses.empty();
}

void CGame::JudgeLevel()
{
    if (!IsLevelJudged() || m_sides.size() < 2)
        return;
    CPlayer& player = *m_sides[0];
    const CPlayer& computer = *m_sides[1];
    const int p = m_field->ZoneSize(player.GetStartRow(), player.GetStartColumn());
    const int c = m_field->ZoneSize(computer.GetStartRow(), computer.GetStartColumn());
    if (!m_level_scored)
    {
        m_total_score = static_cast<int>(std::min<long long>(static_cast<long long>(m_total_score) + p, kMaxTotalScore));
        m_level_scored = true;
    }
    if (p >= c)
    {
        PlayResultSound(CGameResources::kSoundLevelComplete);
        return;
    }
    if (player.GetLives() == 0)
    {
        if (m_game_over || m_life_lost)
            return;
        CGameResources* resources = GetGameResources();
        const int price = resources ? resources->GetPrice(CGameResources::kPriceLife) : 0;
        if (!player.TrySpend(price))
        {
            PlayResultSound(CGameResources::kSoundGameOver);
            m_game_over = true;
        }
        else
        {
            player.SetLives(1);
            PlayResultSound(CGameResources::kSoundLifeLost);
            m_life_lost = true;
        }
        return;
    }
    PlayResultSound(CGameResources::kSoundLifeLost);
    m_life_lost = true;
}

void CGame::Update(float dt)
{
    m_marker->Advance(static_cast<int>(dt));
    UpdatePointer(dt);
    m_cell_cursor.Keep(*m_field);
    UpdateStartCells();
    UpdateBonuses(dt);
    if (!GetAppSettings().m_hints)
        m_hint_panels.clear();
    for (size_t i = 0; i < m_hint_panels.size();)
    {
        if (m_hint_panels[i]->Update(dt))
            m_hint_panels.erase(m_hint_panels.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }

    const auto [hoveredRow, hoveredCol] = MagnifiedCell();
    m_field->Update(dt, hoveredRow, hoveredCol);
    NoteRecordedPosition();
    if (!m_sides.empty())
    {
        m_sides[m_current_side]->Update();
        GiveTurn();
        NoteRecordedPosition();
    }
    if (m_game_type != CGameResources::kMoving)
        JudgeLevel();

    if (m_field->GetState() == CField::kGone)
    {
        // A game that is over leaves at the end of its last level, whatever its type.
        if (m_game_over)
            CloseScreen();
        else
        {
            GetAppSettings().m_music.Play(-1);
            RebuildLevel();
        }
    }

    GetAppSettings().m_music.Update();
    CFX::Instance()->Update(dt);
    RefreshButtons();
    CScreen::Update(dt);
}

bool CGame::IsPlayersTurnWithIdleField() const
{
    return !m_sides.empty() && m_current_side == 0 && m_field->IsIdle() && !m_field->IsFull() && !m_game_over;
}

bool CGame::CanBuy(int button) const
{
    if (button < 0 || button >= kBonusCount || !IsPlayersTurnWithIdleField())
        return false;
    CGameResources* resources = GetGameResources();
    const int price = resources ? resources->GetPrice(button) : 0;
    if (m_sides[0]->GetMoney() < price)
        return false;
    switch (button)
    {
    case kSkipMove:
        return !m_pending_skip;
    case kForward1:
    case kForward3:
        return CBonusForward3::CanMoveForward(m_field.get());
    // Without a cell to act on these would take the money for nothing.
    case kSingleRepaint:
    case kZoneRepaint:
        return CBonusSimpleRepaint::HasCandidate(*m_field);
    case kFreeRandomize:
        return CBonusFreeRandomize::HasCandidate(*m_field);
    default:
        return true;
    }
}

void CGame::RefreshButtons()
{
    for (int i = 0; i < kBonusCount; ++i)
        m_bonus_buttons[i]->SetDisabled(!CanBuy(i));
}

bool CGame::Buy(int button)
{
    if (!CanBuy(button))
        return false;
    CGameResources* resources = GetGameResources();
    if (!m_sides[0]->TrySpend(resources ? resources->GetPrice(button) : 0))
        return false;
    CField* field = m_field.get();
    std::unique_ptr<CBonus> bonus;
    switch (button)
    {
    case kSingleRepaint:
        bonus = std::make_unique<CBonusSimpleRepaint>(field);
        break;
    case kZoneRepaint:
        bonus = std::make_unique<CBonusZoneRepaint>(field);
        break;
    case kFreeRandomize:
        bonus = std::make_unique<CBonusFreeRandomize>(field);
        break;
    case kForward1:
        bonus = std::make_unique<CBonusForward3>(field, 1);
        break;
    case kForward3:
        bonus = std::make_unique<CBonusForward3>(field, 3);
        break;
    case kSelfRepaint:
        bonus = std::make_unique<CBonusSelfRepaint>(field);
        break;
    case kSkipMove:
        bonus = std::make_unique<CBonusSkipMove>(field);
        m_pending_skip = true;
        break;
    case kBackward2:
        bonus = std::make_unique<CBonusBackward3>(field, 2);
        break;
    case kBackward4:
        bonus = std::make_unique<CBonusBackward3>(field, 4);
        break;
    case kApponentRandomize:
        bonus = std::make_unique<CBonusApponentRandomize>(field);
        break;
    default:
        bonus = std::make_unique<CBonusLife>(field, m_sides[0].get());
        break;
    }
    m_bonuses.push_back(std::move(bonus));
    return true;
}

void CGame::OnControl(CControl* sender)
{
    CScreen::OnControl(sender);
    for (int i = 0; i < kBonusCount; ++i)
        if (sender == m_bonus_buttons[i].get())
        {
            Buy(i);
            break;
        }
    if (sender == m_main_menu_button.get())
        CloseScreen();
}

void CGame::OnKeyDown(int virtualKey)
{
    if (virtualKey == GetAppSettings().m_back_key)
        CloseScreen();
    else
        OnBoardKey(virtualKey);
    CScreen::OnKeyDown(virtualKey);
}

void CGame::OnPadButton(int button)
{
    using NPlatform::EPadButton;
    switch (static_cast<EPadButton>(button))
    {
    case EPadButton::Start: OnKeyDown(GetAppSettings().m_back_key); break;
    case EPadButton::LeftShoulder:
    case EPadButton::RightShoulder:
        if (GetFocus() == nullptr)
            SetFocus(m_bonus_buttons[0].get());
        else
            StepFocus(static_cast<EPadButton>(button) == EPadButton::LeftShoulder ? -1 : 1);
        SetKeyboardInUse(true);
        break;
    default: CScreen::OnPadButton(button); break;
    }
}

void CGame::OnBoardKey(int virtualKey)
{
    using namespace NPlatform;
    const bool press = virtualKey == kVkReturn || virtualKey == kVkSpace;
    int dx = 0, dy = 0;
    switch (virtualKey)
    {
    case kVkLeft: dx = -1; break;
    case kVkRight: dx = 1; break;
    case kVkUp: dy = -1; break;
    case kVkDown: dy = 1; break;
    default: break;
    }
    if (!press && dx == 0 && dy == 0 && virtualKey != kVkTab)
        return;
    SetKeyboardInUse(true);
    if (press && !m_hint_panels.empty())
    {
        // As a press beside the panels' boxes: every panel fades out.
        for (auto& panel : m_hint_panels)
            panel->Dismiss();
        return;
    }
    if (press && m_field->IsIdle() && IsLevelJudged())
    {
        ContinueAfterLevel();
        return;
    }
    if (virtualKey == kVkTab)
    {
        if (GetFocus() != nullptr)
            SetFocus(nullptr);
        else
            SetFocus(m_bonus_buttons[0].get());
        return;
    }
    if (GetFocus() != nullptr)
    {
        // The bar is one row in purchase order: Left and Right walk it, Up
        // goes back to the board.
        if (dx != 0)
            StepFocus(dx);
        else if (dy < 0)
            SetFocus(nullptr);
        else if (press)
            HandleFocusKey(virtualKey);
        return;
    }
    if (!m_cell_cursor.IsShown())
    {
        // The first key shows the cursor on the player's start cell.
        if (const CPlayer* player = GetPlayer())
            m_cell_cursor.Show(*m_field, player->GetStartRow(), player->GetStartColumn());
        return;
    }
    if (press)
    {
        if (m_bonuses.empty())
        {
            const CVector4 centre = m_field->CellCentre(m_cell_cursor.GetRow(), m_cell_cursor.GetColumn());
            PlayAt(static_cast<int>(centre.x), static_cast<int>(centre.y));
        }
        return;
    }
    m_cell_cursor.Move(*m_field, dx, dy);
}

void CGame::OnMouseMove(int x, int y, uint32_t keyFlags)
{
    // The mouse points again: the preview follows it.
    m_cell_cursor.Hide();
    CScreen::OnMouseMove(x, y, keyFlags);
    for (auto& panel : m_hint_panels)
        panel->OnMouseMove(x, y, keyFlags);
}

void CGame::OnLButtonDown(int x, int y, uint32_t keyFlags)
{
    CScreen::OnLButtonDown(x, y, keyFlags);
    m_press_x = x;
    m_press_y = y;
    for (auto& panel : m_hint_panels)
        panel->OnLButtonDown(x, y, keyFlags);
    m_field->DropAllCoins();
}

void CGame::OnLButtonUp(int x, int y, uint32_t keyFlags)
{
    CScreen::OnLButtonUp(x, y, keyFlags);
    for (auto& panel : m_hint_panels)
        panel->OnLButtonUp(x, y, keyFlags);
    if (!m_hint_panels.empty() || m_sides.empty())
        return;

    const bool click = std::abs(m_press_x - x) < kClickSlack && std::abs(m_press_y - y) < kClickSlack;
    if (click && m_bonuses.empty())
        PlayAt(x, y);
    ContinueAfterLevel();
}

void CGame::PlayAt(int x, int y)
{
    if (m_sides.empty())
        return;
    CPlayer& side = *m_sides[m_current_side];
    side.OnClick(x, y);
    CGameResources* resources = GetGameResources();
    if (m_current_side == 0 && !side.WasClickAccepted() && m_wrong_colour_hints < kWrongColourHintsMax && resources &&
        resources->GetLastHintIndex() >= 0)
    {
        ++m_wrong_colour_hints;
        ShowHint(resources->GetLastHintIndex());
    }
}

void CGame::ContinueAfterLevel()
{
    if (!m_field->IsIdle() || !IsLevelJudged())
        return;
    if (!m_game_over)
    {
        if (m_field->GetLevelNumber() >= kLastLevel && !m_life_lost)
            m_game_over = true; // the last level is behind the player
        else
            m_field->VanishLevel();
        return;
    }
    EndGame();
}

void CGame::OnCloseRequest()
{
    if (IFrame* app = IFrame::Instance())
        app->PostClose();
}

void CGame::Activate()
{
    CScreen::Activate();
    if (!m_name_dialog)
    {
        NAudio::Music& music = GetAppSettings().m_music;
        music.SetPlaylist(std::vector<std::string>(std::begin(kPlaylist), std::end(kPlaylist)));
        music.Stop();
        music.Play(-1);
    }
    if (IFrame* app = IFrame::Instance())
        app->GetInput().Poll();
}

void CGame::CloseScreen()
{
    if (IFrame* app = IFrame::Instance())
        app->CloseTop(false);
}
} // namespace NGame
