// Which built-in strings a Glyra run shows.
#include "glyra_defaults.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "default_texts.h"
#include "failure_points.h"
#include "random.h"
#include "random_steering.h"

namespace {

// An add that takes memory for its string, as the saver's does.
bool Record(int index, void* context)
{
    const std::unique_ptr<char[]> block(NewArrayOrNull<char>(16));
    if (!block) return false;
    static_cast<std::vector<int>*>(context)->push_back(index);
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
    ClearFailurePlan();
    bool sawSecondPass = false;
    bool sawRare = false;
    // Seeds spread over the state space: neighbouring seeds give nearly the
    // same first draws.
    for (uint32_t k = 1; k <= 2000; ++k) {
        const uint32_t seed = k * 2654435761u;
        SCOPED_TRACE(seed);
        int passes = 0;
        const std::vector<int> want = Expected(seed, passes);
        std::vector<int> added;
        SeedRandom(seed);
        ASSERT_TRUE(AddDefaultTexts(Record, &added));
        ASSERT_EQ(added, want);
        // Every string of every pass took its draw: seven per pass.
        ASSERT_EQ(DrawsBetween(seed, RandomState()), 7 * passes);
        sawSecondPass = sawSecondPass || passes > 1;
        for (int i : added) sawRare = sawRare || i >= 5;
    }
    EXPECT_TRUE(sawSecondPass) << "no seed needed a second pass";
    EXPECT_TRUE(sawRare);
}

// Memory running out ends the drawing instead of looping, unless a string
// of the pass did get in.
TEST(GlyraDefaultTexts, FailingAddsEndTheDrawing)
{
    const struct {
        int Granted;
        bool Shown;
        size_t Added;
    } cases[] = {{0, false, 0}, {1, true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Granted);
        std::vector<int> added;
        PlanFailure(FailurePoint::Memory, c.Granted + 1, true);
        SeedRandom(3);
        EXPECT_EQ(AddDefaultTexts(Record, &added), c.Shown);
        ClearFailurePlan();
        EXPECT_EQ(added.size(), c.Added);
    }
}

} // namespace
