#include "GameTestSupport.h"

#include "game/Cell.h"
#include "game/Game.h"
#include "platform/EventSource.h"
#include "tests/unit/FakeFrame.h"

#include <filesystem>

using namespace NGame;
using namespace NGameTest;

namespace
{
std::unique_ptr<CCell> MakeIdleCell(int colour)
{
    auto cell = std::make_unique<CCell>(CVector4(100.0f, 100.0f, 0.0f), 30.0f, colour, 0);
    cell->StartAppearing(0.0f);
    for (int i = 0; i < 20 && cell->GetState() != CCell::kIdle; ++i)
        cell->Update(kDt);
    return cell;
}
} // namespace

TEST(CellAnimation, DelayedCellFadesInOnThe63rdUpdateAndTakes13UpdatesToShow)
{
    CTestResources resources;
    CCell cell(CVector4(), 30.0f, 2, 0);
    cell.StartAppearing(1000.0f);
    int firstChange = 0, lastChange = 0;
    for (int update = 1; update <= 100 && cell.GetState() == CCell::kAppearing; ++update)
    {
        const float before = cell.GetAlpha();
        cell.Update(kDt);
        if (cell.GetAlpha() != before)
        {
            if (!firstChange)
                firstChange = update;
            lastChange = update;
        }
    }
    EXPECT_EQ(firstChange, 63);
    EXPECT_EQ(lastChange - firstChange + 1, 13);
    EXPECT_EQ(cell.GetState(), CCell::kIdle);
    EXPECT_FLOAT_EQ(cell.GetAlpha(), 1.0f);
    EXPECT_EQ(cell.GetFlower().GetFrame(), 0);
}

TEST(CellAnimation, FlipFollowsTheSheetsFramesAndShowsTheNewColourHalfWay)
{
    CTestResources resources;
    const int frames = resources.Flower().GetFrameCount();
    ASSERT_GE(frames, 16);
    auto made = MakeIdleCell(1);
    CCell& cell = *made;
    EXPECT_EQ(cell.GetFlower().GetGroup(), 1);
    cell.SetColour(4);
    cell.SetChanged(true);
    cell.StartRepaint(32.0f);
    const int frameTime = cell.GetFlower().GetFrameTime();
    ASSERT_GE(frameTime, 15);
    ASSERT_LT(frameTime, 45);
    const int updatesPerFrame = frameTime / 16 + 1; // a frame lasts until its time is exceeded
    int updates = 0, groupSwitch = 0;
    while (cell.IsChanged() && updates < 1000)
    {
        cell.Update(kDt);
        ++updates;
        if (!groupSwitch && cell.GetFlower().GetGroup() == 4)
        {
            groupSwitch = updates;
            EXPECT_EQ(cell.GetFlower().GetFrame(), frames / 2 - 1);
        }
    }
    EXPECT_EQ(updates, 2 + (frames - 1) * updatesPerFrame)
        << "two updates of delay, then frames 1 to the last";
    EXPECT_EQ(groupSwitch, 2 + (frames / 2 - 1) * updatesPerFrame);
    EXPECT_EQ(cell.GetState(), CCell::kIdle);
    EXPECT_EQ(cell.GetFlower().GetFrame(), frames - 1);

    // The next flip starts from the last frame, loops round and still ends in its colour.
    cell.SetColour(0);
    cell.SetChanged(true);
    cell.StartRepaint(0.0f);
    updates = 0;
    while (cell.IsChanged() && updates < 1000)
    {
        cell.Update(kDt);
        ++updates;
    }
    EXPECT_EQ(updates, frames * updatesPerFrame);
    EXPECT_EQ(cell.GetFlower().GetGroup(), 0);
}

TEST(CellAnimation, FlowerWithoutFramesFlipsAtOnce)
{
    // No game resources: the flower is an empty sprite.
    CCell cell(CVector4(), 30.0f, 1, 0);
    cell.StartAppearing(0.0f);
    for (int i = 0; i < 20; ++i)
        cell.Update(kDt);
    cell.SetColour(3);
    cell.SetChanged(true);
    cell.StartRepaint(0.0f);
    cell.Update(kDt);
    EXPECT_FALSE(cell.IsChanged());
    EXPECT_EQ(cell.GetState(), CCell::kIdle);
}

TEST(CellAnimation, RemovedCoinPictureStaysUntilTheFlipStarts)
{
    CTestResources resources;
    auto made = MakeIdleCell(1);
    CCell& cell = *made;
    cell.SetCoin(3);
    EXPECT_EQ(cell.GetCoin(), 3);
    cell.SetCoin(-1);
    EXPECT_EQ(cell.GetCoin(), -1);
    EXPECT_TRUE(cell.HasPreviousCoinPicture());
    cell.SetChanged(true);
    cell.StartRepaint(20.0f);
    cell.Update(kDt);
    EXPECT_TRUE(cell.HasPreviousCoinPicture()) << "still waiting for its delay";
    cell.Update(kDt);
    cell.Update(kDt);
    EXPECT_FALSE(cell.HasPreviousCoinPicture());
    // A new coin replaces any previous picture; an unknown kind changes nothing.
    cell.SetCoin(0);
    cell.SetCoin(9);
    EXPECT_EQ(cell.GetCoin(), 0);
}

TEST(CellAnimation, UnlitCellDimsToAboutAThirdAndBrightensBack)
{
    CTestResources resources;
    auto made = MakeIdleCell(2);
    CCell& cell = *made;
    cell.SetLit(false);
    for (int i = 0; i < 100; ++i)
        cell.Update(kDt);
    EXPECT_LE(cell.GetAlpha(), 0.3f);
    EXPECT_GT(cell.GetAlpha(), 0.3f - 0.06f);
    cell.SetLit(true);
    for (int i = 0; i < 100; ++i)
        cell.Update(kDt);
    EXPECT_FLOAT_EQ(cell.GetAlpha(), 1.0f);
}

TEST(CellAnimation, RaisedCellGrowsAndSpinsThenSettlesBack)
{
    CTestResources resources;
    auto made = MakeIdleCell(2);
    CCell& cell = *made;
    const float angle = cell.GetAngle();
    cell.SetRaised(true);
    for (int i = 0; i < 100; ++i)
        cell.Update(kDt);
    EXPECT_FLOAT_EQ(cell.GetScale(), 1.5f);
    EXPECT_NEAR(std::fabs(cell.GetAngle() - angle), 100 * 0.5f * kDt / 6.0f, 0.01f);
    cell.SetRaised(false);
    for (int i = 0; i < 100; ++i)
        cell.Update(kDt);
    EXPECT_FLOAT_EQ(cell.GetScale(), 1.0f);
    cell.SetSize(80.0f);
    cell.Update(kDt);
    EXPECT_FLOAT_EQ(cell.GetSize(), CCell::kMaxSize);
}

TEST(CellAnimation, VanishingCellEndsGoneOnTheGoneFrame)
{
    CTestResources resources;
    auto made = MakeIdleCell(2);
    CCell& cell = *made;
    cell.StartVanishing(100.0f);
    EXPECT_EQ(cell.GetState(), CCell::kVanishing);
    for (int i = 0; i < 100 && cell.GetState() != CCell::kGone; ++i)
        cell.Update(kDt);
    EXPECT_EQ(cell.GetState(), CCell::kGone);
    EXPECT_EQ(cell.GetFlower().GetFrame(), 9);
    EXPECT_FLOAT_EQ(cell.GetAlpha(), 0.0f);
}

TEST(CellAnimation, SlidingCellSnapsOnceTheDistanceLeftIsWithinOneMove)
{
    CTestResources resources;
    // 10 px at 16/6 px per update: 7.33 and 4.67 left, then 2.0 left is within
    // one move, so the third update lands it.
    auto made = MakeIdleCell(2);
    CCell& cell = *made;
    const CVector4 target(90.0f, 100.0f, 0.0f);
    cell.StartMoving(target, true);
    cell.Update(kDt);
    cell.Update(kDt);
    EXPECT_EQ(cell.GetState(), CCell::kMoving);
    EXPECT_NEAR(cell.GetAlpha(), (10.0f - 2.0f * kDt / 6.0f) / 30.0f, 1e-4f);
    cell.Update(kDt);
    EXPECT_EQ(cell.GetState(), CCell::kIdle);
    EXPECT_FLOAT_EQ(cell.GetPosition().x, 90.0f);
    EXPECT_FLOAT_EQ(cell.GetPosition().y, 100.0f);
}

TEST(FieldSizes, CellsEaseToTheCellWidthAndGrowCellMovesAFifthOfTheWay)
{
    CTestResources resources;
    auto field = IdleField(12);
    const float width = field->GetCellWidth();
    CCell* cell = field->GetCell(3, 3);
    EXPECT_FLOAT_EQ(cell->GetSize(), width);
    field->GrowCell(3, 3, 1.2f);
    EXPECT_FLOAT_EQ(cell->GetSize(), width + (width * 1.2f - width) / 5.0f);
    for (int i = 0; i < 200; ++i)
        field->Update(kDt);
    EXPECT_NEAR(cell->GetSize(), width, 0.001f);
    EXPECT_EQ(field->GetHoveredRow(), -1) << "no input device: no magnified cell";
    // Raised cells keep their size.
    field->SetCellRaised(3, 3, true);
    field->GrowCell(3, 3, 1.2f);
    EXPECT_NEAR(cell->GetSize(), width, 0.001f);
    // Drawing without a GL context does nothing and does not crash.
    field->Draw();
    field->DrawCell(3, 3);
    field->DrawCellOutline(3, 3, true);
    field->DrawBackground();
    field->DrawPreview();
}

namespace
{
// The mouse as the field polls it: a cursor and whether the right button is held.
class CHeldMouse : public NPlatform::IEventSource
{
  public:
    bool Poll(NPlatform::SEvent&) override { return false; }
    void GetCursorDesktop(int& x, int& y) override
    {
        x = m_x;
        y = m_y;
    }
    uint32_t GetHeldFlags() override { return m_right ? NPlatform::kMkRButton : 0; }

    int m_x = 0, m_y = 0;
    bool m_right = false;
};
} // namespace

// Small flowers are hard to tell apart: while the right button is held the one
// under the cursor grows towards 56 pixels (drawn at 51.2, since every cell's
// own step first holds it to 50); released, it shrinks back to the cell width.
TEST(FieldSizes, HeldRightButtonMagnifiesTheFlowerUnderTheCursorUntilReleased)
{
    CTestResources resources;
    // Level masks are loose files of the working folder: none here, every cell plays.
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path empty = std::filesystem::path(::testing::TempDir()) / "zonvel-no-data";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    CFakeFrame frame;
    frame.GetInput().Open();
    frame.GetInput().SetActive(true);
    CHeldMouse mouse;
    NPlatform::SetEventSource(&mouse);
    {
        // The game polls the mouse and hands the field the cell to magnify.
        NGame::CGame game(0, nullptr);
        game.StartAtLevel(40);
        CField& field = *game.GetField();
        for (int i = 0; i < 5000 && !field.IsIdle(); ++i)
            game.Update(kDt);
        const float width = field.GetCellWidth();
        ASSERT_LE(width, 48.0f) << "a board small enough for the magnifier";
        const int row = field.GetMid(), col = field.RowLength(row) / 2;
        const CVector4 centre = field.CellCentre(row, col);
        mouse.m_x = static_cast<int>(centre.x);
        mouse.m_y = static_cast<int>(centre.y);
        CCell* hovered = field.GetCell(row, col);
        CCell* neighbour = field.GetCell(row, col + 1);

        mouse.m_right = true;
        float previousSize = hovered->GetSize();
        for (int i = 0; i < 5; ++i)
        {
            game.Update(kDt);
            EXPECT_GT(hovered->GetSize(), previousSize) << "grows while held, update " << i;
            previousSize = hovered->GetSize();
        }
        for (int i = 0; i < 100; ++i)
            game.Update(kDt);
        EXPECT_EQ(field.GetHoveredRow(), row);
        EXPECT_NEAR(hovered->GetSize(), 51.2f, 0.01f);
        EXPECT_FLOAT_EQ(neighbour->GetSize(), width) << "only the flower under the cursor";

        mouse.m_right = false;
        game.Update(kDt);
        EXPECT_LT(hovered->GetSize(), 51.2f);
        EXPECT_EQ(field.GetHoveredRow(), -1);
        for (int i = 0; i < 200; ++i)
            game.Update(kDt);
        EXPECT_NEAR(hovered->GetSize(), width, 0.001f);
    }
    NPlatform::SetEventSource(nullptr);
    std::filesystem::current_path(previous);
}
