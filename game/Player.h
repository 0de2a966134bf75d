// A side of the game: its start point on the field, money (cents) and lives.
// The game flow gives the turn (state 1); a side only moves when the field is
// idle, and reports the end of its move by returning to state 0.
#pragma once

#include <vector>

namespace NGame
{
class CField;

class CPlayer
{
  public:
    enum EState
    {
        kWaiting = 0,
        kMayMove = 1,
        kMoved = 2,
    };
    static constexpr int kStartMoney = 25;
    static constexpr int kStartLives = 3;
    // Ceilings no real game comes near: sums stop there instead of wrapping
    // negative, and a saved game above them is refused.
    static constexpr int kMaxMoney = 99'999'999; // cents
    static constexpr int kMaxLives = 999;

    CPlayer(int row, int col, CField* field);
    virtual ~CPlayer();
    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

    virtual void Update();
    // x, y: logical screen coordinates of a left click on the field.
    virtual void OnClick(int x, int y);

    int GetState() const { return m_state; }
    void SetState(int state) { m_state = state; }
    int GetMoney() const { return m_money; }
    // Both keep the value within 0 and its ceiling.
    void AddMoney(int cents);
    bool TrySpend(int cents);
    int GetLives() const { return m_lives; }
    void SetLives(int lives);
    int GetZoneColour() const;
    int GetStartRow() const { return m_start_row; }
    int GetStartColumn() const { return m_start_col; }
    bool WasClickAccepted() const { return m_click_accepted; }
    CField* GetField() const { return m_field; }

    // Whether some cell on the field carries a colour this side may pick. A
    // side with none would wait for ever, so it passes its turn instead.
    bool HasColourToPick() const;

    // Every side alive, in creation order.
    static const std::vector<CPlayer*>& GetRegistry();
    static int CoinValue(int kind);

  protected:
    // The moving game's side may pick any colour but its own.
    virtual bool MayPick(int colour) const;

    int m_state = kWaiting;
    int m_start_col = 0;
    int m_start_row = 0;
    CField* m_field = nullptr; // not owned
    int m_money = kStartMoney;
    int m_lives = kStartLives;
    bool m_click_accepted = false;
};
} // namespace NGame
