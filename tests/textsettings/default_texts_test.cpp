#include "default_texts.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

namespace {

// The bytes decoded from code page 932, as UTF-8; "" when they do not decode.
std::string FromCodePage932(const char* bytes)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "";
    std::string in(bytes);
    std::string out(in.size() * 4 + 4, '\0');
    char* src = in.data();
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || srcLeft != 0) return "";
    out.resize(out.size() - dstLeft);
    return out;
}

TEST(DefaultTexts, Glyra2sSixStringsInOrder)
{
    const char* expected[] = {
        "Tutte le strade portano a Roma.",
        "The Eyes of Truth.",
        "少年老い易く、学成り難し",
        "光陰矢の如し",
        "汝自身を知れ",
        "士別れて三日なれば、即ちまさに刮目して相待つべし。",
    };
    for (int i = 0; i < Glyra2DefaultTextCount; ++i) EXPECT_EQ(FromCodePage932(Glyra2DefaultTexts[i]), expected[i]) << i;
}

TEST(DefaultTexts, GlyrasSevenStringsInOrder)
{
    const char* expected[] = {
        "Tutte le strade portano a Roma.",
        "The Eyes of Truth.",
        "少年老い易く、学成り難し",
        "光陰矢の如し",
        "祇園精舎の鐘の音、諸行無常の響きあり。沙羅双樹の花の色、盛者必衰の理をあらはす。"
        "奢れる者も久しからず、ただ春の世の夢の如し。猛き者もつひには滅びぬ、ひとへに風の前の塵に同じ。",
        "進むことを畏れるものに明日は訪れない。",
        "汝自身を知れ",
    };
    for (int i = 0; i < GlyraDefaultTextCount; ++i)
        EXPECT_EQ(FromCodePage932(GlyraDefaultTexts[i].Bytes), expected[i]) << i;
}

TEST(DefaultTexts, FaceNameAndSpeedLabels)
{
    EXPECT_EQ(FromCodePage932(DefaultFontName), "ＭＳ Ｐ明朝");  // the space is one ASCII byte
    const char* glyra2[] = {"高速", "速い", "ふつう", "遅い", "ゆっくり"};
    const char* glyra[] = {"高速", "急いで", "ふつう", "ゆっくり", "そっと"};
    for (int k = 0; k < SpeedLabelCount; ++k) {
        EXPECT_EQ(FromCodePage932(Glyra2SpeedLabels[k]), glyra2[k]) << k;
        EXPECT_EQ(FromCodePage932(GlyraSpeedLabels[k]), glyra[k]) << k;
    }
}

} // namespace
