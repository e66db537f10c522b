// The text savers' "Setting" dialog, made from a program's own resources
// and driven in-process: modeless, with the messages its controls send.
// Built once per text saver, so each program's speed labels and version
// record are checked.
#include "settings_dialog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialog_fit.h"
#include "dialog_language.h"
#include "entry_texts.h"
#include "failure_points.h"
#include "resource_reader.h"
#include "saver_hooks.h"
#include "settings_dialog_ids.h"
#include "text_schema.h"
#include "win_test_support.h"

namespace {

std::string KeyPath() { return std::string("Software\\Zamvel\\") + ProgramSaver.Name; }
std::string ListPath() { return KeyPath() + "\\List"; }

std::vector<std::string> StoredList()
{
    std::vector<std::string> out;
    for (const RawValue& v : Values(ListPath())) out.push_back(v.Name + "=" + TextOf(v));
    return out;
}

std::string BoxLine(HWND box, int i)
{
    char text[1024] = "";
    SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> BoxLines(HWND box)
{
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) out.push_back(BoxLine(box, i));
    return out;
}

// The names the speed's drop-down list shows.
std::vector<std::u16string> SpeedNames(HWND dialog)
{
    HWND speed = GetDlgItem(dialog, IDC_SPEED_BOX);
    std::vector<std::u16string> names;
    const int n = static_cast<int>(SendMessageW(speed, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[32] = L"";
        SendMessageW(speed, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        names.emplace_back(reinterpret_cast<const char16_t*>(text));
    }
    return names;
}

// The Japanese button texts, the dialog's Japanese font and the program's
// own speed names as the user reads them.
void ExpectJapaneseTexts(HWND dialog)
{
    const struct {
        int Id;
        const wchar_t* Text;
    } buttons[] = {{IDC_NEW_BUTTON, L"新規(&N)"}, {IDC_UPDATE_BUTTON, L"更新(&U)"}, {IDC_DELETE_BUTTON, L"削除(&D)"},
                   {IDCANCEL, L"ｷｬﾝｾﾙ"}};
    for (const auto& b : buttons) EXPECT_EQ(DialogDriver::WideText(GetDlgItem(dialog, b.Id)), b.Text);
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font));
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");

    const std::vector<std::u16string> glyra2 = {u"高速", u"速い", u"ふつう", u"遅い", u"ゆっくり"};
    const std::vector<std::u16string> glyra = {u"高速", u"急いで", u"ふつう", u"ゆっくり", u"そっと"};
    EXPECT_EQ(SpeedNames(dialog), std::string(ProgramSaver.Name) == "Glyra2" ? glyra2 : glyra);
}

// The template of the UI language as the user reads it, the speed's names
// of the table in that language; in Japanese the button texts, the dialog's
// Japanese font and the program's own speed names. Each text shown whole in
// the dialog's font.
void ExpectTextsReadRightAndFit(HWND dialog)
{
    ExpectShowsItsTemplate(dialog, IDD_TEXT_SETTINGS);
    const SettingSpec& speed = ProgramWindows.Table.Settings[TextSpeed];
    std::vector<std::u16string> names;
    for (int32_t v = speed.Min; v <= speed.Max; ++v) names.emplace_back(ShownForm(speed.Choices[v - speed.Min].Label));
    EXPECT_EQ(SpeedNames(dialog), names);
    if (ShownDialogLanguage() == JapaneseLanguage) ExpectJapaneseTexts(dialog);
    ExpectEveryTextFits(dialog);
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramSettings().Values.Strings.Reset();
        DeleteRegistryTree(KeyPath().c_str());
    }
    void TearDown() override
    {
        driver.Close();
        ProgramSettings().Values.Strings.Reset();
        DeleteRegistryTree(KeyPath().c_str());
    }
    // Loads what the registry holds, as Configure does, and opens the dialog.
    void Open()
    {
        ProgramSettings().LoadFromRegistry();
        ASSERT_TRUE(driver.Open(IDD_TEXT_SETTINGS, SettingsDialogProc));
        dialog = driver.Window();
        list = driver.Item(IDC_STRING_LIST);
        edit = driver.Item(IDC_TEXT_EDIT);
        fonts = driver.Item(IDC_FONT_LIST);
        speed = driver.Item(IDC_SPEED_BOX);
        PumpMessages(10);
    }
    void Close()
    {
        driver.Close();
        dialog = nullptr;
    }
    void OpenWithList(const std::vector<std::string>& texts)
    {
        for (size_t i = 0; i < texts.size(); ++i) PutValue(ListPath(), std::to_string(i + 1), REG_SZ, texts[i]);
        Open();
    }
    void Press(int id) { driver.Press(id); }
    // A click on a line: the list box selects it and tells the dialog.
    void Select(int index)
    {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        driver.Notify(IDC_STRING_LIST, LBN_SELCHANGE);
    }
    void Type(const std::string& text) { driver.SetText(IDC_TEXT_EDIT, text); }
    std::string Edit() const { return driver.Text(IDC_TEXT_EDIT); }
    std::vector<std::string> Lines() const { return BoxLines(list); }
    int Selected() const { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }
    std::vector<std::string> FontLines() const { return BoxLines(fonts); }
    std::string SelectedFace() const
    {
        const int i = static_cast<int>(SendMessageA(fonts, LB_GETCURSEL, 0, 0));
        return i == LB_ERR ? "" : BoxLine(fonts, i);
    }

    DialogDriver driver;
    HWND dialog = nullptr;
    HWND list = nullptr, edit = nullptr, fonts = nullptr, speed = nullptr;
};

using Lines_ = std::vector<std::string>;

TEST_F(SettingsDialogTest, OpensFilledFromTheSettings)
{
    PutDword(KeyPath(), "Speed", 4);
    PutDword(KeyPath(), "FontSize", 20);
    PutDword(KeyPath(), "FontBold", 1);
    PutDword(KeyPath(), "FontItalic", 0);
    OpenWithList({"one", "two"});
    EXPECT_EQ(Lines(), (Lines_{"one", "two"}));
    EXPECT_EQ(Selected(), LB_ERR);
    EXPECT_EQ(Edit(), "");
    EXPECT_EQ(GetDlgItemInt(dialog, IDC_FONT_SIZE, nullptr, FALSE), 20u);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BOLD_CHECK), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ITALIC_CHECK), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(speed, CB_GETCURSEL, 0, 0), 3);
    // Every installed family, sorted: more than a handful under any prefix.
    EXPECT_GT(SendMessageA(fonts, LB_GETCOUNT, 0, 0), 3);
}

// Configure shows the list as stored: no built-in strings.
TEST_F(SettingsDialogTest, NoStoredListShowsAnEmptyList)
{
    Open();
    EXPECT_TRUE(Lines().empty());
}

TEST_F(SettingsDialogTest, UpdateWithoutSelectionAppends)
{
    OpenWithList({"one"});
    Type("two");
    Press(IDC_UPDATE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"one", "two"}));
    EXPECT_EQ(Selected(), LB_ERR);
    EXPECT_EQ(Edit(), "");
    // An empty edit field appends an empty line.
    Press(IDC_UPDATE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"one", "two", ""}));
}

TEST_F(SettingsDialogTest, SelectingALineCopiesItAndEditingAloneChangesNothing)
{
    OpenWithList({"one", "two", "three"});
    Select(1);
    EXPECT_EQ(Edit(), "two");
    Type("changed");
    Select(2);
    EXPECT_EQ(Edit(), "three");
    EXPECT_EQ(Lines(), (Lines_{"one", "two", "three"}));
}

// After Update on a selected line it stays selected with the edit empty,
// so a second Update replaces it with the empty text.
TEST_F(SettingsDialogTest, UpdateReplacesTheSelectedLineAndKeepsIt)
{
    OpenWithList({"one", "two", "three"});
    Select(1);
    Type("TWO");
    Press(IDC_UPDATE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"one", "TWO", "three"}));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Edit(), "");
    Press(IDC_UPDATE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"one", "", "three"}));
    EXPECT_EQ(Selected(), 1);
}

TEST_F(SettingsDialogTest, DeleteNeedsASelectionAndLeavesNone)
{
    OpenWithList({"one", "two", "three"});
    Type("kept");
    Press(IDC_DELETE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"one", "two", "three"}));
    EXPECT_EQ(Edit(), "kept");

    Select(0);
    Press(IDC_DELETE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"two", "three"}));
    EXPECT_EQ(Selected(), LB_ERR);
    EXPECT_EQ(Edit(), "");
    // So the next Update appends.
    Type("four");
    Press(IDC_UPDATE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"two", "three", "four"}));
}

TEST_F(SettingsDialogTest, NewClearsSelectionAndEditAndFocusesTheEdit)
{
    OpenWithList({"one", "two"});
    Select(0);
    Press(IDC_NEW_BUTTON);
    EXPECT_EQ(Selected(), LB_ERR);
    EXPECT_EQ(Edit(), "");
    EXPECT_EQ(GetFocus(), edit);
    Type("three");
    Press(IDC_UPDATE_BUTTON);
    EXPECT_EQ(Lines(), (Lines_{"one", "two", "three"}));
    EXPECT_EQ(GetFocus(), edit);
}

// Update keeps at most 259 bytes of the edit field, at every length near
// the edge.
TEST_F(SettingsDialogTest, UpdateCutsTextTo259Bytes)
{
    Open();
    for (size_t length : {1u, 258u, 259u, 260u, 261u, 300u, 1000u}) {
        SCOPED_TRACE(length);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        Type(std::string(length, 'x'));
        Press(IDC_UPDATE_BUTTON);
        ASSERT_EQ(Lines().size(), 1u);
        EXPECT_EQ(Lines()[0], std::string(length < 259 ? length : 259, 'x'));
    }
}

// Under code page 932 a two-byte character that would straddle byte 259
// is left out whole.
TEST_F(SettingsDialogTest, JapaneseTextIsCutAtACharacterBoundary)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    Open();
    const std::string a = "\x82\xa0";  // あ
    const struct {
        std::string Text;
        size_t Bytes;
    } cases[] = {
        {[&] { std::string s; for (int i = 0; i < 130; ++i) s += a; return s; }(), 258},
        {"x" + [&] { std::string s; for (int i = 0; i < 130; ++i) s += a; return s; }(), 259},
        {"xx" + [&] { std::string s; for (int i = 0; i < 130; ++i) s += a; return s; }(), 258},
    };
    for (const auto& c : cases) {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        Type(c.Text);
        Press(IDC_UPDATE_BUTTON);
        ASSERT_EQ(Lines().size(), 1u);
        EXPECT_EQ(Lines()[0], c.Text.substr(0, c.Bytes));
    }
}

// Japanese strings go from the registry into the list and back unchanged.
TEST_F(SettingsDialogTest, JapaneseLinesRoundTrip)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    const std::string text = "\x8c\xf5\x89" "A\x96\xee\x82\xcc\x94@\x82\xb5";  // 光陰矢の如し
    OpenWithList({text});
    EXPECT_EQ(Lines(), (Lines_{text}));
    Press(IDOK);
    EXPECT_EQ(StoredList(), (Lines_{"1=" + text}));
    EXPECT_EQ(EntryTexts(ProgramSettings().Values.Strings), (std::vector<std::wstring>{L"光陰矢の如し"}));
}

// OK rebuilds the list from the lines, dropping empty ones, and numbers
// the stored values from 1 without gaps.
TEST_F(SettingsDialogTest, OkStoresTheLinesWithoutEmptyOnes)
{
    OpenWithList({"one"});
    Press(IDC_UPDATE_BUTTON);  // an empty line
    Type("three");
    Press(IDC_UPDATE_BUTTON);
    ASSERT_EQ(Lines(), (Lines_{"one", "", "three"}));
    Press(IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(StoredList(), (Lines_{"1=one", "2=three"}));
    EXPECT_EQ(EntryTexts(ProgramSettings().Values.Strings), (std::vector<std::wstring>{L"one", L"three"}));
}

// An empty list is stored as an empty "List"; the next run shows the
// built-in strings again.
TEST_F(SettingsDialogTest, OkWithAnEmptyListStoresAnEmptyListAndTheDefaultsReturn)
{
    OpenWithList({"one", "two"});
    Select(0);
    Press(IDC_DELETE_BUTTON);
    Select(0);
    Press(IDC_DELETE_BUTTON);
    Press(IDOK);
    EXPECT_TRUE(KeyExists(ListPath()));
    EXPECT_TRUE(Values(ListPath()).empty());

    ProgramSettings().LoadFromRegistry();
    EXPECT_EQ(ProgramSettings().Values.Strings.EntryCount, 0);
}

// Memory running out for any one line's entry keeps the stored list whole:
// the old one stays, in memory and in the registry; the other values are
// saved.
TEST_F(SettingsDialogTest, OkWithoutMemoryForALineKeepsTheOldList)
{
    // Each line takes two allocations, its text and its entry.
    for (int granted : {0, 3, 5}) {
        SCOPED_TRACE("allocations granted: " + std::to_string(granted));
        DeleteRegistryTree(KeyPath().c_str());
        OpenWithList({"one", "two"});
        Type("three");
        Press(IDC_UPDATE_BUTTON);
        driver.SetText(IDC_FONT_SIZE, "77");
        PlanFailure(FailurePoint::Memory, granted + 1, true);
        Press(IDOK);
        ClearFailurePlan();
        EXPECT_EQ(StoredList(), (Lines_{"1=one", "2=two"}));
        EXPECT_EQ(EntryTexts(ProgramSettings().Values.Strings), (std::vector<std::wstring>{L"one", L"two"}));
        DWORD size = 0;
        EXPECT_TRUE(GetDword(KeyPath(), "FontSize", size) && size == 77);
        Close();
        ProgramSettings().Values.Strings.Reset();
    }
}

// Each registry call of OK's save refused in turn: the user is told, with
// the program's name as caption, the dialog stays open, and the key (the
// list included) and the settings are as they were; or the refused call
// did not matter and everything is saved. The next OK saves.
TEST_F(SettingsDialogTest, AFailedSaveIsToldAndChangesNothing)
{
    auto setUp = [&] {
        DeleteRegistryTree(KeyPath().c_str());
        PutDword(KeyPath(), "Speed", 2);
        PutValue(KeyPath(), "FontName", REG_SZ, "Tahoma");
        OpenWithList({"one", "two"});
        Type("three");
        Press(IDC_UPDATE_BUTTON);
        driver.SetText(IDC_FONT_SIZE, "77");
    };
    setUp();
    PlanFailure(FailurePoint::Registry, 0);
    Press(IDOK);
    const int32_t calls = FailurePointRequests(FailurePoint::Registry);
    ASSERT_GT(calls, 10);
    int told = 0;
    for (int32_t nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE(testing::Message() << "call " << nth);
        Close();
        setUp();
        // The key and the settings as the dialog found them.
        const std::string before = ExportKey(KeyPath());
        const std::vector<std::wstring> listBefore = EntryTexts(ProgramSettings().Values.Strings);
        const std::string faceBefore = ProgramSettings().FaceName;
        const int32_t sizeBefore = ProgramSettings().Values.Numbers[TextFontSize];
        MessageBoxCatcher boxes;
        PlanFailure(FailurePoint::Registry, nth);
        Press(IDOK);
        ClearFailurePlan();
        if (boxes.Boxes().empty()) {
            EXPECT_EQ(StoredList(), (Lines_{"1=one", "2=two", "3=three"})) << "saved whole";
            continue;
        }
        ++told;
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].Caption, ProgramSaver.Name);
        EXPECT_EQ(boxes.Boxes()[0].Text, ShownUtf8(SaveFailedText));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the user may try again";
        EXPECT_EQ(ExportKey(KeyPath()), before);
        EXPECT_EQ(EntryTexts(ProgramSettings().Values.Strings), listBefore);
        EXPECT_EQ(ProgramSettings().FaceName, faceBefore);
        EXPECT_EQ(ProgramSettings().Values.Numbers[TextFontSize], sizeBefore);
        Press(IDOK);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "tried again, OK saves";
        EXPECT_EQ(StoredList(), (Lines_{"1=one", "2=two", "3=three"}));
    }
    EXPECT_GT(told, calls / 2);
}

TEST_F(SettingsDialogTest, OkStoresFontSizeStylesAndSpeed)
{
    const struct {
        const char* Size;
        bool Bold, Italic;
        int SpeedIndex;
        DWORD StoredSize, StoredBold, StoredItalic, StoredSpeed;
    } cases[] = {
        {"17", true, false, 0, 17, 1, 0, 1},
        {"120", false, true, 4, 120, 0, 1, 5},
        {"", false, false, 2, 0, 0, 0, 3},  // an empty size stores 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Size);
        Open();
        SetDlgItemTextA(dialog, IDC_FONT_SIZE, c.Size);
        CheckDlgButton(dialog, IDC_BOLD_CHECK, c.Bold ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_ITALIC_CHECK, c.Italic ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(speed, CB_SETCURSEL, static_cast<WPARAM>(c.SpeedIndex), 0);
        Press(IDOK);
        DWORD got[4] = {};
        const char* names[4] = {"FontSize", "FontBold", "FontItalic", "Speed"};
        for (int i = 0; i < 4; ++i) {
            for (const RawValue& v : Values(KeyPath()))
                if (v.Name == names[i] && v.Type == REG_DWORD) got[i] = *reinterpret_cast<const DWORD*>(v.Data.data());
        }
        EXPECT_EQ(got[0], c.StoredSize);
        EXPECT_EQ(got[1], c.StoredBold);
        EXPECT_EQ(got[2], c.StoredItalic);
        EXPECT_EQ(got[3], c.StoredSpeed);
        Close();
    }
}

// The stored face selects the first family, in sorted order, that begins
// with it, without regard to case; OK then stores that family's name. A
// face no family begins with selects nothing, and OK keeps it.
TEST_F(SettingsDialogTest, StoredFaceSelectsTheFirstFamilyItBegins)
{
    // The families this prefix has: a name of some length, and the first
    // line beginning with a prefix of it.
    Open();
    const std::vector<std::string> families = FontLines();
    Close();
    std::string family;
    for (const std::string& f : families)
        if (f.size() >= 6 && f[0] != '@') {
            family = f;
            break;
        }
    ASSERT_FALSE(family.empty());
    const auto firstBeginning = [&](const std::string& prefix) {
        for (const std::string& f : families)
            if (f.size() >= prefix.size() && _strnicmp(f.c_str(), prefix.c_str(), prefix.size()) == 0) return f;
        return std::string();
    };
    std::string upper = family, lower = family.substr(0, 4);
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    const struct {
        std::string Stored, Selected, Saved;
    } cases[] = {
        {family, family, family},
        {upper, family, family},
        {lower, firstBeginning(lower), firstBeginning(lower)},
        {"No Such Face", "", "No Such Face"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        PutValue(KeyPath(), "FontName", REG_SZ, c.Stored);
        Open();
        EXPECT_EQ(SelectedFace(), c.Selected);
        Press(IDOK);
        std::string saved;
        for (const RawValue& v : Values(KeyPath()))
            if (v.Name == "FontName") saved = TextOf(v);
        EXPECT_EQ(saved, c.Saved);
        Close();
    }
}

// Each family is listed once, in sorted order.
TEST_F(SettingsDialogTest, FontListHoldsEachFamilyOnce)
{
    Open();
    const std::vector<std::string> families = FontLines();
    ASSERT_FALSE(families.empty());
    for (size_t i = 1; i < families.size(); ++i)
        EXPECT_LT(lstrcmpiA(families[i - 1].c_str(), families[i].c_str()), 0) << families[i];
}

// Cancel, Esc and the close box after edits of every kind: the registry
// and the list in memory stay exactly as they were.
TEST_F(SettingsDialogTest, CancelEscAndCloseBoxChangeNothing)
{
    enum Way { CancelButton, Escape, CloseBox };
    for (Way way : {CancelButton, Escape, CloseBox}) {
        SCOPED_TRACE(way);
        PutDword(KeyPath(), "Speed", 2);
        PutDword(KeyPath(), "FontSize", 24);
        PutValue(KeyPath(), "FontName", REG_SZ, "Tahoma");
        OpenWithList({"one", "two"});
        const std::string before = ExportKey(KeyPath());
        const std::vector<std::wstring> memoryBefore = EntryTexts(ProgramSettings().Values.Strings);

        Type("three");
        Press(IDC_UPDATE_BUTTON);
        Select(0);
        Press(IDC_DELETE_BUTTON);
        Select(0);
        Type("changed");
        Press(IDC_UPDATE_BUTTON);
        SetDlgItemTextA(dialog, IDC_FONT_SIZE, "99");
        CheckDlgButton(dialog, IDC_BOLD_CHECK, BST_CHECKED);
        SendMessageA(speed, CB_SETCURSEL, 4, 0);
        SendMessageA(fonts, LB_SETCURSEL, 0, 0);

        if (way == CancelButton) {
            Press(IDCANCEL);
        } else if (way == Escape) {
            MSG msg{edit, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
            IsDialogMessageA(dialog, &msg);
        } else {
            SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        PumpMessages(20);
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_EQ(ExportKey(KeyPath()), before);
        EXPECT_EQ(EntryTexts(ProgramSettings().Values.Strings), memoryBefore);
        Close();
        ProgramSettings().Values.Strings.Reset();
        DeleteRegistryTree(KeyPath().c_str());
    }
}

// Run under code pages 932 and 1252, and under English and German UI
// languages: the dialog as Configure shows it reads right and shows every
// text whole.
TEST_F(SettingsDialogTest, TextsReadRightAndFitTheirControls)
{
    ProgramSettings().LoadFromRegistry();
    static bool looked;
    looked = false;
    PressWhenShown(IDCANCEL, [](HWND dialog) {
        looked = true;
        ExpectTextsReadRightAndFit(dialog);
    });
    EXPECT_EQ(ProgramSaver.RunSettingsDialog(GetModuleHandleA(nullptr)), 0);
    EXPECT_TRUE(looked);
}

// The modal dialog as Configure shows it: 0 after Cancel with nothing
// written, 1 after OK with everything saved.
TEST_F(SettingsDialogTest, RunSettingsDialogAnswersZeroAfterCancelAndOneAfterOk)
{
    ProgramSettings().LoadFromRegistry();
    PressWhenShown(IDCANCEL);
    EXPECT_EQ(ProgramSaver.RunSettingsDialog(GetModuleHandleA(nullptr)), 0);
    EXPECT_FALSE(KeyExists(KeyPath()));

    PressWhenShown(IDOK);
    EXPECT_EQ(ProgramSaver.RunSettingsDialog(GetModuleHandleA(nullptr)), 1);
    EXPECT_TRUE(KeyExists(ListPath()));
    EXPECT_FALSE(Values(KeyPath()).empty());
}

// The program's file tells whose it is.
TEST(ProgramResources, VersionRecordNamesTheProgram)
{
    const VersionRecord version;
    ASSERT_TRUE(version.Loaded());
    const std::wstring name(ProgramSaver.Name, ProgramSaver.Name + std::strlen(ProgramSaver.Name));
    EXPECT_EQ(version.String(L"ProductName"), name);
    EXPECT_EQ(version.String(L"FileDescription").find(name + L" "), 0u);
}

} // namespace

