// A "Setting" dialog of fields alone (Orbel's, Worms'), made from the
// program's own resources and driven in-process: what it shows, what its OK
// refuses with the schema's messages (in the dialog's language), stores, or
// tells the user it could not store. Built once per program, so each
// program's fields and schema are walked.
#include "dialog_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog_driver.h"
#include "dialog_language.h"
#include "failure_points.h"
#include "saver_hooks.h"
#include "table_saver.h"
#include "win_test_support.h"

namespace {

std::string KeyPath() { return std::string("Software\\Zamvel\\") + ProgramSaver.Name; }

const SettingSpec& SpecOf(const DialogField& f) { return ProgramWindows.Table.Settings[f.Setting]; }

bool IsRadioGroup(const DialogField& f) { return f.LastControl > f.Control; }

// A stored DWORD as written, or "(none)".
std::string Stored(const char* name)
{
    DWORD value = 0;
    if (!GetDword(KeyPath(), name, value)) return "(none)";
    return std::to_string(static_cast<int32_t>(value));
}

class FieldsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearFailurePlan();
        DeleteRegistryTree(KeyPath().c_str());
    }
    void TearDown() override
    {
        driver.Close();
        ClearFailurePlan();
        DeleteRegistryTree(KeyPath().c_str());
    }
    // Loads what the registry holds, as Configure does, and opens the dialog.
    void Open()
    {
        ProgramSettings().LoadFromRegistry();
        ASSERT_TRUE(driver.Open(ProgramWindows.DialogId, ProgramWindows.Procedure)) << "needs a display";
        dialog = driver.Window();
    }
    // Every field at a valid value: its default; radio buttons at their last.
    void TypeValid()
    {
        for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i) {
            const DialogField& f = ProgramWindows.Fields[i];
            if (IsRadioGroup(f))
                CheckRadioButton(dialog, f.Control, f.LastControl, f.LastControl);
            else
                driver.SetText(f.Control, std::to_string(SpecOf(f).Default));
        }
    }

    DialogDriver driver;
    HWND dialog = nullptr;
};

TEST_F(FieldsDialogTest, OpensWithTheDefaultsAndTheFocusOnTheFirstField)
{
    Open();
    for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i) {
        const DialogField& f = ProgramWindows.Fields[i];
        SCOPED_TRACE(SpecOf(f).Name);
        if (IsRadioGroup(f))
            EXPECT_EQ(IsDlgButtonChecked(dialog, f.Control + SpecOf(f).Default - SpecOf(f).Min), BST_CHECKED);
        else
            EXPECT_EQ(driver.Text(f.Control), std::to_string(SpecOf(f).Default));
    }
    EXPECT_EQ(GetFocus(), driver.Item(ProgramWindows.Fields[0].Control));
}

// Empty and non-numbers read 0; 2^31 and up read negative; beyond 32 bits
// reads 0: each is refused with its setting's message, the program's name
// as caption, and the focus on the field; nothing is written. With every
// field at fault the first in schema order speaks. Run under code pages 932
// and 1252, and under English and German UI languages: the messages come in
// the dialog's language and read right in each.
TEST_F(FieldsDialogTest, OkRefusesANumberBelowItsBound)
{
    Open();
    const DialogField* first = nullptr;
    for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i) {
        const DialogField& f = ProgramWindows.Fields[i];
        if (!SpecOf(f).Refusal.Japanese) continue;
        if (!first || f.Setting < first->Setting) first = &f;
        for (const char* typed : {"0", "", "abc", "2147483648", "4294967295", "99999999999"}) {
            SCOPED_TRACE(std::string(SpecOf(f).Name) + " '" + typed + "'");
            TypeValid();
            driver.SetText(f.Control, typed);
            MessageBoxCatcher boxes;
            driver.Press(IDOK);
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].Caption, ProgramSaver.Name);
            EXPECT_EQ(boxes.Boxes()[0].Text, ShownUtf8(SpecOf(f).Refusal));
            EXPECT_EQ(GetFocus(), driver.Item(f.Control));
            EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
            EXPECT_FALSE(KeyExists(KeyPath()));
        }
    }
    ASSERT_NE(first, nullptr);
    for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i)
        if (!IsRadioGroup(ProgramWindows.Fields[i])) driver.SetText(ProgramWindows.Fields[i].Control, "0");
    MessageBoxCatcher boxes;
    driver.Press(IDOK);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, ShownUtf8(SpecOf(*first).Refusal));
    // A Cancel after the refusals writes nothing either.
    driver.Press(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_FALSE(KeyExists(KeyPath()));
}

// Numbers are stored as typed, the bound above included: loading brings
// them into bounds. The checked radio button stores its choice.
TEST_F(FieldsDialogTest, OkStoresTheFieldsAsTyped)
{
    for (const char* typed : {"1", "2147483647"}) {
        SCOPED_TRACE(typed);
        Open();
        TypeValid();
        for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i)
            if (!IsRadioGroup(ProgramWindows.Fields[i])) driver.SetText(ProgramWindows.Fields[i].Control, typed);
        MessageBoxCatcher boxes;
        driver.Press(IDOK);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_FALSE(IsWindowVisible(dialog)) << "OK ends the dialog";
        for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i) {
            const DialogField& f = ProgramWindows.Fields[i];
            EXPECT_EQ(Stored(SpecOf(f).Name), IsRadioGroup(f) ? std::to_string(SpecOf(f).Max) : typed);
        }
        driver.Close();
    }
}

// Each registry call of OK's save refused in turn: the user is told, with
// the program's name as caption, the dialog stays open, and the key and the
// settings are as they were; or the refused call did not matter and
// everything is saved. Cleared, the next OK saves.
TEST_F(FieldsDialogTest, AFailedSaveIsToldAndChangesNothing)
{
    const DialogField& field = ProgramWindows.Fields[0];
    const std::string edited = std::to_string(SpecOf(field).Default + 1);
    auto edit = [&] {
        Open();
        driver.SetText(field.Control, edited);
    };
    // The save's calls, counted on a key that holds one value.
    PutDword(KeyPath(), SpecOf(field).Name, static_cast<DWORD>(SpecOf(field).Min));
    edit();
    PlanFailure(FailurePoint::Registry, 0);
    driver.Press(IDOK);
    const int32_t calls = FailurePointRequests(FailurePoint::Registry);
    ASSERT_GT(calls, 2);
    for (bool keyThere : {true, false})
        for (int32_t nth = 1; nth <= calls; ++nth) {
            SCOPED_TRACE(testing::Message() << "call " << nth << (keyThere ? "" : ", no key before"));
            DeleteRegistryTree(KeyPath().c_str());
            if (keyThere) PutDword(KeyPath(), SpecOf(field).Name, static_cast<DWORD>(SpecOf(field).Min));
            const std::string before = ExportKey(KeyPath());
            edit();
            const int32_t held = ProgramSettings().Values.Numbers[field.Setting];
            MessageBoxCatcher boxes;
            PlanFailure(FailurePoint::Registry, nth);
            driver.Press(IDOK);
            ClearFailurePlan();
            if (boxes.Boxes().empty()) {
                EXPECT_EQ(Stored(SpecOf(field).Name), edited) << "saved whole";
                continue;
            }
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].Caption, ProgramSaver.Name);
            EXPECT_EQ(boxes.Boxes()[0].Text, ShownUtf8(SaveFailedText));
            EXPECT_TRUE(IsWindowVisible(dialog)) << "the user may try again";
            EXPECT_EQ(ExportKey(KeyPath()), before);
            EXPECT_EQ(KeyExists(KeyPath()), keyThere);
            EXPECT_EQ(ProgramSettings().Values.Numbers[field.Setting], held);
            driver.Press(IDOK);
            EXPECT_FALSE(IsWindowVisible(dialog)) << "tried again, OK saves";
            EXPECT_EQ(Stored(SpecOf(field).Name), edited);
        }
}

TEST_F(FieldsDialogTest, CancelWritesNothing)
{
    Open();
    TypeValid();
    driver.Press(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_FALSE(KeyExists(KeyPath()));
}

} // namespace
