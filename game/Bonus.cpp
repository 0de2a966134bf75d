#include "game/Bonus.h"

#include "engine/Random.h"
#include "game/Field.h"
#include "game/GameResources.h"

namespace NGame
{
namespace
{
constexpr float kScreenWidth = 800.0f;
constexpr float kLeaveX = 850.0f;
} // namespace

CBonus::CBonus(CField* field) : m_field(field), m_insect(std::make_unique<CInsect>())
{
    m_insect->SetPosition(CVector4(-50.0f, static_cast<float>(NRandom::Rand() % 600), 0.0f));
}

CBonus::~CBonus() = default;

void CBonus::LandOn(const CVector4& target)
{
    m_insect->SetTarget(target);
}

void CBonus::LandOnCell(int row, int col)
{
    LandOn(m_field->CellCentre(row, col));
}

float CBonus::LeaveY()
{
    return static_cast<float>(NRandom::Rand() % 600);
}

bool CBonus::Update(float dt)
{
    if (m_void)
        return true;
    m_insect->Update(dt);
    if (m_insect->GetState() != CInsect::kLanded)
        return false;
    if (m_insect->GetPosition().x >= kScreenWidth)
        return true;
    if (!m_applied)
    {
        if (FlyOn())
            return false;
        m_applied = true;
        PlayGameSound(CGameResources::kSoundBonus);
        Apply();
        const float y = LeaveY();
        m_insect->SetTarget(CVector4(kLeaveX, y, 0.0f));
        m_insect->SetDelay(LeaveDelay());
    }
    return false;
}

void CBonus::Draw()
{
    m_insect->Draw();
}

void CBonus::TakeSnapshot(const CBoard& board, std::vector<int>& snapshot)
{
    board.Snapshot(snapshot);
}

namespace
{
void MarkZoneAt(const CBoard& board, std::vector<int>& snapshot, int row, int col, int mark)
{
    const CHexGrid& grid = board.GetGrid();
    if (!grid.IsInside(row, col))
        return;
    const int index = grid.Index(row, col);
    if (snapshot[index] >= 0)
        grid.Flood(snapshot, index, mark);
}
} // namespace

void CBonus::MarkPlayerZone(const CBoard& board, std::vector<int>& snapshot, int mark)
{
    MarkZoneAt(board, snapshot, board.GetMid(), 0, mark);
}

void CBonus::MarkOpponentZone(const CBoard& board, std::vector<int>& snapshot, int mark)
{
    MarkZoneAt(board, snapshot, board.GetMid(), board.GetColumns() - 1, mark);
}
} // namespace NGame
