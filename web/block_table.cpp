#include "block_table.h"

#include <cstdlib>

namespace {

size_t Hash(uint32_t key) { return (key * 2654435761u) >> 7; }

} // namespace

BlockTable::~BlockTable()
{
    Clear();
    std::free(slots_);
}

size_t BlockTable::IndexOf(uint32_t key) const
{
    size_t i = Hash(key) & (capacity_ - 1);
    while (slots_[i].Block && slots_[i].Key != key) i = (i + 1) & (capacity_ - 1);
    return i;
}

void* BlockTable::Find(uint32_t key) const { return capacity_ ? slots_[IndexOf(key)].Block : nullptr; }

bool BlockTable::Grow()
{
    const size_t capacity = capacity_ ? 2 * capacity_ : 1024;
    Slot* slots = static_cast<Slot*>(std::calloc(capacity, sizeof(Slot)));
    if (!slots) return false;
    Slot* old = slots_;
    const size_t oldCapacity = capacity_;
    slots_ = slots;
    capacity_ = capacity;
    for (size_t i = 0; i < oldCapacity; ++i)
        if (old[i].Block) slots_[IndexOf(old[i].Key)] = old[i];
    std::free(old);
    return true;
}

void* BlockTable::Add(uint32_t key, size_t size)
{
    if (bytes_ + size > maxBytes_) Clear();
    if (2 * (count_ + 1) > capacity_ && !Grow()) return nullptr;
    Slot& s = slots_[IndexOf(key)];
    if (s.Block) return nullptr;
    void* block = std::malloc(size);
    if (!block) return nullptr;
    s = Slot{key, block};
    ++count_;
    bytes_ += size;
    return block;
}

void BlockTable::Clear()
{
    for (size_t i = 0; i < capacity_; ++i) {
        std::free(slots_[i].Block);
        slots_[i].Block = nullptr;
    }
    count_ = bytes_ = 0;
}
