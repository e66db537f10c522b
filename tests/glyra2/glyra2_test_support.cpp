#include "glyra2_test_support.h"

#include "win_test_support.h"

SaverView Glyra2View(int32_t index) { return RunView(1024, 768, index); }

void Glyra2Test::SetUp()
{
    Glyra2().ReleaseList();
    DeleteRegistryTree(Glyra2Key);
}

void Glyra2Test::TearDown()
{
    Glyra2().ReleaseList();
    DeleteRegistryTree(Glyra2Key);
}
