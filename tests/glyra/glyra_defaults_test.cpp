// Which built-in strings a Glyra run shows.
#include "glyra_defaults.h"

#include <gtest/gtest.h>

#include <vector>

#include "default_texts.h"
#include "random.h"

namespace {

struct Recorder {
    std::vector<int> Added;
    bool Fail = false;
};

bool Record(int index, void* context)
{
    auto* r = static_cast<Recorder*>(context);
    if (r->Fail) return false;
    r->Added.push_back(index);
    return true;
}

// The first pass whose fresh draws fall below any bound, replayed.
std::vector<int> Expected(uint32_t seed, int& passes)
{
    SeedRandom(seed);
    for (passes = 1;; ++passes) {
        std::vector<int> pass;
        for (int i = 0; i < GlyraDefaultTextCount; ++i)
            if (static_cast<int>(RandomDraw() / 32767.0 * 100) < GlyraDefaultTexts[i].Bound) pass.push_back(i);
        if (!pass.empty()) return pass;
    }
}

TEST(GlyraDefaultTexts, ARandomNonEmptySubsetInTableOrder)
{
    bool sawSecondPass = false;
    bool sawRare = false;
    // Seeds spread over the state space: neighbouring seeds give nearly the
    // same first draws.
    for (uint32_t k = 1; k <= 2000; ++k) {
        const uint32_t seed = k * 2654435761u;
        SCOPED_TRACE(seed);
        int passes = 0;
        const std::vector<int> want = Expected(seed, passes);
        Recorder r;
        SeedRandom(seed);
        ASSERT_TRUE(AddDefaultTexts(Record, &r));
        ASSERT_EQ(r.Added, want);
        // Every string of every pass took its draw: seven per pass.
        const uint32_t after = RandomState();
        SeedRandom(seed);
        for (int d = 0; d < 7 * passes; ++d) RandomDraw();
        ASSERT_EQ(RandomState(), after);
        sawSecondPass = sawSecondPass || passes > 1;
        for (int i : r.Added) sawRare = sawRare || i >= 5;
    }
    EXPECT_TRUE(sawSecondPass) << "no seed needed a second pass";
    EXPECT_TRUE(sawRare);
}

// Adding that fails (memory ran out) ends the drawing instead of looping.
TEST(GlyraDefaultTexts, FailingAddsEndTheDrawing)
{
    Recorder r;
    r.Fail = true;
    SeedRandom(3);
    EXPECT_FALSE(AddDefaultTexts(Record, &r));
    EXPECT_TRUE(r.Added.empty());
}

} // namespace
