#include "worms_values.h"

int32_t ValidType(int32_t stored)
{
    if (stored < TrailClear || stored > TrailSmear) return TrailNone;
    return stored;
}

int32_t ValidWormsCnt(int32_t stored)
{
    if (stored < 1) return DefaultWormsCnt;
    if (stored > MaxWormsCnt) return MaxWormsCnt;
    return stored;
}

int32_t ValidWormsLen(int32_t stored)
{
    if (stored < 1) return DefaultWormsLen;
    if (stored > MaxWormsLen) return MaxWormsLen;
    return stored;
}
