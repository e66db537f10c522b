#include "text_rules.h"

int32_t WholeCharacterPrefix(const char* text, int32_t length, int32_t limit, IsLeadByteFn isLead)
{
    int32_t at = 0;
    while (at < length) {
        const bool pair = isLead && isLead(static_cast<unsigned char>(text[at])) && at + 1 < length;
        const int32_t next = at + (pair ? 2 : 1);
        if (next > limit) break;
        at = next;
    }
    return at;
}

int32_t ListTextLength(const char* data, uint32_t count, uint32_t capacity, IsLeadByteFn isLead)
{
    if (!data || capacity == 0) return 0;
    if (count > capacity) count = capacity;
    for (uint32_t i = 0; i < count; ++i)
        if (data[i] == '\0') return static_cast<int32_t>(i);
    if (count < capacity) return static_cast<int32_t>(count);
    return WholeCharacterPrefix(data, static_cast<int32_t>(count), static_cast<int32_t>(capacity) - 1,
                                isLead);
}
