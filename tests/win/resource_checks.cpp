#include "resource_checks.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

bool SameClass(const std::wstring& got, const std::wstring& want)
{
    if (!want.empty() && want[0] == L'#') return got == want;
    return _wcsicmp(PredefinedClassName(got).c_str(), want.c_str()) == 0;
}

} // namespace

void ExpectControls(const DialogTemplate& t, const DialogControl* expected, size_t count)
{
    ASSERT_EQ(t.Controls.size(), count);
    for (size_t i = 0; i < count; ++i) {
        const DialogControl& got = t.Controls[i];
        const DialogControl& want = expected[i];
        SCOPED_TRACE(testing::Message() << "control " << i << ", id " << want.Id);
        EXPECT_EQ(got.Id, want.Id);
        EXPECT_TRUE(SameClass(got.Class, want.Class)) << "class " << got.Class << " vs " << want.Class;
        EXPECT_EQ(got.Text, want.Text);
        EXPECT_EQ(got.X, want.X);
        EXPECT_EQ(got.Y, want.Y);
        EXPECT_EQ(got.Cx, want.Cx);
        EXPECT_EQ(got.Cy, want.Cy);
        EXPECT_EQ(got.Style, want.Style) << std::hex << got.Style << " vs " << want.Style;
        EXPECT_EQ(got.ExStyle, want.ExStyle);
        EXPECT_EQ(got.ExtraBytes, want.ExtraBytes) << "creation data";
    }
}

void ExpectVersionTexts(const VersionRecord& version, const VersionText* expected, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(version.String(expected[i].Name), expected[i].Value) << expected[i].Name;
}

void ExpectVersion1001InJapanese(const VersionRecord& version)
{
    const std::vector<WORD> translation = version.Translation();
    ASSERT_EQ(translation.size(), 2u);
    EXPECT_EQ(translation[0], 0x411);
    EXPECT_EQ(translation[1], 1200);
    const VS_FIXEDFILEINFO* fixed = version.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
}

void ExpectVersionNamesTheProgram(const wchar_t* program)
{
    const VersionRecord version;
    ASSERT_TRUE(version.Loaded());
    ExpectVersion1001InJapanese(version);
    EXPECT_EQ(version.String(L"FileVersion"), L"1, 0, 0, 1");
    EXPECT_EQ(version.String(L"ProductVersion"), L"1, 0, 0, 1");
    EXPECT_EQ(version.String(L"ProductName"), program);
    EXPECT_EQ(version.String(L"InternalName"), program);
    EXPECT_EQ(version.String(L"OriginalFilename"), std::wstring(program) + L".scr");
}
