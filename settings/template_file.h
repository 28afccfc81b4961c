// Template files: a whole configuration (the advanced values, the universe
// values, the 50 galaxy types and the 16 composites) as an INI-like text file
// with the extension "glx", written with CR LF line ends.
//
// Layout, in the order written: an empty line; "[Admin]" with the product,
// its version and the maker's notice; "[General]" with "AnimationType";
// "[Advanced]"; "[Universe]"; for each type slot "[UniGal" + slot + "]" with
// its points in "[UniGal" + slot + "\IFS]" and its atoms in
// "[UniGal" + slot + "\ATOMIC]" (the count of atoms in a second block of the
// type's section when points came before it); for each composite slot
// "[CompGal" + slot + "]". A header line, preceded by an empty line, is
// written whenever the section changes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/dialog_port.h"
#include "settings/records.h"
#include "settings/template_text.h"

namespace orrelume {

// Files larger than this are read only up to it: a template is some 60 KB.
inline constexpr size_t kMaxTemplateBytes = size_t{256} << 20;

// Builds the text of a template: each value is one "key=value" line, with a
// header when the section changes.
class TemplateWriter {
  public:
    // Line ends inside a value would begin a line of their own (a header, a
    // key): they are written as blanks.
    void WriteTemplateValue(std::string_view section, std::string_view key, std::string_view value);
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    std::string section_;
    bool anySection_ = false;
};

// The template files of a session: the current template path and the cached
// text of the one file being read.
class GalaxyTemplate {
  public:
    GalaxyTemplate() = default;
    GalaxyTemplate(const GalaxyTemplate&) = delete;
    GalaxyTemplate& operator=(const GalaxyTemplate&) = delete;

    // The file used when none is named.
    const std::string& CurrentTemplatePath() const { return currentPath_; }
    void SetCurrentTemplatePath(std::string path) { currentPath_ = std::move(path); }

    // The value of `key` in `section` of the file at `path` (the current
    // path when empty), or the default when the file, the section, the key or
    // its line end is missing. The file is read once and kept until
    // ClearCache or a lookup in another file.
    std::string ReadTemplateValue(std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::string_view path = {});
    // Whether the file at `path` (the current path when empty) could be read.
    bool Readable(std::string_view path = {});
    void ClearCache();
    // Puts `text` in the cache as the contents of `path` (for tests and fuzzing).
    void CacheText(std::string path, std::string text);

  private:
    TemplateText* Cached(std::string_view path);

    std::string currentPath_;
    std::string cachedPath_;
    bool cacheFilled_ = false;
    std::optional<TemplateText> cache_;  // empty when the file could not be read
};

// Reads a template file whole (at most kMaxTemplateBytes); nothing when it is
// missing, not a regular file, or cannot be read.
std::optional<std::string> ReadTemplateFile(const std::string& path);
// Writes a template file in one step: a failed write leaves any file that
// was there. False when it could not be written.
bool WriteTemplateFile(const std::string& path, std::string_view text);

// The advanced values a template carries, as key and text in the order
// written: what a dialog holds of them until its settings are accepted.
using AdvancedTexts = std::vector<std::pair<std::string, std::string>>;

// The text of a whole template. Every type and composite of `set` is
// validated in place first; the universe values are `set.universe` (what the
// universe controls show); the advanced values are `advanced` when given,
// otherwise copied from the store as text.
std::string TemplateTextOf(const SettingsStore& store, SettingsSet& set,
                           TemplateProgress* progress = nullptr,
                           const AdvancedTexts* advanced = nullptr);
// Writes the whole template to the current template path. False when there
// is no path or the file could not be written.
bool SaveTemplate(GalaxyTemplate& templates, const SettingsStore& store, SettingsSet& set,
                  TemplateProgress* progress = nullptr, const AdvancedTexts* advanced = nullptr);

// Writes advanced values to the store (uncommitted).
void WriteAdvancedTexts(SettingsStore& store, const AdvancedTexts& advanced);

// Templates a dialog opens are some 60 KB; a file beyond this is no template.
inline constexpr size_t kMaxDialogTemplateBytes = size_t{16} << 20;
// Whether the file at the current template path is a template: it can be
// read, is no larger than kMaxDialogTemplateBytes, and holds the universe or
// a galaxy type as a template writes them. An image, an empty file or any
// other text is not.
bool IsTemplateFile(GalaxyTemplate& templates);

// The template's values read into the records, with the defaults and bounds
// the records have: a galaxy type's number that does not convert leaves the
// field as it was; the universe values take their defaults when missing or
// not numeric.
UniverseSettings ReadTemplateUniverse(GalaxyTemplate& templates);
void ReadTemplateGalaxyType(GalaxyTemplate& templates, int slot, GalaxyType& type);
void ReadTemplateComposite(GalaxyTemplate& templates, int slot, CompositeGalaxy& composite);

// The template dialog's open action: the advanced values go to the store at
// once, or into `keepAdvanced` when given (a dialog that stores them only
// when accepted); the universe values, types and composites into `set` and
// the dialog. The current template path is read; a file that cannot be read
// changes nothing and gives false.
bool LoadTemplate(GalaxyTemplate& templates, SettingsStore& store, SettingsSet& set,
                  SettingsDialogPort* dialog, TemplateProgress* progress = nullptr,
                  AdvancedTexts* keepAdvanced = nullptr);

// A template named when the program starts: it becomes the current template
// path, and everything it holds is stored (the advanced and universe values as
// their text, the 50 types and the 16 composites validated) with one commit,
// so the saver that follows shows it. A value the template lacks takes its
// default; a type's number that does not convert keeps the stored value. A
// file that cannot be read stores nothing. True when the store took it all.
bool ImportTemplate(const std::string& path, SettingsStore& store, GalaxyTemplate& templates);

}  // namespace orrelume
