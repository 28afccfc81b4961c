// Where the safety copy goes.
#include "settings/safety_copy.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace orrelume {

namespace {

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace

bool FolderIsWritable(std::string_view folder) {
    if (folder.empty()) return false;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return false;
    // Creating a file is the only test that holds for every user (root
    // passes permission checks) and every file system (a read-only mount).
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string probe = JoinPath(folder, ".orrelume-write-test-" + std::to_string(stamp) +
                                                   "-" + std::to_string(counter.fetch_add(1)));
    std::FILE* file = std::fopen(probe.c_str(), "wx");
    if (file == nullptr) return false;
    std::fclose(file);
    std::remove(probe.c_str());
    return true;
}

std::string SafetyCopyTemplatePath(std::string_view programFolder, std::string_view storeFolder) {
    if (FolderIsWritable(programFolder) || storeFolder.empty())
        return JoinPath(programFolder, kSafetyCopyName);
    return JoinPath(storeFolder, kSafetyCopyName);
}

}  // namespace orrelume
