#include "glyph_cache.h"

#include <cstdlib>
#include <cstring>

namespace {

uint32_t KeyOf(int32_t font, TextChar ch) { return (static_cast<uint32_t>(font) << 16) | ch; }

size_t Hash(uint32_t key) { return (key * 2654435761u) >> 7; }

} // namespace

GlyphCache::~GlyphCache()
{
    Clear();
    std::free(slots_);
}

size_t GlyphCache::IndexOf(uint32_t key) const
{
    size_t i = Hash(key) & (capacity_ - 1);
    while (slots_[i].Value && slots_[i].Key != key) i = (i + 1) & (capacity_ - 1);
    return i;
}

const Glyph* GlyphCache::Find(int32_t font, TextChar ch) const
{
    if (!capacity_) return nullptr;
    return slots_[IndexOf(KeyOf(font, ch))].Value;
}

bool GlyphCache::Grow()
{
    const size_t capacity = capacity_ ? 2 * capacity_ : 1024;
    Slot* slots = static_cast<Slot*>(std::calloc(capacity, sizeof(Slot)));
    if (!slots) return false;
    Slot* old = slots_;
    const size_t oldCapacity = capacity_;
    slots_ = slots;
    capacity_ = capacity;
    for (size_t i = 0; i < oldCapacity; ++i)
        if (old[i].Value) slots_[IndexOf(old[i].Key)] = old[i];
    std::free(old);
    return true;
}

const Glyph* GlyphCache::Add(int32_t font, TextChar ch, int32_t advance, const GlyphSpan* spans, int32_t count)
{
    if (font < 0 || font > 0xFFFF || count < 0) return nullptr;
    const size_t size = sizeof(Glyph) + sizeof(GlyphSpan) * static_cast<size_t>(count);
    if (bytes_ + size > MaxBytes) Clear();
    if (2 * (count_ + 1) > capacity_ && !Grow()) return nullptr;
    const uint32_t key = KeyOf(font, ch);
    Slot& s = slots_[IndexOf(key)];
    if (s.Value) return s.Value;
    Glyph* g = static_cast<Glyph*>(std::malloc(size));
    if (!g) return nullptr;
    GlyphSpan* copy = reinterpret_cast<GlyphSpan*>(g + 1);
    if (count) std::memcpy(copy, spans, sizeof(GlyphSpan) * static_cast<size_t>(count));
    *g = Glyph{advance, count, copy};
    s = Slot{key, g};
    ++count_;
    bytes_ += size;
    return g;
}

void GlyphCache::Clear()
{
    for (size_t i = 0; i < capacity_; ++i) {
        std::free(slots_[i].Value);
        slots_[i].Value = nullptr;
    }
    count_ = bytes_ = 0;
}
