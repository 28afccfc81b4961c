#include "platform/x11_shm_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace orrelume {

SharedMemoryOffer QuerySharedMemory(xcb_connection_t* c) {
    SharedMemoryOffer offer;
    if (!c || xcb_connection_has_error(c)) return offer;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_shm_id);
    if (!extension || !extension->present) return offer;
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr);
    if (!version) return offer;
    offer.segments = true;
    offer.pixmaps = version->shared_pixmaps && version->pixmap_format == XCB_IMAGE_FORMAT_Z_PIXMAP;
    std::free(version);
    return offer;
}

bool DisplayOffersSharedMemory(xcb_connection_t* c) {
    return QuerySharedMemory(c).segments;
}

std::unique_ptr<X11SharedMemory> X11SharedMemory::Create(xcb_connection_t* c, size_t bytes,
                                                         ServerAccess access) {
    if (!c || bytes == 0 || xcb_connection_has_error(c)) return nullptr;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return nullptr;
    void* at = shmat(id, nullptr, 0);
    // Marked for removal as soon as we hold it, before the server's round
    // trip: the segment goes when the last of us and the server lets go of
    // it, however this program ends. (Linux lets the server attach a
    // segment so marked while we hold it.)
    shmctl(id, IPC_RMID, nullptr);
    if (at == reinterpret_cast<void*>(-1)) return nullptr;
    // Attached for writing where the server allows it: only then may the
    // segment back a pixmap of the server's (which it enlarges itself).
    uint32_t segment = xcb_generate_id(c);
    xcb_generic_error_t* error = nullptr;
    bool writable = false;
    if (access == ServerAccess::kReadWrite) {
        error =
            xcb_request_check(c, xcb_shm_attach_checked(c, segment, static_cast<uint32_t>(id), 0));
        writable = error == nullptr;
    }
    if (!writable) {
        std::free(error);
        segment = xcb_generate_id(c);
        error =
            xcb_request_check(c, xcb_shm_attach_checked(c, segment, static_cast<uint32_t>(id), 1));
    }
    if (error) {
        std::free(error);
        shmdt(at);
        return nullptr;
    }
    return std::unique_ptr<X11SharedMemory>(
        new X11SharedMemory(c, segment, static_cast<uint8_t*>(at), bytes, writable));
}

X11SharedMemory::~X11SharedMemory() {
    // The server detaches after the requests sent before, so it never reads
    // a segment that is gone; our own mapping can go at once.
    xcb_shm_detach(connection_, segment_);
    xcb_flush(connection_);
    shmdt(data_);
}

PixelAllocator SharedPixelAllocator(xcb_connection_t* connection,
                                    X11SharedMemory::ServerAccess access) {
    auto possible = std::make_shared<int>(-1);  // not known yet
    return [connection, possible, access](size_t words) -> std::unique_ptr<PixelMemory> {
        if (*possible < 0) *possible = DisplayOffersSharedMemory(connection) ? 1 : 0;
        if (*possible == 0) return nullptr;
        auto memory = X11SharedMemory::Create(connection, words * sizeof(uint32_t), access);
        if (!memory) *possible = 0;
        return memory;
    };
}

}  // namespace orrelume
