#include "dialog_language.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "dialog_driver.h"
#include "resource_reader.h"

WORD ShownDialogLanguage()
{
    const LANGID ui = GetUserDefaultUILanguage();
    if (const char* want = std::getenv("ZAMVEL_EXPECT_UI_LANGUAGE")) {
        EXPECT_EQ(ui, static_cast<LANGID>(std::atoi(want))) << "the UI language this run was made for";
    }
    return PRIMARYLANGID(ui) == LANG_JAPANESE ? JapaneseLanguage : EnglishLanguage;
}

const char16_t* ShownForm(const UiText& text)
{
    return ShownDialogLanguage() == JapaneseLanguage ? text.Japanese : text.English;
}

std::string ShownUtf8(const UiText& text)
{
    char out[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(ShownForm(text)), -1, out, sizeof out, nullptr,
                        nullptr);
    return out;
}

void ExpectShowsItsTemplate(HWND dialog, WORD id)
{
    const WORD language = ShownDialogLanguage();
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(id, t, language)) << "no dialog " << id << " in language " << language;
    EXPECT_EQ(DialogDriver::WideText(dialog), t.Caption) << "caption";
    size_t i = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++i) {
        if (i >= t.Controls.size()) continue;
        const DialogControl& want = t.Controls[i];
        // A static's -1 is 0xFFFF in a classic template, 0xFFFFFFFF in an extended one.
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(c)), static_cast<WORD>(want.Id)) << "control " << i;
        if (!want.Text.empty()) {
            EXPECT_EQ(DialogDriver::WideText(c), want.Text) << "control " << i << " (id " << want.Id << ")";
        }
    }
    EXPECT_EQ(i, t.Controls.size()) << "controls shown, of the " << language << " template's";
}
