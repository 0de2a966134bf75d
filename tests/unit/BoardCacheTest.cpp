// Which of the board's flowers the copy of the picture may hold: only those
// whose quads stay exactly as copied, taken in when the board is quiet.
#include <gtest/gtest.h>

#include "game/BoardCache.h"

#include <vector>

namespace
{
using NGame::CBoardCache;
using SVertex = CSpriteBatch::SVertex;

// A board of lying flowers, one quad each; a flower is told by its x.
class CBoard
{
  public:
    explicit CBoard(int flowers)
    {
        for (int i = 0; i < flowers; ++i)
        {
            m_x.push_back(static_cast<float>(i * 10));
            m_keys.push_back(i);
            m_at_rest.push_back(1);
        }
    }
    // One drawn frame; true when the copy was to be taken.
    bool Frame(bool copyFits = true)
    {
        std::vector<SVertex> vertices;
        for (float x : m_x)
            for (int corner = 0; corner < 4; ++corner)
                vertices.push_back({0.0f, 0.0f, x + corner, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, m_alpha});
        return m_cache.Plan(vertices, m_keys, m_at_rest, copyFits);
    }
    void Hide(int flower) // hovered or raised: drawn on its own, not lying
    {
        m_x.erase(m_x.begin() + flower);
        m_keys.erase(m_keys.begin() + flower);
        m_at_rest.erase(m_at_rest.begin() + flower);
    }
    std::vector<float> m_x;
    std::vector<int> m_keys;
    std::vector<uint8_t> m_at_rest;
    float m_alpha = 1.0f;
    CBoardCache m_cache;
};

TEST(BoardCacheTest, AQuietBoardIsCopiedOnceAndThenShownFromTheCopy)
{
    CBoard board(20);
    EXPECT_TRUE(board.Frame(false)) << "no copy yet";
    EXPECT_EQ(board.m_cache.GetHeldCount(), 0u) << "a flower seen once may still be moving";
    EXPECT_TRUE(board.Frame()) << "every flower as it was: take them in";
    EXPECT_EQ(board.m_cache.GetHeldCount(), 20u);
    for (int frame = 0; frame < 50; ++frame)
        EXPECT_FALSE(board.Frame());
    EXPECT_EQ(board.m_cache.GetTakeCount(), 2);
    EXPECT_TRUE(board.Frame(false)) << "a new viewport needs a new copy";
    EXPECT_EQ(board.m_cache.GetHeldCount(), 20u);
}

TEST(BoardCacheTest, AHeldFlowerThatChangesOrLeavesIsTakenOutAtOnce)
{
    CBoard board(20);
    board.Frame(false);
    board.Frame();
    board.m_x[5] += 0.5f;
    EXPECT_TRUE(board.Frame()) << "the copy shows flower 5 where it was";
    EXPECT_FALSE(board.m_cache.IsHeld(5));
    EXPECT_TRUE(board.m_cache.IsHeld(4));
    EXPECT_EQ(board.m_cache.GetHeldCount(), 19u);

    board.m_alpha = 0.5f; // every flower fades
    EXPECT_TRUE(board.Frame());
    EXPECT_EQ(board.m_cache.GetHeldCount(), 0u);

    CBoard hovered(20);
    hovered.Frame(false);
    hovered.Frame();
    hovered.Hide(7);
    EXPECT_TRUE(hovered.Frame()) << "the copy would show the hovered flower under its magnified self";
    EXPECT_EQ(hovered.m_cache.GetHeldCount(), 19u);
}

TEST(BoardCacheTest, FlowersWithAFlipPendingStayOutEvenWhileTheyLookTheSame)
{
    CBoard board(20);
    for (int i = 0; i < 10; ++i)
        board.m_at_rest[i] = 0;
    board.Frame(false);
    EXPECT_TRUE(board.Frame());
    EXPECT_EQ(board.m_cache.GetHeldCount(), 10u);
    EXPECT_FALSE(board.m_cache.IsHeld(0));
    EXPECT_TRUE(board.m_cache.IsHeld(10));
}

TEST(BoardCacheTest, FlowersComingToRestWaitForAQuietBoardOrEnoughOfThem)
{
    CBoard board(40);
    board.Frame(false);
    board.Frame();
    auto moveFrom = [&board](int first)
    {
        for (int k = first; k < 20; ++k)
            board.m_x[k] += 0.5f;
    };
    moveFrom(0);
    EXPECT_TRUE(board.Frame());
    EXPECT_EQ(board.m_cache.GetHeldCount(), 20u);
    // Flowers 0..19 come to rest one a frame, as a move's flips end.
    for (int rested = 1; rested < 10; ++rested)
    {
        moveFrom(rested);
        EXPECT_FALSE(board.Frame()) << rested << " waiting";
    }
    moveFrom(10);
    EXPECT_TRUE(board.Frame()) << "ten waiting of forty are worth a copy";
    EXPECT_EQ(board.m_cache.GetHeldCount(), 30u);
    EXPECT_TRUE(board.Frame()) << "the rest once the board is quiet";
    EXPECT_EQ(board.m_cache.GetHeldCount(), 40u);
    EXPECT_FALSE(board.Frame());
}
} // namespace
