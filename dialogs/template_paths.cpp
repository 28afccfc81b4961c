#include "dialogs/template_paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace orrelume {

std::string WithTemplateExtension(std::string_view path, std::string_view extension) {
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string out(path);
    if (!name.empty() && name.find('.') == std::string_view::npos) {
        out += '.';
        out += extension;
    }
    return out;
}

bool ProbeWritable(const std::string& path) {
    const std::string probe = path + "0";
    std::error_code error;
    // A probe that is there already (a file of the user's) is not ours to
    // remove: the path counts as writable only if a new one can be made.
    if (std::filesystem::exists(probe, error)) {
        std::ofstream existing(probe, std::ios::binary | std::ios::app);
        return static_cast<bool>(existing);
    }
    bool made = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        made = static_cast<bool>(out);
    }
    std::filesystem::remove(probe, error);
    return made;
}

std::string FolderRoot(std::string_view folder) {
    const std::filesystem::path p{std::string(folder)};
    return p.root_path().string();
}

std::vector<TemplateFileType> ParseFileTypes(std::string_view pairs) {
    std::vector<TemplateFileType> out;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < pairs.size()) {
        const size_t bar = pairs.find('|', start);
        const size_t end = bar == std::string_view::npos ? pairs.size() : bar;
        parts.emplace_back(pairs.substr(start, end - start));
        start = end + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        out.push_back({parts[i], parts[i + 1]});
    return out;
}

std::string ChooserNameFilter(const TemplateFileType& type) {
    std::string patterns;
    size_t start = 0;
    // Patterns are separated by ";" in the pairs and by blanks in the filter.
    while (start <= type.pattern.size()) {
        const size_t semicolon = type.pattern.find(';', start);
        const size_t end = semicolon == std::string::npos ? type.pattern.size() : semicolon;
        std::string pattern = type.pattern.substr(start, end - start);
        if (pattern == "*.*") pattern = "*";
        if (!pattern.empty()) {
            if (!patterns.empty()) patterns += ' ';
            patterns += pattern;
        }
        start = end + 1;
    }
    if (patterns.empty()) patterns = "*";
    return type.description + " (" + patterns + ")";
}

}  // namespace orrelume
