#include "game/Cell.h"

#include "engine/GLHeaders.h"
#include "engine/Random.h"
#include "engine/SpriteBatch.h"
#include "game/GameResources.h"

#include <algorithm>
#include <cmath>

namespace NGame
{
namespace
{
constexpr float kStepMs = 6.0f;
constexpr float kFadeSpeed = 0.03f;
constexpr float kDimSpeed = 0.02f;
constexpr float kDimmedAlpha = 0.3f;
constexpr float kScaleSpeed = 0.01f;
constexpr float kRaisedScale = 1.5f;
// Frames of the flower sheet: 0..8 appear (8 first), 15 down to 7 vanish, 9 = gone.
constexpr int kFirstAppearFrame = 8;
constexpr int kFirstVanishFrame = 7;
constexpr int kGoneFrame = 9;
constexpr float kAlphaPerFrame = 0.125f;

const CSprite* FlowerTemplate(int kind)
{
    CGameResources* resources = GetGameResources();
    return resources ? resources->GetFlowerSprite(kind) : nullptr;
}

const CSprite* CoinTemplate()
{
    CGameResources* resources = GetGameResources();
    return resources ? resources->GetSprite(CGameResources::kSpriteCoin) : nullptr;
}
} // namespace

CCell::CCell(const CVector4& position, float size, int colour, int kind)
    : m_size(size), m_colour(colour), m_position(position)
{
    if (const CSprite* flower = FlowerTemplate(kind))
        m_flower = *flower;
    m_flower.SetFrameTime(15 + NRandom::Rand() % 30);
    m_flower.SetGroup(colour);
    m_flower.SetFrame(kFirstAppearFrame);
    m_angle = static_cast<float>(NRandom::Rand() % 360);
    m_rotation_speed = (NRandom::Rand() % 2) ? 0.5f : -0.5f;
}

CCell::~CCell() = default;

void CCell::SetColourShown(int colour)
{
    m_colour = colour;
    if (!m_hole)
        m_flower.SetGroup(colour);
}

void CCell::SetHole(bool hole)
{
    m_hole = hole;
    m_flower.SetGroup(hole ? kHoleGroup : m_colour);
}

void CCell::StartAppearing(float delay)
{
    m_state = kAppearing;
    m_alpha = 0.0f;
    m_alpha_speed = kFadeSpeed;
    m_delay = delay;
}

void CCell::StartVanishing(float delay)
{
    m_state = kVanishing;
    m_alpha = 1.0f;
    m_alpha_speed = -kFadeSpeed;
    m_delay = delay;
}

void CCell::StartRepaint(float delay)
{
    m_state = kRepainting;
    m_delay = delay;
}

void CCell::StartMoving(const CVector4& target, bool fade)
{
    m_state = kMoving;
    m_target = target;
    m_fade_while_moving = fade;
}

void CCell::SetCoin(int kind)
{
    if (kind >= 0 && kind <= 4)
    {
        m_previous_coin.reset();
        m_coin = std::make_unique<CSpriteInstance>();
        if (const CSprite* coin = CoinTemplate())
            *m_coin = *coin;
        m_coin->SetGroup(kind);
        m_coin->SetFrameTime(30 + NRandom::Rand() % 30);
        m_coin_kind = kind;
    }
    else if (kind == -1)
    {
        if (m_coin)
            m_previous_coin = std::move(m_coin);
        m_coin_kind = -1;
    }
}

void CCell::UpdateFlip(float dt)
{
    if (m_delay > 0.0f)
    {
        m_delay -= dt;
        return;
    }
    m_previous_coin.reset();
    const int frames = m_flower.GetFrameCount();
    bool done = frames < 2; // a sheet without frames has nothing to play
    if (!done)
    {
        const int before = m_flower.GetFrame();
        m_flower.Advance(static_cast<int>(dt));
        const int frame = m_flower.GetFrame();
        if (frame != before)
        {
            if (frame == frames / 2 - 1)
                m_flower.SetGroup(m_hole ? kHoleGroup : m_colour);
            done = frame == frames - 1;
        }
    }
    if (done)
    {
        // A flip that began past the middle frame still ends in the new colour.
        m_flower.SetGroup(m_hole ? kHoleGroup : m_colour);
        m_state = kIdle;
        m_changed = false;
    }
}

void CCell::Update(float dt)
{
    const float step = dt / kStepMs;
    m_size = std::min(m_size, kMaxSize);
    switch (m_state)
    {
    case kRepainting:
        UpdateFlip(dt);
        break;
    case kAppearing:
        m_delay -= dt;
        if (m_delay < 0.0f)
        {
            m_alpha += m_alpha_speed * step;
            if (m_alpha > 1.0f)
            {
                m_alpha = 1.0f;
                m_alpha_speed = 0.0f;
                m_state = kIdle;
            }
        }
        m_flower.SetFrame(std::max(0, kFirstAppearFrame - static_cast<int>(m_alpha / kAlphaPerFrame)));
        break;
    case kVanishing:
        m_delay -= dt;
        if (m_delay < 0.0f)
        {
            m_alpha += m_alpha_speed * step;
            if (m_alpha < 0.0f)
            {
                m_alpha = 0.0f;
                m_alpha_speed = 0.0f;
                m_state = kGone;
                m_flower.SetFrame(kGoneFrame);
                break;
            }
        }
        if (m_hole)
            m_flower.SetFrame(std::max(0, kFirstAppearFrame - static_cast<int>(m_alpha / kAlphaPerFrame)));
        else
            m_flower.SetFrame(kFirstVanishFrame + static_cast<int>(m_alpha / kAlphaPerFrame));
        break;
    case kMoving:
    {
        CVector4 toTarget = m_target - m_position;
        toTarget.w = 0.0f;
        const float distance = toTarget.Length();
        const float move = 1.0f * step;
        // Move first; a cell that ends within one move of its target lands there.
        const float left = std::fabs(distance - move);
        if (distance > 0.0f)
            m_position += toTarget * (move / distance);
        if (m_fade_while_moving)
            m_alpha = std::max(0.0f, left / std::max(m_size, 1.0f));
        if (left <= move)
        {
            m_position = m_target;
            m_state = kIdle;
        }
        break;
    }
    case kIdle:
        if (m_lit)
        {
            if (m_alpha < 1.0f)
                m_alpha = std::min(1.0f, m_alpha + kDimSpeed * step);
        }
        else if (m_alpha > kDimmedAlpha)
        {
            m_alpha -= kDimSpeed * step;
        }
        break;
    default:
        break;
    }
    if (m_raised)
    {
        m_scale = std::min(kRaisedScale, m_scale + kScaleSpeed * step);
        m_angle += m_rotation_speed * step;
    }
    else
    {
        m_scale = std::max(1.0f, m_scale - kScaleSpeed * step);
    }
    if (m_coin)
        m_coin->Advance(static_cast<int>(dt));
}

CSpriteInstance CCell::FlowerOfSize(float size) const
{
    CSpriteInstance flower = m_flower;
    flower.SetPosition(0.0f, 0.0f, 0.0f);
    flower.SetSize(size, size);
    if (m_hole)
        flower.SetGroup(kHoleGroup);
    return flower;
}

void CCell::AddFlower(CSpriteBatch& batch) const
{
    batch.Add(FlowerOfSize(m_size * m_scale), m_position, m_angle, 1.0f, 1.0f, 1.0f, m_alpha);
}

void CCell::DrawFlowerAt(float size, float r, float g, float b, float a, bool bindTexture) const
{
    if (!NGL::IsContextAvailable())
        return;
    const CSpriteInstance flower = FlowerOfSize(size);
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle, 0.0f, 0.0f, 1.0f);
    glColor4f(r, g, b, a);
    flower.Draw(bindTexture);
    glPopMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void CCell::DrawFlower(bool bindTexture) const
{
    DrawFlowerAt(m_size * m_scale, 1.0f, 1.0f, 1.0f, m_alpha, bindTexture);
}

void CCell::DrawOutline(bool bindTexture) const
{
    DrawFlowerAt(m_size * m_scale + 2.0f, 0.0f, 0.0f, 0.0f, m_alpha, bindTexture);
}

void CCell::DrawCoin() const
{
    if (!NGL::IsContextAvailable() || m_hole)
        return;
    const float size = m_size * m_scale;
    glColor4f(1.0f, 1.0f, 1.0f, m_alpha);
    for (const auto* coin : {m_coin.get(), m_previous_coin.get()})
    {
        if (!coin)
            continue;
        CSpriteInstance drawn = *coin;
        drawn.SetPosition(m_position);
        drawn.SetSize(size, size);
        drawn.Draw(true);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void CCell::DrawPreview() const
{
    if (!NGL::IsContextAvailable())
        return;
    CSpriteInstance flower = m_flower;
    flower.SetFrame(0);
    flower.SetGroup(m_hole ? kHoleGroup : m_colour);
    flower.SetPosition(0.0f, 0.0f, 0.0f);
    flower.SetSize(m_size, m_size);
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_angle, 0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    flower.Draw(false);
    glPopMatrix();
}
} // namespace NGame
