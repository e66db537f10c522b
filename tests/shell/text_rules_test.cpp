#include "text_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Shift-JIS lead bytes, as the system reports them under code page 932.
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The data of one "List" value in a 260-byte buffer filled with a marker:
// the text ends at the first zero, and data filling the buffer is cut to 259
// bytes, never inside a two-byte character.
TEST(ListTextLength, EndsAtZeroOrIsCutToTheBufferLessOne)
{
    const struct {
        const char* What;
        std::string Data;
        int32_t Expected;
    } cases[] = {
        {"empty", "", 0},
        {"one byte", "a", 1},
        {"zero inside", std::string("ab\0cd", 5), 2},
        {"zero first", std::string("\0abc", 4), 0},
        {"258 bytes", std::string(258, 'x'), 258},
        {"259 bytes", std::string(259, 'x'), 259},
        {"259 bytes and the terminator", std::string(259, 'x') + '\0', 259},
        {"260 bytes without a zero", std::string(260, 'x'), 259},
        {"260 bytes, a pair across the cut", std::string(258, 'x') + "\x82\xa0", 258},
        {"260 bytes of pairs", [] {
             std::string s;
             for (int i = 0; i < 130; ++i) s += "\x82\xa0";
             return s;
         }(),
         258},
        {"260 bytes, pair ending at 259", std::string(257, 'x') + "\x82\xa0" + "y", 259},
    };
    for (const auto& c : cases) {
        std::vector<char> buffer(TextBufferSize, '\x7f');
        std::memcpy(buffer.data(), c.Data.data(), c.Data.size());
        EXPECT_EQ(ListTextLength(buffer.data(), static_cast<uint32_t>(c.Data.size()), TextBufferSize, ShiftJisLead),
                  c.Expected)
            << c.What;
    }
}

TEST(ListTextLength, NeverPassesTheCount)
{
    // Bytes beyond the count are the marker, not text.
    std::vector<char> buffer(TextBufferSize, '\x7f');
    for (uint32_t count = 0; count < TextBufferSize; ++count)
        EXPECT_EQ(ListTextLength(buffer.data(), count, TextBufferSize, ShiftJisLead), static_cast<int32_t>(count));
}

TEST(WholeCharacterPrefix, CountsWholeCharactersFromTheStart)
{
    // A trail byte may look like a lead byte (0x82 0x82): counting from the
    // start keeps the pairs straight.
    const std::string s = "a\x82\x82\x82\xa0" "b";
    const struct {
        int32_t Limit, Expected;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 5}, {6, 6}, {9, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(WholeCharacterPrefix(s.data(), static_cast<int32_t>(s.size()), c.Limit, ShiftJisLead), c.Expected)
            << c.Limit;
    // Without a code page of pairs every byte is a character.
    EXPECT_EQ(WholeCharacterPrefix(s.data(), 6, 4, nullptr), 4);
}

} // namespace
