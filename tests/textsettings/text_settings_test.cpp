// The settings of a text saver's schema against the real registry of the
// test prefix: the face and the string list in their registry form.
#include "table_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "entry_texts.h"
#include "failure_points.h"
#include "gdi_canvas.h"
#include "text_test_table.h"
#include "win_test_support.h"

namespace {

const char TestKeyPath[] = "Software\\Zamvel\\TextSettingsTest";
const std::string ListPath = std::string(TestKeyPath) + "\\List";

constexpr SaverTable Table = TextTestTable("TextSettingsTest");

// "ＭＳ Ｐ明朝" as the registry holds the default face.
const char DefaultFaceBytes[] = "\x82l\x82r \x82o\x96\xbe\x92\xa9";

std::vector<std::wstring> Texts(const TableSettings& s) { return EntryTexts(s.Values.Strings); }

bool AddText(TableSettings& s, const char* text) { return AddAnsiText(s.Values.Strings, text, CP_ACP, 0, NoEntryState); }

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
    TableSettings s{Table};
};

TEST_F(TextSettingsTest, FirstStartWithoutKeyTakesDefaultsAndWritesNothing)
{
    s.LoadFromRegistry();
    EXPECT_EQ(s.EraseBackground, 1);
    EXPECT_EQ(s.TimerInterval, 50u);
    EXPECT_EQ(s.Values.Numbers[TextSpeed], 3);
    EXPECT_STREQ(s.FaceName, DefaultFaceBytes);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(s.Values.Face)), L"ＭＳ Ｐ明朝");
    EXPECT_EQ(s.Values.Numbers[TextFontSize], 48);
    EXPECT_EQ(s.Values.Numbers[TextBold], 0);
    EXPECT_EQ(s.Values.Numbers[TextItalic], 0);
    EXPECT_EQ(s.Values.Strings.EntryCount, 0);
    EXPECT_EQ(s.Values.Strings.Head, nullptr);
    EXPECT_FALSE(KeyExists(TestKeyPath));
}

TEST_F(TextSettingsTest, LoadingCreatesOnlyTheEmptyListSubKey)
{
    ASSERT_TRUE(PutDword(TestKeyPath, "FontBold", 1));
    s.LoadFromRegistry();
    EXPECT_EQ(s.Values.Numbers[TextBold], 1);
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
    s.Values.Numbers[TextSpeed] = 5;
    s.SetFace("Courier New");
    s.Values.Numbers[TextFontSize] = 20;
    s.Values.Numbers[TextBold] = 1;
    s.Values.Numbers[TextItalic] = 1;
    ASSERT_TRUE(AddText(s, "abc"));
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
    s.Values.Strings.Reset();
    ASSERT_TRUE(AddText(s, "only"));
    ASSERT_TRUE(s.SaveToRegistry());
    EXPECT_EQ(Names(Values(ListPath)), std::vector<std::string>{"1"});
    EXPECT_TRUE(SubKeys(ListPath).empty());
}

TEST_F(TextSettingsTest, AnEmptyListIsSavedAsAnEmptySubKey)
{
    ASSERT_TRUE(PutValue(ListPath, "1", REG_SZ, "old"));
    s.LoadFromRegistry();
    s.Values.Strings.Reset();
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
    EXPECT_EQ(s.Values.Strings.EntryCount, 5);
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

TEST_F(TextSettingsTest, JapaneseTextRoundTripsUnderCodePage932)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    const char* arrow = "\x8c\xf5\x89" "A\x96\xee\x82\xcc\x94@\x82\xb5";  // 光陰矢の如し
    const char* eyes = "\x93\xf0\x8e\xa9\x90g\x82\xf0\x92m\x82\xea";  // 汝自身を知れ
    ASSERT_TRUE(PutValue(ListPath, "1", REG_SZ, arrow));
    ASSERT_TRUE(PutValue(ListPath, "2", REG_SZ, eyes));
    ASSERT_TRUE(PutValue(TestKeyPath, "FontName", REG_SZ, DefaultFaceBytes));
    s.LoadFromRegistry();
    EXPECT_EQ(Texts(s), (std::vector<std::wstring>{L"光陰矢の如し", L"汝自身を知れ"}));
    EXPECT_STREQ(s.FaceName, DefaultFaceBytes);
    ASSERT_TRUE(s.SaveToRegistry());
    const std::vector<RawValue> saved = Values(ListPath);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(TextOf(saved[0]), arrow);
    EXPECT_EQ(TextOf(saved[1]), eyes);
    EXPECT_LE(saved[0].Data.size(), std::strlen(arrow) + 1);
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
    s.Values.Strings.Reset();
    const std::wstring wide(200, L'あ');
    TextChar* text = s.Values.Strings.AllocateText(200);
    ASSERT_NE(text, nullptr);
    std::memcpy(text, wide.c_str(), 201 * sizeof(TextChar));
    ASSERT_TRUE(s.Values.Strings.Append(text, 200, 0, NoEntryState));
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
        {DefaultFaceBytes, L"ＭＳ Ｐ明朝"},
        {"Arial", L"Arial"},
        {"", L""},
    };
    GdiCanvas canvas(nullptr);
    TableSettings s(Table);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        s.SetFace(c.stored);
        const std::unique_ptr<CanvasFont> font = canvas.MakeFont(s.Values.Face, 20, true, true);
        ASSERT_NE(font, nullptr);
        LOGFONTW made{};
        ASSERT_TRUE(GetObjectW(GdiFontHandle(font.get()), sizeof made, &made));
        EXPECT_STREQ(made.lfFaceName, c.asked);
        EXPECT_EQ(made.lfHeight, 20);
        EXPECT_EQ(made.lfWeight, FW_BOLD);
        EXPECT_TRUE(made.lfItalic);
        EXPECT_EQ(made.lfQuality, NONANTIALIASED_QUALITY) << "a black redraw must remove every glyph pixel";
    }
}
