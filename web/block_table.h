// Blocks of memory kept under 32-bit keys (the page's glyphs and the
// coverage they are made from): an open-addressing table whose every block
// is its own, from malloc. Past MaxBytes it starts again empty: what it
// holds can always be made anew, the same.
#pragma once

#include <cstddef>
#include <cstdint>

class BlockTable {
public:
    explicit BlockTable(size_t maxBytes) : maxBytes_(maxBytes) {}
    ~BlockTable();
    BlockTable(const BlockTable&) = delete;
    BlockTable& operator=(const BlockTable&) = delete;

    void* Find(uint32_t key) const;
    // A new block of size bytes kept under key (which holds none yet); null
    // without memory.
    void* Add(uint32_t key, size_t size);
    void Clear();

    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (size_t i = 0; i < capacity_; ++i)
            if (slots_[i].Block) visit(slots_[i].Key, slots_[i].Block);
    }

private:
    struct Slot {
        uint32_t Key;
        void* Block;
    };
    bool Grow();
    size_t IndexOf(uint32_t key) const;

    const size_t maxBytes_;
    Slot* slots_ = nullptr;
    size_t capacity_ = 0, count_ = 0, bytes_ = 0;
};
