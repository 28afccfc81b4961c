// The pixel writes of a frame, kept in the order they were made and written
// to the picture together, at the latest when the picture is read or shown.
//
// Between frames the program sleeps, and the processor comes back to cold
// caches and address translations: a pixel written where the star pass
// computes it stalls the pass on a miss for almost every star. Kept here,
// the writes are stores to consecutive memory, and the picture then takes
// them in a short loop whose misses overlap one another. The order is kept,
// so a pixel written twice ends with the later value, exactly as if each
// write had gone to the picture at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace orrelume {

class PixelLog {
  public:
    // Writes a frame of thousands of stars usually holds; more are written
    // out on the way.
    static constexpr size_t kCapacity = 16384;

    PixelLog();
    PixelLog(const PixelLog&) = delete;
    PixelLog& operator=(const PixelLog&) = delete;

    // The picture the writes go to, and the index of its spare word (which
    // takes the writes of pixels that are not drawn). Pending writes are
    // dropped: they belonged to the picture before.
    void Target(uint32_t* pixels, uint32_t spareIndex);
    uint32_t SpareIndex() const { return spare_; }

    // Where to put the value of pixel `index` (of the target, spare word
    // included); valid until the next call.
    uint32_t* Slot(uint32_t index) {
        if (size_ == kCapacity) WriteOut();
        Entry& e = entries_[size_++];
        e.index = index;
        return &e.value;
    }
    // Writes what is pending into the picture, in order.
    void Apply() {
        if (size_ != 0) WriteOut();
    }
    // Forgets what is pending (the picture is cleared or goes).
    void Discard() { size_ = 0; }

  private:
    struct Entry {
        uint32_t index;
        uint32_t value;
    };
    void WriteOut();

    std::unique_ptr<Entry[]> entries_;
    size_t size_ = 0;
    uint32_t* pixels_ = nullptr;
    uint32_t spare_ = 0;
};

}  // namespace orrelume
