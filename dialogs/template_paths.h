// The checks the template chooser makes on a chosen path, without a window:
// the extension a saved name gets, the probe that tells whether a file can
// be written there, and the folder remembered for next time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orrelume {

// The template extension, added to a saved name that has none.
inline constexpr std::string_view kTemplateExtension = "glx";
// The filter pairs of the chooser: a description and a pattern each.
inline constexpr std::string_view kTemplateFileTypes =
    "Galaxy Templates (*.glx)|*.glx|All Files (*.*)|*.*|";
// The settings section where the last folder is kept.
inline constexpr std::string_view kTemplateSection = "Template";

// `path` with "." and the extension appended when its file name (the part
// after the last "/") has no dot; a dot in a folder's name does not count.
std::string WithTemplateExtension(std::string_view path, std::string_view extension);

// Whether a file can be created at `path`: a file named `path` + "0" is
// created, closed and removed again. Nothing is left behind either way.
bool ProbeWritable(const std::string& path);

// The root of a folder ("/" for an absolute folder here; the drive on
// systems that have drives), as the chooser remembers it beside the folder.
std::string FolderRoot(std::string_view folder);

// "Galaxy Templates (*.glx)|*.glx|..." as the description and pattern of
// each pair.
struct TemplateFileType {
    std::string description;
    std::string pattern;
};
std::vector<TemplateFileType> ParseFileTypes(std::string_view pairs);

// The chooser's filter for a type, for a chooser that shows each filter's
// text without its last "(...)": the description as it is, then the
// patterns to match in parentheses. The filters were written where "*.*"
// matches every file; here many files have no dot, so it becomes "*".
std::string ChooserNameFilter(const TemplateFileType& type);

}  // namespace orrelume
