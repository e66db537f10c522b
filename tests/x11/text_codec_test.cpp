// Text between UTF-8, code page 932 and the savers' UTF-16.
#include <gtest/gtest.h>

#include <string>

#include "text_codec.h"

namespace {

struct Utf8Case {
    const char* Bytes;
    std::u16string Units;  // empty: refused
};

TEST(TextCodecTest, Utf8ToUtf16)
{
    const Utf8Case cases[] = {
        {"A", u"A"},
        {"\xE3\x81\x82", u"\u3042"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xC0\x80", u""},          // overlong
        {"\xED\xA0\x80", u""},      // a surrogate
        {"\xE3\x81", u""},          // cut short
        {"\xF4\x90\x80\x80", u""},  // past U+10FFFF
        {"\x80", u""},
    };
    for (const Utf8Case& k : cases) {
        TextChar out[8];
        const int32_t n = Utf8ToUtf16(k.Bytes, std::char_traits<char>::length(k.Bytes), out, 8);
        if (k.Units.empty()) {
            EXPECT_EQ(n, -1) << k.Bytes;
        } else {
            EXPECT_EQ(std::u16string(out, static_cast<size_t>(n)), k.Units);
        }
    }
    TextChar one[1];
    EXPECT_EQ(Utf8ToUtf16("ab", 2, one, 1), -1) << "more than fits";
}

TEST(TextCodecTest, Utf16ToUtf8)
{
    char out[16];
    ASSERT_TRUE(Utf16ToUtf8(u"A\u3042\U0001F600", out, sizeof out));
    EXPECT_STREQ(out, "A\xE3\x81\x82\xF0\x9F\x98\x80");
    const TextChar lone[] = {0xD800, u'x', 0};
    ASSERT_TRUE(Utf16ToUtf8(lone, out, sizeof out));
    EXPECT_STREQ(out, "\xEF\xBF\xBDx");
    char small[4];
    EXPECT_FALSE(Utf16ToUtf8(u"\u3042\u3042", small, sizeof small));
    EXPECT_STREQ(small, "");
}

TEST(TextCodecTest, BuiltInStringsDecodeFromCodePage932)
{
    TextList list;
    // 少年老い易く、学成り難し and ＭＳ Ｐ明朝 (the space one ASCII byte).
    const char* youth = "\x8f\xad\x94N\x98V\x82\xa2\x88\xd5\x82\xad\x81" "A\x8aw\x90\xac\x82\xe8\x93\xef\x82\xb5";
    ASSERT_TRUE(AddCp932Text(list, youth, 0, NoEntryState));
    ASSERT_TRUE(AddCp932Text(list, "\x82l\x82r \x82o\x96\xbe\x92\xa9", 0, NoEntryState));
    EXPECT_FALSE(AddCp932Text(list, "", 0, NoEntryState));
    EXPECT_EQ(std::u16string(list.Head->Text.get()), u"少年老い易く、学成り難し");
    EXPECT_EQ(std::u16string(list.Tail->Text.get()), u"ＭＳ Ｐ明朝");
    EXPECT_EQ(list.EntryCount, 2);
}

} // namespace
