#include "settings/memory_backend.h"

namespace orrelume {

std::optional<std::string> MemoryBackend::Read(std::string_view section, std::string_view name) {
    auto s = sections_.find(std::string(section));
    if (s == sections_.end()) return std::nullopt;
    auto v = s->second.find(std::string(name));
    if (v == s->second.end()) return std::nullopt;
    return v->second;
}

bool MemoryBackend::Write(std::string_view section, std::string_view name, std::string_view value) {
    if (failWrites_) return false;
    ++writeCount_;
    sections_[std::string(section)][std::string(name)] = std::string(value);
    return true;
}

bool MemoryBackend::DeleteSubkey(std::string_view section, std::string_view subkey) {
    if (failWrites_ || subkey.empty()) return false;
    const std::string key = std::string(section) + "\\" + std::string(subkey);
    const std::string prefix = key + "\\";
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (it->first == key || it->first.compare(0, prefix.size(), prefix) == 0) {
            it = sections_.erase(it);
        } else {
            ++it;
        }
    }
    return true;
}

bool MemoryBackend::Flush() {
    if (failWrites_ || failFlush_) return false;
    ++flushCount_;
    return true;
}

bool MemoryBackend::Contains(std::string_view section, std::string_view name) const {
    auto s = sections_.find(std::string(section));
    return s != sections_.end() && s->second.count(std::string(name)) > 0;
}

size_t MemoryBackend::ValueCount() const {
    size_t count = 0;
    for (const auto& [section, values] : sections_)
        count += values.size();
    return count;
}

}  // namespace orrelume
