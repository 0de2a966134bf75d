#include "engine/Random.h"

#include <gtest/gtest.h>

TEST(Random, FirstValuesFromStateOneAreFixed)
{
    NRandom::Seed(1);
    EXPECT_EQ(NRandom::Rand(), 41);
    EXPECT_EQ(NRandom::Rand(), 18467);
    EXPECT_EQ(NRandom::Rand(), 6334);
    EXPECT_EQ(NRandom::Rand(), 26500);
    EXPECT_EQ(NRandom::Rand(), 19169);
}

TEST(Random, SeedRestartsTheSequence)
{
    NRandom::Seed(12345);
    int a = NRandom::Rand();
    int b = NRandom::Rand();
    NRandom::Seed(12345);
    EXPECT_EQ(NRandom::Rand(), a);
    EXPECT_EQ(NRandom::Rand(), b);
    for (int i = 0; i < 1000; ++i)
    {
        int v = NRandom::Rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, NRandom::kMax);
    }
}
