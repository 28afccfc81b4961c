// The safety copy "propsave.glx": where the settings are saved before a
// reset to the factory settings replaces them.
#pragma once

#include <string>
#include <string_view>

namespace orrelume {

inline constexpr std::string_view kSafetyCopyName = "propsave.glx";

// Whether a file can be created in `folder`.
bool FolderIsWritable(std::string_view folder);
// Where the settings are saved before a reset: "propsave.glx" in the
// program's folder when that can be written (an installation the user owns),
// otherwise beside the user's store, where the user can always write.
std::string SafetyCopyTemplatePath(std::string_view programFolder, std::string_view storeFolder);

}  // namespace orrelume
