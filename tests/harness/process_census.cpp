#include "process_census.h"

#include <windows.h>
#include <psapi.h>

uint64_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m))
        return 0;
    return m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage;
}

uint32_t LiveGdiObjects()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted) return counted;
    uint32_t live = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++live;
    return live;
}

bool GdiCountWorks()
{
    const uint32_t before = LiveGdiObjects();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    if (!brush) return false;
    const uint32_t with = LiveGdiObjects();
    DeleteObject(brush);
    return with == before + 1 && LiveGdiObjects() == before;
}
