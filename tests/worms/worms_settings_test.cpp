// Worms' settings in the real registry, and the "Setting" dialog created
// modeless from the program's own resource, driven in-process.
#include "resource.h"
#include "dialog_driver.h"
#include "win_test_support.h"
#include "worms_dialog.h"
#include "worms_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char KeyPath[] = "Software\\Zamvel\\Worms";

// The dialog's messages as the user reads them.
const std::string CountMessage = u8"ワームの数は１以上にして下さい";
const std::string LengthMessage = u8"ワームの長さは１以上にして下さい";

// A stored DWORD as written, or "(none)" / "(type n)" when it is not one.
std::string Stored(const char* name)
{
    RawValue raw;
    DWORD value = 0;
    if (!GetValue(KeyPath, name, raw)) return "(none)";
    if (!GetDword(KeyPath, name, value)) return "(type " + std::to_string(raw.Type) + ")";
    return std::to_string(static_cast<int32_t>(value));
}

class WormsRegistry : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegistryTree(KeyPath); }
    void TearDown() override { DeleteRegistryTree(KeyPath); }
    WormsSettings& settings = TheWormsSettings();
};

TEST_F(WormsRegistry, FirstStartTakesTheDefaultsAndWritesNothing)
{
    settings.EraseBackground = 1;
    settings.TimerInterval = 10;
    settings.LoadFromRegistry();
    EXPECT_EQ(settings.Type, 0);
    EXPECT_EQ(settings.WormsCnt, 100);
    EXPECT_EQ(settings.WormsLen, 10);
    EXPECT_EQ(settings.EraseBackground, 0) << "the worms draw over the unerased screen";
    EXPECT_EQ(settings.TimerInterval, 50u);
    EXPECT_FALSE(KeyExists(KeyPath));
}

TEST_F(WormsRegistry, StoredValuesOutOfRangeAreReplacedAtLoad)
{
    const DWORD None = 0xDEADBEEF;  // the value is not stored
    const struct {
        DWORD type, count, length;
        int32_t wantType, wantCount, wantLength;
    } cases[] = {
        {2, 250, 33, 2, 250, 33},
        {3, 1, 1, 1, 1, 1},  // Type out of range becomes 1, not the default 0
        {static_cast<DWORD>(-1), 0, static_cast<DWORD>(-2), 1, 100, 10},
        {None, 7, None, 0, 7, 10},
        {1, None, 5, 1, 100, 5},
        {0, MaxWormsCnt + 1, 1001, 0, MaxWormsCnt, 1000},  // cut to the upper bounds
        {0, 0x80000000u, 0xFFFFFFFFu, 0, 100, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored " << c.type << ", " << c.count << ", " << c.length);
        DeleteRegistryTree(KeyPath);
        if (c.type != None) {
            ASSERT_TRUE(PutDword(KeyPath, "Type", c.type));
        }
        if (c.count != None) {
            ASSERT_TRUE(PutDword(KeyPath, "WormsCnt", c.count));
        }
        if (c.length != None) {
            ASSERT_TRUE(PutDword(KeyPath, "WormsLen", c.length));
        }
        settings.LoadFromRegistry();
        EXPECT_EQ(settings.Type, c.wantType);
        EXPECT_EQ(settings.WormsCnt, c.wantCount);
        EXPECT_EQ(settings.WormsLen, c.wantLength);
        // Nothing is written back.
        EXPECT_EQ(Stored("Type"), c.type == None ? "(none)" : std::to_string(static_cast<int32_t>(c.type)));
    }
}

TEST_F(WormsRegistry, SaveWritesTheThreeValuesAsDwords)
{
    settings.Type = 2;
    settings.WormsCnt = 321;
    settings.WormsLen = 12;
    EXPECT_TRUE(settings.SaveToRegistry());
    EXPECT_EQ(Stored("Type"), "2");
    EXPECT_EQ(Stored("WormsCnt"), "321");
    EXPECT_EQ(Stored("WormsLen"), "12");
}

class WormsDialog : public WormsRegistry {
protected:
    void Open()
    {
        settings.LoadFromRegistry();
        ASSERT_TRUE(driver.Open(IDD_SETTING, WormsDialogProc)) << "needs a display";
        dialog = driver.Window();
    }
    void TearDown() override
    {
        driver.Close();
        WormsRegistry::TearDown();
    }
    void Type(int id, const char* text) { driver.SetText(id, text); }
    void Press(int id) { driver.Press(id); }
    int Checked() const
    {
        int checked = -1;
        for (int id = IDC_TRAIL_CLEAR; id <= IDC_TRAIL_SMEAR; ++id)
            if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) checked = id;
        return checked;
    }
    std::string Text(int id) const { return driver.Text(id); }

    DialogDriver driver;
    HWND dialog = nullptr;
};

TEST_F(WormsDialog, ShowsTheStoredValuesWithTheirRadioButton)
{
    const struct {
        DWORD storedType;
        int radio;
    } cases[] = {{0, IDC_TRAIL_CLEAR}, {1, IDC_TRAIL_NONE}, {2, IDC_TRAIL_SMEAR}, {3, IDC_TRAIL_NONE},
                 {static_cast<DWORD>(-1), IDC_TRAIL_NONE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored Type " << static_cast<int32_t>(c.storedType));
        ASSERT_TRUE(PutDword(KeyPath, "Type", c.storedType));
        ASSERT_TRUE(PutDword(KeyPath, "WormsCnt", 345));
        ASSERT_TRUE(PutDword(KeyPath, "WormsLen", 17));
        Open();
        EXPECT_EQ(Text(IDC_WORMS_CNT), "345");
        EXPECT_EQ(Text(IDC_WORMS_LEN), "17");
        EXPECT_EQ(Checked(), c.radio);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_WORMS_CNT));
        driver.Close();
        dialog = nullptr;
    }
}

TEST_F(WormsDialog, WithoutAKeyShowsTheDefaultsAndOkWritesThem)
{
    Open();
    EXPECT_EQ(Text(IDC_WORMS_CNT), "100");
    EXPECT_EQ(Text(IDC_WORMS_LEN), "10");
    EXPECT_EQ(Checked(), IDC_TRAIL_CLEAR);
    MessageBoxCatcher boxes;
    Press(IDOK);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(IsWindowVisible(dialog)) << "OK ends the dialog";
    EXPECT_EQ(Stored("Type"), "0");
    EXPECT_EQ(Stored("WormsCnt"), "100");
    EXPECT_EQ(Stored("WormsLen"), "10");
}

// The count is checked first; the user stays on the field at fault, and
// nothing is written. Run under code pages 932 and 1252: the message reads
// right in both.
TEST_F(WormsDialog, OkRefusesACountOrLengthBelowOne)
{
    const struct {
        const char *count, *length;
        const std::string* message;
        int focus;
    } cases[] = {
        {"0", "0", &CountMessage, IDC_WORMS_CNT},
        {"", "5", &CountMessage, IDC_WORMS_CNT},             // no number reads as 0
        {"4294967295", "5", &CountMessage, IDC_WORMS_CNT},   // comes back as -1
        {"5", "0", &LengthMessage, IDC_WORMS_LEN},
        {"5", "2147483648", &LengthMessage, IDC_WORMS_LEN},  // comes back negative
        {"5", "99999999999", &LengthMessage, IDC_WORMS_LEN}, // past 32 bits reads as 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "count '" << c.count << "' length '" << c.length << "'");
        Open();
        Type(IDC_WORMS_CNT, c.count);
        Type(IDC_WORMS_LEN, c.length);
        MessageBoxCatcher boxes;
        Press(IDOK);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].Caption, "Worms");
        EXPECT_EQ(boxes.Boxes()[0].Text, *c.message);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, c.focus));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
        EXPECT_FALSE(KeyExists(KeyPath));
        driver.Close();
        dialog = nullptr;
    }
}

TEST_F(WormsDialog, OkStoresValidValuesAndTheCheckedMode)
{
    Open();
    Type(IDC_WORMS_CNT, "250");
    Type(IDC_WORMS_LEN, "33");
    SendDlgItemMessageA(dialog, IDC_TRAIL_SMEAR, BM_CLICK, 0, 0);
    MessageBoxCatcher boxes;
    Press(IDOK);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(Stored("Type"), "2");
    EXPECT_EQ(Stored("WormsCnt"), "250");
    EXPECT_EQ(Stored("WormsLen"), "33");
}

TEST_F(WormsDialog, CancelAfterARefusedOkWritesNothing)
{
    Open();
    Type(IDC_WORMS_CNT, "0");
    {
        MessageBoxCatcher boxes;
        Press(IDOK);
        EXPECT_EQ(boxes.Boxes().size(), 1u);
    }
    Type(IDC_WORMS_CNT, "40");
    Press(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog)) << "Cancel ends the dialog";
    EXPECT_FALSE(KeyExists(KeyPath));
}

} // namespace
