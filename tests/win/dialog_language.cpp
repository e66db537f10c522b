#include "dialog_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "resource_reader.h"

namespace {

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::string Utf8(const std::wstring& text)
{
    std::string out(4 * text.size() + 1, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(),
                                                       static_cast<int>(out.size()), nullptr, nullptr)) - 1);
    return out;
}

} // namespace

WORD ShownDialogLanguage()
{
    const LANGID ui = GetUserDefaultUILanguage();
    if (const char* want = std::getenv("ZAMVEL_EXPECT_UI_LANGUAGE")) {
        EXPECT_EQ(ui, static_cast<LANGID>(std::atoi(want))) << "the UI language this run was made for";
    }
    return PRIMARYLANGID(ui) == LANG_JAPANESE ? JapaneseLanguage : EnglishLanguage;
}

void ExpectShowsItsTemplate(HWND dialog, WORD id)
{
    const WORD language = ShownDialogLanguage();
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(id, t, language)) << "no dialog " << id << " in language " << language;
    EXPECT_EQ(Utf8(TextOf(dialog)), Utf8(t.Caption)) << "caption";
    size_t i = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++i) {
        if (i >= t.Controls.size()) continue;
        const DialogControl& want = t.Controls[i];
        // A static's -1 is 0xFFFF in a classic template, 0xFFFFFFFF in an extended one.
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(c)), static_cast<WORD>(want.Id)) << "control " << i;
        if (!want.Text.empty()) {
            EXPECT_EQ(Utf8(TextOf(c)), Utf8(want.Text)) << "control " << i << " (id " << want.Id << ")";
        }
    }
    EXPECT_EQ(i, t.Controls.size()) << "controls shown, of the " << language << " template's";
}
