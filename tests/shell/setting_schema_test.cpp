// The rules every platform applies to a saver's settings through its schema:
// what a number out of bounds becomes, what a text (an option, a URL
// parameter) reads as, the order settings are listed in.
#include "saver_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr SettingChoice Words[] = {{"clear", {}}, {"none", {}}, {"smear", {}}};
constexpr SettingChoice Steps[] = {{nullptr, {}}, {nullptr, {}}, {nullptr, {}}};

// One line of each kind and rule, as the savers' schemas use them.
constexpr SettingSpec Schema[] = {
    NumberSetting("Count", "count", 50, 1, 90).OutOfBounds(Beyond::Default, Beyond::Bound),
    ChoiceSetting("Type", "trail", 0, 0, Words).OutsideBecomes(1).ShownAt(1),
    ChoiceSetting("Speed", "speed", 2, 1, Steps).OutOfBounds(Beyond::Bound, Beyond::Bound),
    FlagSetting("Bold", "bold"),
    FaceSetting("Face", "font", u"Stored", u"Portable").ShownAt(-1),
};
constexpr SaverTable Table = {"Test", {}, false, false, 50, Schema, 5, nullptr, nullptr, nullptr, nullptr, nullptr};

TEST(SettingSchema, NumbersOutOfBoundsBecomeWhatTheSettingSays)
{
    const struct {
        int Setting;
        int32_t Given, Taken;
    } cases[] = {
        {0, INT_MIN, 50},  {0, 0, 50},       {0, 1, 1},       {0, 90, 90},        {0, 91, 90},     {0, INT_MAX, 90},
        {1, -1, 1},        {1, 0, 0},       {1, 2, 2},       {1, 3, 1},          {2, INT_MIN, 1}, {2, 0, 1},
        {2, 4, 3},         {3, 7, 7},       {3, INT_MIN, INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BoundedValue(Schema[c.Setting], c.Given), c.Taken) << Schema[c.Setting].Name << " " << c.Given;
}

TEST(SettingSchema, TextsReadAsNumbersWordsOrFlags)
{
    const struct {
        int Setting;
        const char* Text;
        TextReading Reading;
        int32_t Value;
    } cases[] = {
        {0, "60", TextReading::Taken, 60},       {0, " 7", TextReading::Taken, 7},
        {0, "0", TextReading::Bounded, 50},      {0, "99999", TextReading::Bounded, 90},
        {0, "12x", TextReading::NotANumber, 50}, {0, "", TextReading::NotANumber, 50},
        {0, "99999999999", TextReading::NotANumber, 50},
        {1, "smear", TextReading::Taken, 2},      {1, "Clear", TextReading::Taken, 0},
        {1, "2", TextReading::Bounded, 1},        {1, "blue", TextReading::Bounded, 1},
        {2, "3", TextReading::Taken, 3},          {2, "9", TextReading::Bounded, 3},
        {3, "YES", TextReading::Taken, 1},        {3, "off", TextReading::Taken, 0},
        {3, "maybe", TextReading::NotANumber, 0},
    };
    for (const auto& c : cases) {
        int32_t value = -12345;
        EXPECT_EQ(ReadSettingText(Schema[c.Setting], c.Text, value), c.Reading) << c.Text;
        EXPECT_EQ(value, c.Value) << c.Text;
    }
}

TEST(SettingSchema, DefaultsNamesAndTheOrderShown)
{
    SettingValues values;
    values.Numbers[0] = 9;
    DefaultValues(Table, values, true);
    EXPECT_EQ(values.Numbers[0], 50);
    EXPECT_EQ(values.Numbers[2], 2);
    EXPECT_EQ(std::u16string(values.Face), u"Portable");
    DefaultValues(Table, values, false);
    EXPECT_EQ(std::u16string(values.Face), u"Stored");

    EXPECT_EQ(SettingIndex(Table, "Bold"), 3);
    EXPECT_EQ(SettingIndex(Table, "bold"), -1);
    EXPECT_STREQ(ChoiceWord(Schema[1], 1), "none");
    EXPECT_EQ(ChoiceWord(Schema[1], 3), nullptr);

    int32_t order[MaxSettings];
    ASSERT_EQ(ShownOrder(Table, order), 5);
    EXPECT_EQ(std::vector<int32_t>(order, order + 5), (std::vector<int32_t>{4, 0, 2, 3, 1}));
}

} // namespace
