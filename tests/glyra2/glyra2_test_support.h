// Glyra2's wine tests: the program's key, cleared around every test, the
// one settings object freed of its texts, and instances of the saver.
#pragma once

#include <gtest/gtest.h>

#include "glyra2_run.h"
#include "saver_instance_run.h"

inline constexpr char Glyra2Key[] = "Software\\Zamvel\\Glyra2";
inline constexpr char Glyra2ListKey[] = "Software\\Zamvel\\Glyra2\\List";

using Glyra2InstanceRun = InstanceRun<Glyra2Run>;

// The run's font table for the settings' face, as OnCreate makes it.
bool MakeFonts(Glyra2InstanceRun& run);

// A full-screen window of 1024 x 768, the first of the run unless index
// says otherwise.
SaverView Glyra2View(int32_t index = 0);

class Glyra2Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
