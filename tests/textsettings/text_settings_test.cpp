// The text settings against the real registry of the test prefix.
#include "text_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "default_texts.h"
#include "entry_texts.h"
#include "failure_points.h"
#include "gdi_canvas.h"
#include "saver_font.h"
#include "win_test_support.h"

namespace {

const char TestKeyPath[] = "Software\\Zamvel\\TextSettingsTest";
const std::string ListPath = std::string(TestKeyPath) + "\\List";

class TestTextSettings : public TextSettings {
public:
    TestTextSettings() : TextSettings(TestKeyPath, 48) {}
    ~TestTextSettings() { ReleaseList(); }
};

std::vector<std::wstring> Texts(const TextSettings& s) { return EntryTexts(s.List); }

std::vector<std::string> Names(const std::vector<RawValue>& values)
{
    std::vector<std::string> out;
    for (const RawValue& v : values) out.push_back(v.Name);
    return out;
}

class TextSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegistryTree(TestKeyPath); }
    void TearDown() override { DeleteRegistryTree(TestKeyPath); }
    TestTextSettings s;
};

TEST_F(TextSettingsTest, FirstStartWithoutKeyTakesDefaultsAndWritesNothing)
{
    s.LoadFromRegistry();
    EXPECT_EQ(s.EraseBackground, 1);
    EXPECT_EQ(s.TimerInterval, 50u);
    EXPECT_EQ(s.Speed, 3);
    EXPECT_STREQ(s.FontName, DefaultFontName);
    EXPECT_EQ(s.FontSize, 48);
    EXPECT_EQ(s.FontBold, 0);
    EXPECT_EQ(s.FontItalic, 0);
    EXPECT_EQ(s.List.EntryCount, 0);
    EXPECT_EQ(s.List.Head, nullptr);
    EXPECT_FALSE(KeyExists(TestKeyPath));
}

TEST_F(TextSettingsTest, LoadingCreatesOnlyTheEmptyListSubKey)
{
    ASSERT_TRUE(PutDword(TestKeyPath, "FontBold", 1));
    s.LoadFromRegistry();
    EXPECT_EQ(s.FontBold, 1);
    EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
    EXPECT_TRUE(Values(ListPath).empty());
    EXPECT_EQ(Names(Values(TestKeyPath)), std::vector<std::string>{"FontBold"});
}

TEST_F(TextSettingsTest, SavingNumbersTheValuesFromOne)
{
    ASSERT_TRUE(PutValue(ListPath, "3", REG_SZ, "three"));
    ASSERT_TRUE(PutValue(ListPath, "7", REG_SZ, "seven"));
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), (std::vector<std::wstring>{L"three", L"seven"}));
    ASSERT_TRUE(s.SaveToRegistry());
    const std::vector<RawValue> list = Values(ListPath);
    ASSERT_EQ(Names(list), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(TextOf(list[0]), "three");
    EXPECT_EQ(TextOf(list[1]), "seven");
    EXPECT_EQ(list[0].Type, static_cast<DWORD>(REG_SZ));
    // Nothing but the text: at most the terminator that the registry adds
    // to a string value written without one.
    EXPECT_LE(list[0].Data.size(), 6u);
    EXPECT_LE(list[1].Data.size(), 6u);
}

TEST_F(TextSettingsTest, SavingWritesEveryValue)
{
    s.LoadFromRegistry();
    s.Speed = 5;
    std::strcpy(s.FontName, "Courier New");
    s.FontSize = 20;
    s.FontBold = 1;
    s.FontItalic = 1;
    ASSERT_TRUE(s.AddText("abc"));
    ASSERT_TRUE(s.SaveToRegistry());
    const std::vector<RawValue> values = Values(TestKeyPath);
    auto find = [&](const char* name) -> RawValue {
        for (const RawValue& v : values)
            if (v.Name == name) return v;
        ADD_FAILURE() << name;
        return {};
    };
    EXPECT_EQ(find("Speed").Data, std::string("\5\0\0\0", 4));
    EXPECT_EQ(find("Speed").Type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TextOf(find("FontName")), "Courier New");
    EXPECT_LE(find("FontName").Data.size(), 12u);
    EXPECT_EQ(find("FontName").Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(find("FontSize").Data, std::string("\x14\0\0\0", 4));
    EXPECT_EQ(find("FontBold").Data, std::string("\1\0\0\0", 4));
    EXPECT_EQ(find("FontItalic").Data, std::string("\1\0\0\0", 4));
    EXPECT_EQ(Names(Values(ListPath)), std::vector<std::string>{"1"});
}

// A stored list longer than the saved one leaves nothing behind, even when
// someone gave "List" a sub-key of its own.
TEST_F(TextSettingsTest, SavingReplacesTheWholeList)
{
    for (const char* n : {"1", "2", "3", "4", "5"}) ASSERT_TRUE(PutValue(ListPath, n, REG_SZ, n));
    ASSERT_TRUE(PutValue(ListPath + "\\Inner", "x", REG_SZ, "y"));
    s.LoadFromRegistry();
    s.ReleaseList();
    ASSERT_TRUE(s.AddText("only"));
    ASSERT_TRUE(s.SaveToRegistry());
    EXPECT_EQ(Names(Values(ListPath)), std::vector<std::string>{"1"});
    EXPECT_TRUE(SubKeys(ListPath).empty());
}

TEST_F(TextSettingsTest, AnEmptyListIsSavedAsAnEmptySubKey)
{
    ASSERT_TRUE(PutValue(ListPath, "1", REG_SZ, "old"));
    s.LoadFromRegistry();
    s.ReleaseList();
    ASSERT_TRUE(s.SaveToRegistry());
    EXPECT_TRUE(KeyExists(ListPath));
    EXPECT_TRUE(Values(ListPath).empty());
}

// Values are taken in enumeration order until the first name of six or
// more characters; five characters still fit.
TEST_F(TextSettingsTest, ALongValueNameEndsTheLoading)
{
    const struct {
        const char* Name;
        const char* Text;
    } stored[] = {{"1", "a"}, {"2", "b"}, {"abcde", "five"}, {"abcdef", "six"}, {"b", "after"}, {"zz", "later"}};
    for (const auto& v : stored) ASSERT_TRUE(PutValue(ListPath, v.Name, REG_SZ, v.Text));
    std::vector<std::wstring> expected;
    for (const RawValue& v : Values(ListPath)) {
        if (v.Name.size() >= 6) break;
        const std::string text = TextOf(v);
        expected.emplace_back(text.begin(), text.end());
    }
    ASSERT_LT(expected.size(), 6u);
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), expected);
}

// Whatever their type, values are read as text, up to a zero byte; empty
// texts make no entry, and the next save closes the gaps.
TEST_F(TextSettingsTest, ValuesOfAnyTypeAreTextAndEmptyOnesAreDropped)
{
    const struct {
        const char* Name;
        DWORD Type;
        std::string Data;
        const wchar_t* Text;  // null: no entry
    } stored[] = {
        {"1", REG_DWORD, std::string("ABC\0", 4), L"ABC"},
        {"2", REG_BINARY, "xyz", L"xyz"},
        {"3", REG_EXPAND_SZ, "%PATH%", L"%PATH%"},
        {"4", REG_MULTI_SZ, std::string("one\0two\0\0", 9), L"one"},
        {"5", REG_SZ, "", nullptr},
        {"6", REG_BINARY, "", nullptr},
        {"7", REG_BINARY, std::string("\0hidden", 7), nullptr},
        {"8", REG_SZ, "last", L"last"},
    };
    for (const auto& v : stored) ASSERT_TRUE(PutValue(ListPath, v.Name, v.Type, v.Data));
    std::vector<std::wstring> expected;
    for (const RawValue& r : Values(ListPath))
        for (const auto& v : stored)
            if (r.Name == v.Name && v.Text) expected.push_back(v.Text);
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), expected);
    EXPECT_EQ(s.List.EntryCount, 5);
    ASSERT_TRUE(s.SaveToRegistry());
    const std::vector<RawValue> saved = Values(ListPath);
    ASSERT_EQ(Names(saved), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    for (size_t i = 0; i < saved.size(); ++i) {
        const std::string text = TextOf(saved[i]);
        EXPECT_EQ(std::wstring(text.begin(), text.end()), expected[i]);
    }
}

// The 260-byte buffer at its edges. Raw bytes (REG_BINARY) reach the
// loading as stored: a text that fills the buffer without a zero is cut to
// 259 bytes, and 261 bytes end the loading.
TEST_F(TextSettingsTest, TextsAtTheBufferEdges)
{
    const struct {
        const char* Name;
        std::string Data;
        size_t Loaded;  // 0: the loading stops here
    } stored[] = {
        {"1", std::string(258, 'a'), 258},
        {"2", std::string(259, 'b'), 259},
        {"3", std::string(259, 'c') + '\0', 259},
        {"4", std::string(260, 'd'), 259},
        {"5", std::string(261, 'e'), 0},
        {"6", "f", 1},
    };
    for (const auto& v : stored) ASSERT_TRUE(PutValue(ListPath, v.Name, REG_BINARY, v.Data));
    std::vector<std::wstring> expected;
    for (const RawValue& r : Values(ListPath)) {
        size_t loaded = 0;
        for (const auto& v : stored)
            if (r.Name == v.Name) loaded = v.Loaded;
        if (loaded == 0) break;
        expected.emplace_back(loaded, static_cast<wchar_t>(r.Data[0]));
    }
    ASSERT_GE(expected.size(), 4u);
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), expected);
}

// A string value of 260 bytes without a terminator: the registry's ANSI
// enumeration decides whether it reports 260 bytes (then the text is cut to
// 259) or adds a terminator and reports 261 (then the loading ends there);
// the loading follows what the enumeration reports.
TEST_F(TextSettingsTest, AStringValueOf260Bytes)
{
    ASSERT_TRUE(PutValue(ListPath, "1", REG_SZ, "first"));
    ASSERT_TRUE(PutValue(ListPath, "2", REG_SZ, std::string(260, 'x')));
    ASSERT_TRUE(PutValue(ListPath, "3", REG_SZ, "third"));
    std::vector<std::wstring> expected;
    for (const RawValue& r : Values(ListPath)) {
        if (r.Data.size() > 260) break;
        std::string text = TextOf(r);
        if (text.size() > 259) text.resize(259);
        expected.emplace_back(text.begin(), text.end());
    }
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), expected);
}

// A stored Speed outside 1..5 is brought to the nearer end as it loads, so
// every run builds its entries with a sound speed.
TEST_F(TextSettingsTest, SpeedIsBroughtIntoRangeAsItLoads)
{
    const struct {
        DWORD Stored;
        int32_t Used;
    } cases[] = {{0, 1}, {4, 4}, {9, 5}};
    for (const auto& c : cases) {
        ASSERT_TRUE(PutDword(TestKeyPath, "Speed", c.Stored));
        s.LoadFromRegistry();
        EXPECT_EQ(s.Speed, c.Used) << c.Stored;
    }
}

TEST_F(TextSettingsTest, AddTextDropsEmptyTextsAndSurvivesOutOfMemory)
{
    s.LoadFromRegistry();
    EXPECT_FALSE(s.AddText(""));
    EXPECT_FALSE(s.AddText(nullptr));
    EXPECT_EQ(s.List.EntryCount, 0);
    ASSERT_TRUE(s.AddText("kept"));
    PlanFailure(FailurePoint::Memory, 1, true);
    EXPECT_FALSE(s.AddText("lost"));
    ClearFailurePlan();
    EXPECT_EQ(Texts(s), std::vector<std::wstring>{L"kept"});
    EXPECT_EQ(s.List.EntryCount, 1);
}

TEST_F(TextSettingsTest, JapaneseTextRoundTripsUnderCodePage932)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    ASSERT_TRUE(PutValue(ListPath, "1", REG_SZ, Glyra2DefaultTexts[3]));
    ASSERT_TRUE(PutValue(ListPath, "2", REG_SZ, Glyra2DefaultTexts[5]));
    ASSERT_TRUE(PutValue(TestKeyPath, "FontName", REG_SZ, DefaultFontName));
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), (std::vector<std::wstring>{L"光陰矢の如し", L"士別れて三日なれば、即ちまさに刮目して相待つべし。"}));
    EXPECT_STREQ(s.FontName, DefaultFontName);
    ASSERT_TRUE(s.SaveToRegistry());
    const std::vector<RawValue> saved = Values(ListPath);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(TextOf(saved[0]), Glyra2DefaultTexts[3]);
    EXPECT_EQ(TextOf(saved[1]), Glyra2DefaultTexts[5]);
    EXPECT_LE(saved[0].Data.size(), std::strlen(Glyra2DefaultTexts[3]) + 1);
}

// Two-byte characters are never split: 130 of them (260 bytes) load as 129,
// and a text too long for the saving buffer is saved cut after its last
// whole character.
TEST_F(TextSettingsTest, JapaneseTextsAreCutOnCharacterBoundaries)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    std::string hiragana;
    for (int i = 0; i < 130; ++i) hiragana += "\x82\xa0";  // あ
    ASSERT_TRUE(PutValue(ListPath, "1", REG_BINARY, hiragana));
    s.LoadFromRegistry();
    ASSERT_EQ(Texts(s), std::vector<std::wstring>{std::wstring(129, L'あ')});
    s.ReleaseList();
    const std::wstring wide(200, L'あ');
    TextChar* text = s.List.AllocateText(200);
    ASSERT_NE(text, nullptr);
    std::memcpy(text, wide.c_str(), 201 * sizeof(TextChar));
    ASSERT_TRUE(s.List.Append(text, 200, s.Speed, NoEntryState));
    ASSERT_TRUE(s.SaveToRegistry());
    const std::vector<RawValue> saved = Values(ListPath);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(TextOf(saved[0]), hiragana.substr(0, 258));
}

TEST_F(TextSettingsTest, LatinTextRoundTripsUnderTheDefaultCodePage)
{
    REQUIRE_ANSI_CODE_PAGE(1252u);
    const std::string latin = "\xc7" "a d\xe9j\xe0 vu, na\xefve caf\xe9 \xbb";
    ASSERT_TRUE(PutValue(ListPath, "1", REG_SZ, latin));
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), std::vector<std::wstring>{L"Ça déjà vu, naïve café »"});
    ASSERT_TRUE(s.SaveToRegistry());
    const std::vector<RawValue> saved = Values(ListPath);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(TextOf(saved[0]), latin);
}

TEST(TextToAnsi, CutsToTheBufferAndAlwaysTerminates)
{
    const std::wstring text(300, L'x');
    for (int32_t size : {1, 2, 3, 259, 260, 301, 302}) {
        std::vector<char> buffer(static_cast<size_t>(size) + 8, '\x7f');
        const int32_t got = TextToAnsi(text.c_str(), 300, buffer.data(), size);
        const int32_t expected = size - 1 < 300 ? size - 1 : 300;
        EXPECT_EQ(got, expected) << size;
        EXPECT_EQ(buffer[static_cast<size_t>(got)], '\0') << size;
        EXPECT_EQ(buffer[static_cast<size_t>(size)], '\x7f') << size;  // nothing past the buffer
    }
    // A surrogate pair is kept whole or dropped whole.
    const std::wstring pair = L"ab\xd83d\xde00";
    char small[4];
    EXPECT_EQ(TextToAnsi(pair.c_str(), 4, small, 4), 2);
    EXPECT_STREQ(small, "ab");
}

} // namespace

// Run under code pages 932 and 1252: the built-in default face is asked for
// by its Japanese name on any system; a stored face is read in the system's
// code page.
TEST(SaverFont, FaceNamesReadRightUnderAnyCodePage)
{
    const struct {
        const char* stored;
        const wchar_t* asked;
    } cases[] = {
        {DefaultFontName, L"ＭＳ Ｐ明朝"},
        {"Arial", L"Arial"},
        {"", L""},
    };
    GdiCanvas canvas(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        wchar_t face[LF_FACESIZE];
        FaceNameToWide(c.stored, face);
        CanvasFont* font = canvas.MakeFont(face, 20, true, true);
        ASSERT_NE(font, nullptr);
        LOGFONTW made{};
        ASSERT_TRUE(GetObjectW(GdiFontHandle(font), sizeof made, &made));
        EXPECT_STREQ(made.lfFaceName, c.asked);
        EXPECT_EQ(made.lfHeight, 20);
        EXPECT_EQ(made.lfWeight, FW_BOLD);
        EXPECT_TRUE(made.lfItalic);
        EXPECT_EQ(made.lfQuality, NONANTIALIASED_QUALITY) << "a black redraw must remove every glyph pixel";
        delete font;
    }
}
