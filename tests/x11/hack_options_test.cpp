// The options of the native programs: the command line over the config
// file, the frame's own options, and the rules each value meets.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "frame_texts.h"
#include "glyra2_table.h"
#include "hack_program.h"
#include "table_program.h"
#include "user_language.h"

namespace {

const HackOption TestOptions[] = {
    {"count", OptionKind::Number, "N", "a number"},
    {"trail", OptionKind::Text, "WORD", "a word"},
    {"bold", OptionKind::Flag, nullptr, "a flag"},
};
const HackProgram TestProgram = {"zamvel-test", "test", "Test", TestOptions, 3, false, nullptr};

// A config home of its own for each test, no window from the environment.
class HackOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zamvel-options-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home = pattern;
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        unsetenv("XSCREENSAVER_WINDOW");
    }
    void TearDown() override { std::system(("rm -rf '" + home + "'").c_str()); }

    void Config(const char* text)
    {
        std::system(("mkdir -p '" + home + "/zamvel'").c_str());
        FILE* f = std::fopen((home + "/zamvel/test.conf").c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs(text, f);
        std::fclose(f);
    }
    ParseOutcome Parse(std::vector<std::string> args, HackCommand& c)
    {
        args.insert(args.begin(), "zamvel-test");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        return ParseHackCommand(TestProgram, static_cast<int>(argv.size()), argv.data(), c);
    }
    std::string Value(const HackCommand& c, const char* name)
    {
        const OptionValue* v = ValueOf(c, name);
        return v ? v->Text : "(none)";
    }

    std::string home;
};

struct ParseCase {
    const char* Config;
    std::vector<std::string> Args;
    ParseOutcome Outcome;
    const char* Count;
    const char* Bold;
};

TEST_F(HackOptionsTest, CommandLineOverConfigFile)
{
    const ParseCase cases[] = {
        {"", {}, ParseOutcome::Run, "(none)", "(none)"},
        {"", {"--count", "5"}, ParseOutcome::Run, "5", "(none)"},
        {"", {"-count=7", "--bold"}, ParseOutcome::Run, "7", "true"},
        {"", {"--no-bold"}, ParseOutcome::Run, "(none)", "false"},
        {"count = 9\nbold = yes\n", {}, ParseOutcome::Run, "9", "yes"},
        {"# a comment\n\n  count=9  \n", {"--count", "3"}, ParseOutcome::Run, "3", "(none)"},
        {"bold = on\n", {"--no-bold"}, ParseOutcome::Run, "(none)", "false"},
        {"", {"--frobnicate"}, ParseOutcome::Refused, "(none)", "(none)"},
        {"", {"--count"}, ParseOutcome::Refused, "(none)", "(none)"},
        {"", {"stray"}, ParseOutcome::Refused, "(none)", "(none)"},
        {"colour = red\n", {}, ParseOutcome::Refused, "(none)", "(none)"},
        {"just words\n", {}, ParseOutcome::Refused, "(none)", "(none)"},
        {"", {"--help"}, ParseOutcome::Help, "(none)", "(none)"},
    };
    for (const ParseCase& k : cases) {
        SCOPED_TRACE(std::string(k.Config) + " | " + (k.Args.empty() ? "" : k.Args[0]));
        Config(k.Config);
        HackCommand c;
        ASSERT_EQ(Parse(k.Args, c), k.Outcome);
        if (k.Outcome != ParseOutcome::Run) continue;
        EXPECT_EQ(Value(c, "count"), k.Count);
        EXPECT_EQ(Value(c, "bold"), k.Bold);
    }
}

TEST_F(HackOptionsTest, TheFramesOwnOptions)
{
    HackCommand c;
    ASSERT_EQ(Parse({}, c), ParseOutcome::Run);
    EXPECT_EQ(c.Delay, DefaultDelay);
    EXPECT_FALSE(c.Fps || c.Root || c.HasWindow);

    Config("delay = 20000\nfps = true\n");
    HackCommand d;
    ASSERT_EQ(Parse({"--root", "--window-id", "0x2a", "--frames", "3"}, d), ParseOutcome::Run);
    EXPECT_EQ(d.Delay, 20000);
    EXPECT_TRUE(d.Fps && d.Root && d.HasWindow);
    EXPECT_EQ(d.WindowId, 42u);
    EXPECT_EQ(d.Frames, 3);

    // Out of range is brought in; no number at all is refused.
    HackCommand e;
    ASSERT_EQ(Parse({"--delay", "-5"}, e), ParseOutcome::Run);
    EXPECT_EQ(e.Delay, 0);
    ASSERT_EQ(Parse({"--delay", "20000000"}, e), ParseOutcome::Run);
    EXPECT_EQ(e.Delay, MaxDelay);
    // --fps=VALUE as a saver's flag takes one.
    HackCommand g;
    ASSERT_EQ(Parse({"--fps=true"}, g), ParseOutcome::Run);
    EXPECT_TRUE(g.Fps);
    HackCommand f;
    EXPECT_EQ(Parse({"--delay", "soon"}, f), ParseOutcome::Refused);
    EXPECT_EQ(Parse({"--window-id", "zero"}, f), ParseOutcome::Refused);
}

TEST_F(HackOptionsTest, TheDaemonsWindowComesFromTheEnvironment)
{
    setenv("XSCREENSAVER_WINDOW", "0x10", 1);
    HackCommand c;
    ASSERT_EQ(Parse({"--root"}, c), ParseOutcome::Run);
    EXPECT_TRUE(c.HasWindow);
    EXPECT_EQ(c.WindowId, 16u);
    // --window-id goes first.
    HackCommand d;
    ASSERT_EQ(Parse({"--window-id", "5"}, d), ParseOutcome::Run);
    EXPECT_EQ(d.WindowId, 5u);
    setenv("XSCREENSAVER_WINDOW", "nonsense", 1);
    HackCommand e;
    EXPECT_EQ(Parse({}, e), ParseOutcome::Refused);
}

TEST_F(HackOptionsTest, ConfigPathFollowsXdg)
{
    char path[256];
    ASSERT_TRUE(ConfigPath("orbel", path, sizeof path));
    EXPECT_EQ(std::string(path), home + "/zamvel/orbel.conf");
    // A relative XDG_CONFIG_HOME does not count; HOME's .config does.
    setenv("XDG_CONFIG_HOME", "relative", 1);
    const char* saved = std::getenv("HOME");
    const std::string was = saved ? saved : "";
    setenv("HOME", "/home/u", 1);
    ASSERT_TRUE(ConfigPath("worms", path, sizeof path));
    EXPECT_STREQ(path, "/home/u/.config/zamvel/worms.conf");
    setenv("HOME", was.c_str(), 1);
}

struct ValueCase {
    const char* Text;
    bool Read;  // a whole number at all
};

TEST_F(HackOptionsTest, TheFramesNumbersAndFlags)
{
    HackCommand c;
    c.Program = &TestProgram;
    const ValueCase cases[] = {{"300", true}, {"-5", true}, {"12x", false}, {"", false}, {"99999999999", false},
                               {" 7", true}};
    for (const ValueCase& k : cases) {
        OptionValue v;
        std::snprintf(v.Text, sizeof v.Text, "%s", k.Text);
        int32_t n = 0;
        EXPECT_EQ(ReadNumber(c, v, n), k.Read) << k.Text;
    }
    for (const char* yes : {"true", "YES", "on", "1"}) {
        OptionValue v;
        std::snprintf(v.Text, sizeof v.Text, "%s", yes);
        bool b = false;
        EXPECT_TRUE(ReadFlag(c, v, b) && b) << yes;
    }
    OptionValue maybe;
    std::snprintf(maybe.Text, sizeof maybe.Text, "maybe");
    bool b = false;
    EXPECT_FALSE(ReadFlag(c, maybe, b));
}

// A table's options taken into its settings: numbers brought into bounds
// as stored values load on Windows, the face, the flags and the strings
// file; a file that cannot be read is refused.
TEST_F(HackOptionsTest, ATablesOptionsAndTheStringsFile)
{
    const std::string file = home + "/strings.txt";
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    // A byte-order mark, a Japanese line, an empty one, one that is not
    // UTF-8, one of 300 characters, one with CR LF.
    std::fputs("\xEF\xBB\xBF\xE5\x85\x89\xE9\x99\xB0\n\n\xFF\xFEnot text\n", f);
    std::fputs((std::string(300, 'x') + "\n").c_str(), f);
    std::fputs("last\r\n", f);
    std::fclose(f);

    TableProgram program;
    MakeTableProgram(Glyra2Table, program);
    std::vector<std::string> args = {"zamvel-glyra2", "--speed", "9", "--font-size", "2", "--font", "IPAGothic",
                                     "--bold", "--strings", file};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    HackCommand c;
    ASSERT_EQ(ParseHackCommand(program.Program, static_cast<int>(argv.size()), argv.data(), c), ParseOutcome::Run);
    SettingValues s;
    DefaultTableValues(Glyra2Table, s);
    ASSERT_TRUE(TakeTableSettings(c, program, s));
    EXPECT_EQ(s.Numbers[TextSpeed], MaxSpeed);
    EXPECT_EQ(s.Numbers[TextFontSize], MinFontSize);
    EXPECT_EQ(std::u16string(s.Face), u"IPAGothic");
    EXPECT_EQ(s.Numbers[TextBold], 1);
    EXPECT_EQ(s.Numbers[TextItalic], 0);
    ASSERT_EQ(s.Strings.EntryCount, 3);
    EXPECT_EQ(std::u16string(s.Strings.Head->Text.get()), u"\u5149\u9670");
    EXPECT_EQ(s.Strings.Head->Next->Length, 259);
    EXPECT_EQ(std::u16string(s.Strings.Tail->Text.get()), u"last");

    args = {"zamvel-glyra2", "--strings", home + "/missing.txt"};
    argv.clear();
    for (std::string& a : args) argv.push_back(&a[0]);
    HackCommand d;
    ASSERT_EQ(ParseHackCommand(program.Program, static_cast<int>(argv.size()), argv.data(), d), ParseOutcome::Run);
    SettingValues t;
    DefaultTableValues(Glyra2Table, t);
    EXPECT_FALSE(TakeTableSettings(d, program, t));
    EXPECT_EQ(std::u16string(t.Face), u"IPAPMincho");
    EXPECT_EQ(t.Numbers[TextFontSize], 48);
}

// The locale variables as POSIX orders them for messages, the first set
// and not empty deciding: Japanese for ja_*, unless of a code set the
// programs do not write.
TEST(UserLanguage, TheLocaleOfMessagesChoosesIt)
{
    const struct {
        const char* Vars[3];  // LC_ALL, LC_MESSAGES, LANG
        Language Speaks;
    } cases[] = {
        {{nullptr, nullptr, nullptr}, Language::English},
        {{nullptr, nullptr, "ja_JP.UTF-8"}, Language::Japanese},
        {{nullptr, nullptr, "ja_JP.eucJP"}, Language::English},
        {{nullptr, nullptr, "jam_JM.UTF-8"}, Language::English},
        {{nullptr, "ja_JP.utf8", "en_US.UTF-8"}, Language::Japanese},
        {{nullptr, "C", "ja_JP.UTF-8"}, Language::English},
        {{"C", "ja_JP.UTF-8", "ja_JP.UTF-8"}, Language::English},
        {{"", "", "ja"}, Language::Japanese},
    };
    const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const auto& k : cases) {
        for (int i = 0; i < 3; ++i) k.Vars[i] ? setenv(names[i], k.Vars[i], 1) : unsetenv(names[i]);
        EXPECT_EQ(UserLanguage(), k.Speaks) << &k - cases;
    }
    for (const char* name : names) unsetenv(name);
}

// A text's conversions by the place of the value each takes ("%2$s" takes
// the second).
std::vector<std::string> Conversions(const char* format)
{
    std::vector<std::string> out(8);
    size_t next = 0;
    for (const char* p = format; (p = std::strchr(p, '%')) != nullptr; ++p) {
        if (*++p == '%') continue;
        const char* dollar = p + std::strspn(p, "0123456789");
        const size_t place = *dollar == '$' ? std::atoi(p) - 1 : next++;
        if (*dollar == '$') p = dollar + 1;
        const size_t length = std::strspn(p, "-+ #0123456789.hlLqjzt") + 1;
        out.at(place) = std::string(p, length);
    }
    return out;
}

// A Japanese text that takes other values than its English one would print
// garbage or crash: both take the same, in the same order.
TEST(FrameTexts, BothLanguagesTakeTheSameValues)
{
    for (int32_t t = 0; t < static_cast<int32_t>(FrameText::Count); ++t) {
        setenv("LC_ALL", "ja_JP.UTF-8", 1);
        const std::vector<std::string> japanese = Conversions(FrameSays(static_cast<FrameText>(t)));
        setenv("LC_ALL", "C", 1);
        EXPECT_EQ(japanese, Conversions(FrameSays(static_cast<FrameText>(t)))) << FrameSays(static_cast<FrameText>(t));
    }
    unsetenv("LC_ALL");
}

} // namespace
