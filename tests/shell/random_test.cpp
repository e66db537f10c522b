#include "random.h"

#include <gtest/gtest.h>

class RandomTest : public ::testing::Test {
protected:
    void SetUp() override { SeedRandom(1); }
};

TEST_F(RandomTest, FirstDrawsFromStateOneAreTheClassicSequence)
{
    EXPECT_EQ(RandomDraw(), 41);
    EXPECT_EQ(RandomDraw(), 18467);
    EXPECT_EQ(RandomDraw(), 6334);
    EXPECT_EQ(RandomDraw(), 26500);
}

TEST_F(RandomTest, SeedingRestartsTheSequence)
{
    SeedRandom(12345);
    const int a = RandomDraw(), b = RandomDraw();
    SeedRandom(12345);
    EXPECT_EQ(RandomDraw(), a);
    EXPECT_EQ(RandomDraw(), b);
}

// Finds a state whose next draw is r, by walking the sequence from a seed.
static uint32_t StateBeforeDraw(int r)
{
    SeedRandom(7);
    for (;;) {
        const uint32_t before = RandomState();
        if (RandomDraw() == r) return before;
    }
}

TEST_F(RandomTest, RealAndIntAtTheEndsOfTheDraw)
{
    SeedRandom(StateBeforeDraw(0));
    EXPECT_EQ(RandomReal(123.5), 0.0);

    const uint32_t top = StateBeforeDraw(RandomMax);
    SeedRandom(top);
    EXPECT_EQ(RandomReal(10.0), 10.0);
    SeedRandom(top);
    EXPECT_EQ(RandomInt(256), 256) << "256 comes out on the generator's maximum";
    SeedRandom(top);
    EXPECT_EQ(RandomInt(0), 0);
}

TEST_F(RandomTest, IntTruncatesAndTakesOneDrawPerCall)
{
    SeedRandom(1);
    // 41 / 32767 * 100 = 0.125..., 18467 / 32767 * 100 = 56.35...
    EXPECT_EQ(RandomInt(100), 0);
    EXPECT_EQ(RandomInt(100), 56);
    // 6334 / 32767 * -10 = -1.93..., truncated toward zero
    EXPECT_EQ(RandomInt(-10), -1);
    for (int i = 0; i < 100000; ++i) {
        const int v = RandomInt(7);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 7);
    }
}
