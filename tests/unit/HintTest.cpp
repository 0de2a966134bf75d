#include "ControlTestSupport.h"
#include "TestFontPicture.h"

#include "ui/Hint.h"
#include "interface/InterfaceInsect.h"
#include "engine/Random.h"
#include "engine/Sprite.h"

#include <gtest/gtest.h>

using NInterface::CInterfaceInsect;

class HintTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(NTestFont::LoadStandard(font)); }
    CBitmapText font;
};

TEST_F(HintTest, BoxSitsRightOfTheAnchorWithItsMargins)
{
    const float w = font.MeasureText("BAB", 19.0f);
    const CHint::SBox box = CHint::Place(font, "BAB", 100.7f, 200.9f, 19.0f, false, false);
    EXPECT_FLOAT_EQ(box.left, 100.0f + 54.0f - 4.0f);
    EXPECT_FLOAT_EQ(box.right, box.left + w + 8.0f);
    EXPECT_FLOAT_EQ(box.top, 196.0f);
    EXPECT_FLOAT_EQ(box.bottom, 200.0f + 19.0f + 4.0f);
    EXPECT_FLOAT_EQ(box.text_x, box.left + 4.0f);
    EXPECT_FLOAT_EQ(box.base_line, 219.0f);
}

TEST_F(HintTest, BoxThatWouldPassTheRightEdgeGoesLeftOfTheAnchor)
{
    const char* text = "BBBBBBBBBBBBBBBBBB"; // about 100 wide
    const float w = font.MeasureText(text, 19.0f);
    const CHint::SBox box = CHint::Place(font, text, 700.0f, 50.0f, 19.0f, false, false);
    // Its right edge ends 20 units left of the anchor, whatever the text's width.
    EXPECT_FLOAT_EQ(box.right, 680.0f);
    EXPECT_FLOAT_EQ(box.left, 680.0f - w - 8.0f);
    // Just inside the limit it stays on the right.
    const float fits = static_cast<float>(static_cast<int>(795.0f - w - 54.0f - 8.0f));
    EXPECT_FLOAT_EQ(CHint::Place(font, text, fits, 50.0f, 19.0f, false, false).left, fits + 50.0f);
    EXPECT_FLOAT_EQ(CHint::Place(font, text, fits + 1.0f, 50.0f, 19.0f, false, false).right, fits + 1.0f - 20.0f);
}

TEST_F(HintTest, CentredBoxIgnoresTheAnchorsXOnly)
{
    const float w = font.MeasureText("BAB", 19.0f);
    const CHint::SBox box = CHint::Place(font, "BAB", 700.0f, 300.0f, 19.0f, false, true);
    EXPECT_FLOAT_EQ(box.left, (800.0f - w - 8.0f) / 2.0f);
    EXPECT_FLOAT_EQ(box.top, 296.0f);
}

TEST_F(HintTest, AnchorAtTheCursor)
{
    NControlTest::CFixedCursor cursor(300, 400);
    const CHint::SBox box = CHint::Place(font, "A", 0.0f, 0.0f, 19.0f, true, false);
    EXPECT_FLOAT_EQ(box.left, 350.0f);
    EXPECT_FLOAT_EQ(box.top, 396.0f);
    CHint::SetFont(&font);
    CHint::Draw("A", 0.0f, 0.0f, 19.0f, true, false); // harmless without a window
    CHint::SetFont(nullptr);
}

TEST(InterfaceInsect, HeadingZeroMovesUpAndNinetyMovesRight)
{
    CInterfaceInsect insect;
    insect.SetPosition(400.0f, 300.0f, 0.0f);
    insect.SetSpeed(1.5f);
    insect.Update(12.0f); // two steps of 6 ms
    EXPECT_NEAR(insect.GetPosition().x, 400.0f, 1e-3);
    EXPECT_NEAR(insect.GetPosition().y, 297.0f, 1e-3);
    insect.SetHeading(90.0f);
    insect.Update(6.0f);
    EXPECT_NEAR(insect.GetPosition().x, 401.5f, 1e-3);
    EXPECT_NEAR(insect.GetPosition().y, 297.0f, 1e-3);
}

TEST(InterfaceInsect, HeadingTurnsAndWrapsPastAFullCircle)
{
    CInterfaceInsect insect;
    insect.SetHeading(359.0f);
    insect.SetTurnRate(1.0f);
    insect.Update(12.0f);
    EXPECT_FLOAT_EQ(insect.GetHeading(), 1.0f);
    insect.SetHeading(-359.5f);
    insect.SetTurnRate(-1.0f);
    insect.Update(6.0f);
    EXPECT_FLOAT_EQ(insect.GetHeading(), -0.5f);
}

TEST(InterfaceInsect, WandererComesBackBelowTheScreenKeepingItsCourse)
{
    CInterfaceInsect insect;
    insect.SetHeading(30.0f);
    insect.SetSpeed(1.25f);
    insect.SetPosition(400.0f, -51.0f, 0.0f);
    insect.Steer();
    EXPECT_FLOAT_EQ(insect.GetPosition().y, 650.0f);
    EXPECT_GE(insect.GetPosition().x, 0.0f);
    EXPECT_LT(insect.GetPosition().x, 800.0f);
    EXPECT_FLOAT_EQ(insect.GetHeading(), 30.0f);
    EXPECT_FLOAT_EQ(insect.GetSpeed(), 1.25f);
    // On the edge of the area it stays where it is.
    insect.SetPosition(850.0f, -50.0f, 0.0f);
    insect.Steer();
    EXPECT_FLOAT_EQ(insect.GetPosition().x, 850.0f);
}

TEST(InterfaceInsect, SwarmOfTenStartsAlongTheBottom)
{
    CSprite dragon;
    CInterfaceInsect::Swarm swarm;
    CInterfaceInsect::CreateSwarm(swarm, &dragon);
    ASSERT_EQ(swarm.size(), 10u);
    for (const auto& insect : swarm)
    {
        EXPECT_GE(insect->GetPosition().x, 0.0f);
        EXPECT_LT(insect->GetPosition().x, 800.0f);
        EXPECT_GE(insect->GetPosition().y, 600.0f);
        EXPECT_LT(insect->GetPosition().y, 700.0f);
        EXPECT_GE(insect->GetSpeed(), 1.0f);
        EXPECT_LT(insect->GetSpeed(), 2.0f);
        EXPECT_GE(insect->GetTurnRate(), -0.5f);
        EXPECT_LT(insect->GetTurnRate(), 0.5f);
        ASSERT_NE(insect->GetSprite(), nullptr);
        EXPECT_TRUE(insect->GetSprite()->IsBlend());
        EXPECT_TRUE(insect->GetSprite()->IsFlip());
        EXPECT_EQ(insect->GetSprite()->GetFrameTime(), 10);
        EXPECT_FALSE(insect->GetSprite()->OwnsTexture());
    }
    for (int i = 0; i < 2000; ++i)
        CInterfaceInsect::UpdateSwarm(swarm, 16.0f);
    // However they wander, steering keeps them near the screen.
    for (const auto& insect : swarm)
    {
        EXPECT_GE(insect->GetPosition().x, -60.0f);
        EXPECT_LE(insect->GetPosition().x, 860.0f);
        EXPECT_GE(insect->GetPosition().y, -60.0f);
        EXPECT_LE(insect->GetPosition().y, 760.0f);
    }
    CInterfaceInsect::DrawSwarm(swarm);
}
