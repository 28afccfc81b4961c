// Pixels in a shared memory segment that the X server has attached
// (MIT-SHM, offered by a local server): the server reads a picture kept
// there without anything going through the connection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "driver/drawing_surface.h"

struct xcb_connection_t;

namespace orrelume {

class X11SharedMemory : public PixelMemory {
  public:
    // How the server is to attach a segment: for writing too where it
    // allows that, or only for reading (as a server that refuses writing
    // does).
    enum class ServerAccess { kReadWrite, kReadOnly };
    // A segment of `bytes` attached to the display of `connection`; null
    // when the display offers no shared memory or cannot reach ours (it runs
    // on another machine), or there is not enough of it. The connection
    // must outlive the segment.
    static std::unique_ptr<X11SharedMemory> Create(xcb_connection_t* connection, size_t bytes,
                                                   ServerAccess access = ServerAccess::kReadWrite);
    ~X11SharedMemory() override;
    X11SharedMemory(const X11SharedMemory&) = delete;
    X11SharedMemory& operator=(const X11SharedMemory&) = delete;

    uint32_t* Words() override { return reinterpret_cast<uint32_t*>(data_); }
    uint8_t* Data() { return data_; }
    size_t Size() const { return size_; }
    xcb_connection_t* Connection() const { return connection_; }
    // The segment's id on that connection.
    uint32_t Segment() const { return segment_; }
    // The server attached it for writing too: only then may it back a
    // pixmap of the server's.
    bool Writable() const { return writable_; }

  private:
    X11SharedMemory(xcb_connection_t* connection, uint32_t segment, uint8_t* data, size_t size,
                    bool writable)
        : connection_(connection),
          segment_(segment),
          data_(data),
          size_(size),
          writable_(writable) {}

    xcb_connection_t* connection_;
    uint32_t segment_;
    uint8_t* data_;
    size_t size_;
    bool writable_;
};

// What the display of `connection` offers: shared memory segments, and
// pixmaps of the server's kept in them.
struct SharedMemoryOffer {
    bool segments = false;
    bool pixmaps = false;
};
SharedMemoryOffer QuerySharedMemory(xcb_connection_t* connection);
// Whether the display of `connection` offers shared memory.
bool DisplayOffersSharedMemory(xcb_connection_t* connection);

// Surfaces made with it keep their pixels in memory shared with the display
// of `connection` where it can; where it cannot (found at the first try),
// in their own.
PixelAllocator SharedPixelAllocator(
    xcb_connection_t* connection,
    X11SharedMemory::ServerAccess access = X11SharedMemory::ServerAccess::kReadWrite);

}  // namespace orrelume
