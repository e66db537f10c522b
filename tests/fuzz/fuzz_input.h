// What the fuzz targets share: reading an input from its front, and a check
// that stops the run (and so makes libFuzzer keep the input) when one of the
// logic's promises is broken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken promise is a finding like a sanitizer's report.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// Fields are little-endian and read in order; an input that ends early reads
// as zeros from there on, so every input is a whole case.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t U16() { return static_cast<uint16_t>(U8() | U8() << 8); }
    uint32_t U32()
    {
        const uint32_t low = U16();
        return low | static_cast<uint32_t>(U16()) << 16;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }

    // Up to count bytes, fewer when the input ends; returns how many.
    size_t Bytes(uint8_t* out, size_t count)
    {
        size_t n = 0;
        while (n < count && at_ < size_) out[n++] = data_[at_++];
        return n;
    }

    bool Empty() const { return at_ >= size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// An int32 from the input brought into -limit..limit: as it is when inside,
// else its remainder, so that the seeds read as written.
inline int32_t Within(int32_t value, int32_t limit)
{
    return value >= -limit && value <= limit ? value : value % (limit + 1);
}
