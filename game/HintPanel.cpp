#include "game/HintPanel.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/Sprite.h"
#include "engine/Texture.h"
#include "game/GameResources.h"

namespace NGame
{
namespace
{
enum
{
    kGameplay,
    kHalf,
    kSkin,
    kCoin
};
constexpr CGameResources::ESprite kIllustrationSprites[4] = {
    CGameResources::kSpriteGameplayHint, CGameResources::kSpriteHalfHint, CGameResources::kSpriteSkinHint,
    CGameResources::kSpriteCoinHint};
constexpr float kIllustrationX[4] = {573.0f, 226.0f, 219.0f, 219.0f};
constexpr float kIllustrationY[4] = {209.0f, 224.0f, 391.0f, 391.0f};
constexpr int kGameplayFrameMs = 1000;
constexpr int kHalfFrameMs = 500;

CGameResources::SHintRecord* Record(int index)
{
    CGameResources* resources = GetGameResources();
    if (!resources || index < 0 || index >= static_cast<int>(resources->GetHintRecords().size()))
        return nullptr;
    return &resources->GetHintRecords()[index];
}
} // namespace

CHintPanel::CHintPanel(int index, CScreen* owner) : m_index(index)
{
    CGameResources* resources = GetGameResources();
    m_check_box = std::make_unique<CSimpleCheckBox>(
        owner, resources ? resources->GetTexture("m_hints_checkbox") : nullptr, 0.0f);
    if (const CGameResources::SHintRecord* record = Record(index))
    {
        m_check_box->SetPosition(record->checkX, record->checkY, 0.0f);
        m_picture = resources->AcquireHintPicture(index);
        m_holds_picture = true;
    }
    m_check_box->SetChecked(GetAppSettings().m_hints);
    if (index == 0 && resources)
        for (int i = 0; i < 4; ++i)
            if (const CSprite* sprite = resources->GetSprite(kIllustrationSprites[i]))
            {
                m_illustrations[i] = std::make_unique<CSprite>(*sprite);
                m_illustrations[i]->SetPosition(kIllustrationX[i], kIllustrationY[i]);
                m_illustrations[i]->SetFlip(true);
                m_illustrations[i]->SetBlend(i == kSkin || i == kCoin);
            }
    if (m_illustrations[kGameplay])
        m_illustrations[kGameplay]->SetFrameTime(kGameplayFrameMs);
    if (m_illustrations[kHalf])
        m_illustrations[kHalf]->SetFrameTime(kHalfFrameMs);
}

CHintPanel::~CHintPanel()
{
    // The resources may have gone first, their pictures with them.
    if (CGameResources* resources = m_holds_picture ? GetGameResources() : nullptr)
        resources->ReleaseHintPicture(m_index);
}

void CHintPanel::UpdateIllustrations(float dt)
{
    for (int i : {kGameplay, kHalf, kCoin})
    {
        CSprite* sprite = m_illustrations[i].get();
        if (!sprite)
            continue;
        const int before = sprite->GetFrame();
        sprite->Advance(static_cast<int>(dt));
        // The gameplay and half pictures show one group per pass of the frames.
        if (i != kCoin && before == 1 && sprite->GetFrame() == 0)
            sprite->SetGroup((sprite->GetGroup() + 1) % sprite->GetGroupCount());
    }
}

bool CHintPanel::Update(float dt)
{
    UpdateIllustrations(dt);
    if ((m_alpha_speed > 0.0f && m_alpha < 1.0f) || (m_alpha_speed < 0.0f && m_alpha > 0.0f))
        m_alpha += m_alpha_speed * dt / kFadeStepMs;
    // At or below 0: a fade-out that lands exactly on 0 would otherwise stop
    // there and leave an invisible panel blocking every click.
    if (m_alpha_speed < 0.0f && m_alpha <= 0.0f)
    {
        CAppSettings& settings = GetAppSettings();
        if (settings.m_hints != m_check_box->IsChecked())
        {
            settings.m_hints = m_check_box->IsChecked();
            settings.SaveNow(); // an option: on disk at once
        }
        return true;
    }
    return false;
}

void CHintPanel::Draw() const
{
    if (!NGL::IsContextAvailable())
        return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, m_alpha);
    if (const CGameResources::SHintRecord* record = Record(m_index))
        if (m_picture)
        {
            glEnable(GL_TEXTURE_2D);
            m_picture->Bind();
            m_picture->Draw(record->x, record->y, 0.0f);
        }
    for (const auto& sprite : m_illustrations)
        if (sprite)
        {
            // A blended sprite switches blending off behind itself.
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glColor4f(1.0f, 1.0f, 1.0f, m_alpha);
            sprite->Draw(true);
        }
    glColor4f(1.0f, 1.0f, 1.0f, m_alpha);
    m_check_box->Render();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void CHintPanel::OnMouseMove(int x, int y, uint32_t flags)
{
    m_check_box->OnMouseMove(x, y, flags);
}

void CHintPanel::OnLButtonDown(int x, int y, uint32_t flags)
{
    m_check_box->OnLButtonDown(x, y, flags);
    // The hover states mean the press was on the box: that only toggles it.
    const int state = m_check_box->GetState();
    const bool onBox = state == CSimpleCheckBox::kUntickedHover || state == CSimpleCheckBox::kTickedHover;
    if (!onBox)
        Dismiss();
}

void CHintPanel::Dismiss()
{
    if (m_alpha_speed > 0.0f)
        m_alpha_speed = -m_alpha_speed;
}

void CHintPanel::OnLButtonUp(int x, int y, uint32_t flags)
{
    m_check_box->OnLButtonUp(x, y, flags);
}

void CHintPanel::MoveTo(float x, float y)
{
    CGameResources::SHintRecord* record = Record(m_index);
    if (!record)
        return;
    record->checkX += x - record->x;
    record->checkY += y - record->y;
    record->x = x;
    record->y = y;
    m_check_box->SetPosition(record->checkX, record->checkY, 0.0f);
}
} // namespace NGame
