#include "engine/pixel_log.h"

namespace orrelume {

PixelLog::PixelLog() : entries_(new Entry[kCapacity]) {}

void PixelLog::Target(uint32_t* pixels, uint32_t spareIndex) {
    pixels_ = pixels;
    spare_ = spareIndex;
    size_ = 0;
}

void PixelLog::WriteOut() {
    const size_t n = size_;
    size_ = 0;
    uint32_t* const pixels = pixels_;
    if (pixels == nullptr) return;
    const Entry* const in = entries_.get();
    // Asking for the pixels a little ahead lets their misses overlap more.
    constexpr size_t kAhead = 16;
    size_t i = 0;
#if defined(__GNUC__)
    for (; i + kAhead < n; ++i) {
        __builtin_prefetch(pixels + in[i + kAhead].index, 1, 0);
        pixels[in[i].index] = in[i].value;
    }
#endif
    for (; i < n; ++i)
        pixels[in[i].index] = in[i].value;
}

}  // namespace orrelume
