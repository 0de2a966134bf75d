#include "interface/InterfaceInsect.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/Random.h"
#include "engine/ResourceGroup.h"
#include "engine/Sprite.h"

#include <cmath>

namespace NInterface
{
namespace
{
constexpr float kPi = 3.14159f;
constexpr int kFrameTimeMs = 10;
constexpr int kLooks = 3;
} // namespace

CInterfaceInsect::CInterfaceInsect() = default;
CInterfaceInsect::~CInterfaceInsect() = default;

void CInterfaceInsect::SetSprite(std::unique_ptr<CSprite> sprite)
{
    m_sprite = std::move(sprite);
}

void CInterfaceInsect::Update(float dt)
{
    const float k = dt / kStepMs;
    m_heading += m_turn_rate * k;
    if (m_heading > 360.0f)
        m_heading -= 360.0f;
    else if (m_heading < -360.0f)
        m_heading += 360.0f;
    const float r = m_heading * kPi / 180.0f;
    m_position.x += m_speed * k * std::sin(r);
    m_position.y -= m_speed * k * std::cos(r);
    if (m_sprite != nullptr)
        m_sprite->Advance(static_cast<int>(dt));
}

void CInterfaceInsect::Draw() const
{
    if (!GetAppSettings().m_show_dragons || m_sprite == nullptr || !NGL::IsContextAvailable())
        return;
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_heading, 0.0f, 0.0f, 1.0f);
    m_sprite->Draw(true);
    glPopMatrix();
}

void CInterfaceInsect::Steer()
{
    if (NRandom::Rand() % 20 == 11)
        m_turn_rate = static_cast<float>(NRandom::Rand() % 200 - 100) / 100.0f;
    const bool away = m_position.x < -50.0f || m_position.x > 850.0f || m_position.y < -50.0f || m_position.y > 750.0f;
    if (away)
    {
        const int x = NRandom::Rand() % 800;
        SetPosition(static_cast<float>(x), 650.0f, 0.0f);
    }
}

void CInterfaceInsect::CreateSwarm(Swarm& swarm, const CSprite* dragon)
{
    if (dragon == nullptr)
        if (CResourceGroup* group = CResourceGroup::GetGroup("main"))
            dragon = group->GetSprite("menu_dragon");
    // The order of the generator's draws is part of the behaviour: one statement each.
    for (int i = 0; i < kSwarmSize; ++i)
    {
        auto insect = std::make_unique<CInterfaceInsect>();
        std::unique_ptr<CSprite> sprite = dragon != nullptr ? std::make_unique<CSprite>(*dragon) : std::make_unique<CSprite>();
        sprite->SetBlend(true);
        sprite->SetFlip(true);
        sprite->SetFrameTime(kFrameTimeMs);
        sprite->SetGroup(NRandom::Rand() % kLooks);
        insect->SetSprite(std::move(sprite));
        const int x = NRandom::Rand() % 800;
        const int y = NRandom::Rand() % 100 + 600;
        insect->SetPosition(static_cast<float>(x), static_cast<float>(y), 0.0f);
        insect->SetSpeed(static_cast<float>(NRandom::Rand() % 100) / 100.0f + 1.0f);
        insect->SetTurnRate(static_cast<float>(NRandom::Rand() % 200 - 100) / 200.0f);
        swarm.push_back(std::move(insect));
    }
}

void CInterfaceInsect::UpdateSwarm(Swarm& swarm, float dt)
{
    for (auto& insect : swarm)
    {
        insect->Update(dt);
        insect->Steer();
    }
}

void CInterfaceInsect::DrawSwarm(const Swarm& swarm)
{
    for (const auto& insect : swarm)
        insect->Draw();
}
} // namespace NInterface
