#include "command_line.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct ModeCase {
    const char* Args;
    SaverMode Mode;
    uintptr_t Handle;
};

const ModeCase ModeCases[] = {
    // The twelve forms.
    {"/c", SaverMode::Configure, 0},
    {"-c", SaverMode::Configure, 0},
    {"/C", SaverMode::Configure, 0},
    {"-C", SaverMode::Configure, 0},
    {"/s", SaverMode::Run, 0},
    {"-s", SaverMode::Run, 0},
    {"/S", SaverMode::Run, 0},
    {"-S", SaverMode::Run, 0},
    {"/p 1234", SaverMode::Preview, 1234},
    {"-p 1234", SaverMode::Preview, 1234},
    {"/P 1234", SaverMode::Preview, 1234},
    {"-P 1234", SaverMode::Preview, 1234},
    // No form: full screen.
    {"", SaverMode::Run, 0},
    {"hello", SaverMode::Run, 0},
    {"/x /y", SaverMode::Run, 0},
    // The Configure group is tried before the later groups.
    {"/s -c", SaverMode::Configure, 0},
    {"/p 1234 /c", SaverMode::Configure, 1234},
    {"/p 99 /s", SaverMode::Run, 0},
    // A form inside a longer word counts.
    {"abc-cdef", SaverMode::Configure, 0},
    {"--screensaver-shot", SaverMode::Run, 0},
    {"x-p", SaverMode::Preview, 0},
    // The handle number is read from the third character on.
    {"/c 1234", SaverMode::Configure, 1234},
    {"/c:1234", SaverMode::Configure, 0},
    {"x /p 1234", SaverMode::Preview, 0},
    {"/p", SaverMode::Preview, 0},
    {"/p 0", SaverMode::Preview, 0},
    {"/p abc", SaverMode::Preview, 0},
    {"/p  \t42xyz", SaverMode::Preview, 42},
    {"/p+77", SaverMode::Preview, 77},
    // Handles above 2^31 survive where pointers are wide enough.
    {"/p 3000000000", SaverMode::Preview, static_cast<uintptr_t>(3000000000ull)},
};

} // namespace

TEST(ChooseModeTest, EveryArgumentTextInTheTable)
{
    for (const ModeCase& c : ModeCases) {
        const ModeChoice got = ChooseMode(c.Args);
        EXPECT_EQ(static_cast<int>(got.Mode), static_cast<int>(c.Mode)) << "args: \"" << c.Args << '"';
        EXPECT_EQ(got.Handle, c.Handle) << "args: \"" << c.Args << '"';
    }
}

TEST(ContainsTextTest, ByteRunsCaseSensitiveAndEmptyNeverMatches)
{
    EXPECT_TRUE(ContainsText("abc/pdef", "/p"));
    EXPECT_TRUE(ContainsText("/p", "/p"));
    EXPECT_FALSE(ContainsText("/P", "/p"));
    EXPECT_FALSE(ContainsText("/", "/p")) << "text ends inside the pattern";
    EXPECT_TRUE(ContainsText("//p", "/p")) << "a failed start does not hide a later match";
    EXPECT_FALSE(ContainsText("", "/p"));
    EXPECT_FALSE(ContainsText("abc", ""));
    EXPECT_FALSE(ContainsText(nullptr, "/p"));
    // Multibyte text is compared byte by byte: the trail byte 0x2F ('/') of
    // a double-byte character followed by 's' matches "/s".
    EXPECT_TRUE(ContainsText("\x81\x2Fs", "/s"));
}

TEST(SkipProgramNameTest, QuotedAndPlainNames)
{
    EXPECT_STREQ(SkipProgramName("\"C:\\Program Files\\Orbel.scr\" /p 123"), "/p 123");
    EXPECT_STREQ(SkipProgramName("C:\\WINDOWS\\Orbel.scr /s"), "/s");
    EXPECT_STREQ(SkipProgramName("Orbel.scr\t\t/c"), "/c");
    EXPECT_STREQ(SkipProgramName("Orbel.scr"), "");
    EXPECT_STREQ(SkipProgramName("\"unterminated"), "");
    EXPECT_STREQ(SkipProgramName(""), "");
}
