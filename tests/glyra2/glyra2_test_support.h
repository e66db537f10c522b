// Glyra2's wine tests: the program's key, cleared around every test, and
// the one settings object freed of its entries and fonts.
#pragma once

#include <gtest/gtest.h>

inline constexpr char Glyra2Key[] = "Software\\Zamvel\\Glyra2";
inline constexpr char Glyra2ListKey[] = "Software\\Zamvel\\Glyra2\\List";

class Glyra2Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
