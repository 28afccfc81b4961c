#include "ui/host_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orrelume {

namespace {

std::FILE* TraceFile() {
    static std::FILE* file = [] {
        const char* path = std::getenv("ORRELUME_TRACE");
        return (path && *path) ? std::fopen(path, "a") : nullptr;
    }();
    return file;
}

}  // namespace

bool TraceEnabled() {
    return TraceFile() != nullptr;
}

void Trace(std::string_view event) {
    std::FILE* file = TraceFile();
    if (!file) return;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    std::fprintf(file, "%lld %.*s\n", ms, static_cast<int>(event.size()), event.data());
    std::fflush(file);
}

}  // namespace orrelume
