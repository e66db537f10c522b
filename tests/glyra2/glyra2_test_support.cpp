#include "glyra2_test_support.h"

#include <cstdlib>

#include "glyra2_saver.h"
#include "saver_hooks.h"
#include "win_test_support.h"

void Glyra2Test::SetUp()
{
    Release();
    DeleteRegistryTree(Glyra2Key);
}

void Glyra2Test::TearDown()
{
    QueryClose(nullptr);
    Release();
    Glyra2().List.Allocate = std::malloc;
    DeleteRegistryTree(Glyra2Key);
}
