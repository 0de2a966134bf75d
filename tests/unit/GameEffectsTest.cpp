#include "GameTestSupport.h"

#include "game/Cell.h"
#include "game/FX.h"
#include "game/Insect.h"
#include "game/Particle.h"

using namespace NGame;
using namespace NGameTest;

TEST(Insect, TargetStraightAheadStartsFlyingInTheFirstUpdate)
{
    CInsect insect;
    EXPECT_EQ(insect.GetState(), CInsect::kLanded);
    insect.SetPosition(CVector4(400.0f, 500.0f, 0.0f));
    insect.SetTarget(CVector4(400.0f, 100.0f, 0.0f));
    EXPECT_EQ(insect.GetState(), CInsect::kTurning);
    insect.Update(kDt);
    EXPECT_EQ(insect.GetState(), CInsect::kFlying);
}

TEST(Insect, DelayOf100WaitsSevenUpdatesBeforeTurning)
{
    CInsect insect;
    insect.SetPosition(CVector4(400.0f, 500.0f, 0.0f));
    insect.SetTarget(CVector4(700.0f, 500.0f, 0.0f));
    insect.SetDelay(100.0f);
    for (int i = 0; i < 7; ++i)
    {
        insect.Update(kDt);
        EXPECT_FLOAT_EQ(insect.GetHeading(), 0.0f) << i;
    }
    insect.Update(kDt);
    EXPECT_GT(insect.GetHeading(), 0.0f);
}

TEST(Insect, TurnsTheShortWayThroughNinetyAndHeadingsFollowTheScreen)
{
    EXPECT_NEAR(CInsect::WantedHeading(CVector4(0.0f, -1.0f)), 0.0f, 1e-3f);
    EXPECT_NEAR(CInsect::WantedHeading(CVector4(1.0f, 0.0f)), 90.0f, 1e-3f);
    EXPECT_NEAR(CInsect::WantedHeading(CVector4(0.0f, 1.0f)), 180.0f, 1e-3f);
    EXPECT_NEAR(CInsect::WantedHeading(CVector4(-1.0f, 0.0f)), 270.0f, 1e-3f);
    const CVector4 upLeft = CVector4(-0.98480775f, -0.17364818f); // left, slightly up
    EXPECT_NEAR(CInsect::WantedHeading(upLeft), -80.0f, 0.01f);

    CInsect insect;
    insect.SetPosition(CVector4(400.0f, 300.0f, 0.0f));
    insect.SetHeading(260.0f);
    insect.SetTarget(CVector4(400.0f, 300.0f) + upLeft * 300.0f);
    float previous = 260.0f;
    int updates = 0;
    while (insect.GetState() == CInsect::kTurning && updates < 1000)
    {
        insect.Update(kDt);
        EXPECT_LT(insect.GetHeading(), previous);
        previous = insect.GetHeading();
        ++updates;
    }
    EXPECT_EQ(insect.GetState(), CInsect::kFlying);
    EXPECT_NEAR(insect.GetHeading(), -80.0f, insect.GetTurnSpeed() * kDt / 6.0f + 0.01f);
}

TEST(Insect, FliesAtItsSpeedAndLandsExactlyOnTheTarget)
{
    CInsect insect;
    EXPECT_GE(insect.GetSpeed(), 1.5f);
    EXPECT_LT(insect.GetSpeed(), 2.5f);
    EXPECT_GE(insect.GetTurnSpeed(), 1.0f);
    EXPECT_LT(insect.GetTurnSpeed(), 2.0f);
    insect.SetPosition(CVector4(100.0f, 650.0f, 0.0f));
    const CVector4 target(333.3f, 222.2f, 0.0f);
    insect.SetTarget(target);
    int updates = 0;
    while (insect.GetState() != CInsect::kLanded && updates < 2000)
    {
        insect.Update(kDt);
        ++updates;
    }
    ASSERT_EQ(insect.GetState(), CInsect::kLanded);
    EXPECT_FLOAT_EQ(insect.GetPosition().x, target.x);
    EXPECT_FLOAT_EQ(insect.GetPosition().y, target.y);
    const float distance = std::hypot(233.3f, 427.8f);
    EXPECT_GE(updates, static_cast<int>(distance / (insect.GetSpeed() * kDt / 6.0f)));
    // Landed insects stay put.
    insect.Update(kDt);
    EXPECT_FLOAT_EQ(insect.GetPosition().x, target.x);
}

TEST(Particles, FadeAtTheirSpeedAndTheListDropsThemWhenGone)
{
    CParticle particle(CVector4(10.0f, 10.0f, 0.0f), 8.0f, CVector4(3.0f, -6.0f, 0.0f));
    EXPECT_GE(particle.GetFadeSpeed(), 0.01f);
    EXPECT_LT(particle.GetFadeSpeed(), 0.02f);
    particle.SetFadeSpeed(0.01f);
    int updates = 0;
    while (!particle.Update(kDt) && updates < 1000)
        ++updates;
    EXPECT_NEAR(updates + 1, 375, 1);
    EXPECT_NEAR(particle.GetPosition().x, 10.0f + 3.0f * (updates + 1) * kDt / 60.0f, 0.1f);

    CFX* fx = CFX::Instance();
    EXPECT_EQ(CFX::Instance(), fx);
    fx->Emit(CVector4(), CVector4(1.0f, 1.0f, 0.0f), 4.0f);
    fx->Emit(CVector4(), CVector4(), 4.0f);
    EXPECT_EQ(fx->GetParticleCount(), 2u);
    fx->Update(kDt);
    EXPECT_EQ(fx->GetParticleCount(), 2u);
    for (int i = 0; i < 400; ++i)
        fx->Update(kDt);
    EXPECT_EQ(fx->GetParticleCount(), 0u);
    fx->Draw();
    CFX::Destroy();
}

TEST(GameResources, GameDataGivesLevelCountsAndPricesWithSafeDefaults)
{
    CGameResources resources;
    resources.ParseGameData("m_levels_classic 12\r\nm_levels_duel 0\nm_bonus_price_single_repaint 1\n"
                            "m_bonus_price_life 100\nm_bonus_price_forward6 10");
    EXPECT_EQ(resources.GetLevelsClassic(), 12);
    EXPECT_EQ(resources.GetLevelsDuel(), 1) << "a level count of 0 reads as 1";
    EXPECT_EQ(resources.GetLevelsMoving(), 1) << "missing";
    EXPECT_EQ(resources.GetLevelCount(CGameResources::kClassic), 12);
    EXPECT_EQ(resources.GetPrice(CGameResources::kPriceSingleRepaint), 1);
    EXPECT_EQ(resources.GetPrice(CGameResources::kPriceForward6), 10);
    EXPECT_EQ(resources.GetPrice(CGameResources::kPriceLife), 100);
    EXPECT_EQ(resources.GetPrice(CGameResources::kPriceSkipMove), 0) << "a missing price costs nothing";
    EXPECT_EQ(resources.GetPrice(99), 0);
    EXPECT_STREQ(CGameResources::GetLevelDirectory(CGameResources::kDuel), "dat/levels_duel");
    EXPECT_STREQ(CGameResources::GetLevelDirectory(CGameResources::kMoving), "dat/levels_moving");
    // Without a sound system every sound is silence.
    resources.PlaySound(CGameResources::kSoundBonus);
    EXPECT_EQ(resources.GetSound(CGameResources::kSoundBonus), nullptr);
}

TEST(GameResources, InstanceReadsTheDataFileAndRegistersTheSpritesUntilReleased)
{
    CResourceManager manager;
    manager.AddMemoryEntry("dat/game.txt", Bytes("m_levels_classic 7\nm_bonus_price_life 100\n"), false);
    manager.AddMemoryEntry("dat/skin01.spr", Bytes("file_name dat/none.tga\ngroups 8\nframes 16\n"), false);
    SetResourceManager(&manager);
    ASSERT_EQ(GetGameResources(), nullptr);
    CGameResources& resources = CGameResources::Instance();
    EXPECT_EQ(GetGameResources(), &resources);
    EXPECT_EQ(&CGameResources::Instance(), &resources);
    EXPECT_EQ(resources.GetLevelsClassic(), 7);
    EXPECT_EQ(resources.GetPrice(CGameResources::kPriceLife), 100);
    ASSERT_NE(resources.GetFlowerSprite(0), nullptr);
    EXPECT_EQ(resources.GetFlowerSprite(2), resources.GetFlowerSprite(0));
    EXPECT_EQ(resources.GetFlowerSprite(0)->GetFrameCount(), 16);
    EXPECT_NE(resources.GetSprite(CGameResources::kSpriteInsect), nullptr)
        << "registered even without its file";
    EXPECT_NE(resources.GetTexture("m_bonus_life"), nullptr);
    // A cell made now copies the registered flower.
    CCell cell(CVector4(), 20.0f, 3, 0);
    EXPECT_EQ(cell.GetFlower().GetFrameCount(), 16);
    EXPECT_EQ(cell.GetFlower().GetGroup(), 3);
    CGameResources::Release();
    EXPECT_EQ(GetGameResources(), nullptr);
    SetResourceManager(nullptr);
}
