// Glyra's wine tests: settings written to the program's key, cleared around
// every test, and instances of the saver.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "glyra_run.h"
#include "saver_instance_run.h"

extern const char GlyraKey[];

struct StoredSettings {
    std::vector<std::string> Texts;  // the "List" values, in order
    int32_t Speed = 3;
    int32_t FontSize = 32;
    int32_t Bold = 0;
    int32_t Italic = 0;
    const char* FontName = "DejaVu Sans";
};

// Replaces the program's key with these values.
void Store(const StoredSettings& s);

using GlyraInstanceRun = InstanceRun<GlyraRun>;

// A full-screen window of 1024 x 768, the first of the run unless index
// says otherwise.
SaverView GlyraView(int32_t index = 0);

// The key cleared and the settings' texts freed around every test.
class GlyraTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
