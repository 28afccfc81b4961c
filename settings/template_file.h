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
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/records.h"
#include "settings/template_text.h"

namespace orrelume {

// Where the progress of a template save or load is shown, as step k of 66:
// steps 1..50 after each galaxy type, 51..66 with each composite.
class TemplateProgress {
  public:
    virtual ~TemplateProgress() = default;
    virtual void ReportProgress(int step, int total) = 0;
};
inline constexpr int kTemplateProgressSteps = 66;

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

    // The files the user opened or saved through this session's own file
    // menu. Replacing any other existing file (a safety copy, someone
    // else's template) is asked first.
    void MarkOwnFile(const std::string& path);
    bool ReplacesForeignFile(const std::string& path) const;

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
    std::set<std::string> ownFiles_;
    std::string cachedPath_;
    bool cacheFilled_ = false;
    std::optional<TemplateText> cache_;  // empty when the file could not be read
};

// Reads a template file whole (at most kMaxTemplateBytes); nothing when it is
// missing, not a regular file, or cannot be read.
std::optional<std::string> ReadTemplateFile(const std::string& path);
// Writes a template file in one step: a failed write leaves any file that
// was there. False when it could not be written, with the system's reason in
// `why` when given.
bool WriteTemplateFile(const std::string& path, std::string_view text, std::string* why = nullptr);

// Advanced values as key and text: what a dialog holds of them until its
// settings are accepted, in the order first held.
using AdvancedTexts = std::vector<std::pair<std::string, std::string>>;
// Holds `newer` over `held`: each key takes its newer text, new keys are
// added at the end.
void HoldAdvancedTexts(AdvancedTexts& held, const AdvancedTexts& newer);

// The text of a whole template. Every type and composite of `set` is
// validated in place first; the universe values are `set.universe` (what the
// universe controls show); the advanced values are copied from the store as
// text, each held in `advanced` (when given) in the stored one's place.
std::string TemplateTextOf(const SettingsStore& store, SettingsSet& set,
                           TemplateProgress* progress = nullptr,
                           const AdvancedTexts* advanced = nullptr);
// Writes the whole template to the current template path. False when there
// is no path or the file could not be written, with the reason in `why`.
bool SaveTemplate(GalaxyTemplate& templates, const SettingsStore& store, SettingsSet& set,
                  TemplateProgress* progress = nullptr, const AdvancedTexts* advanced = nullptr,
                  std::string* why = nullptr);

// Writes advanced values to the store (uncommitted).
void WriteAdvancedTexts(SettingsStore& store, const AdvancedTexts& advanced);

// The store as a dialog holds it before its settings are accepted: the
// stored root, with the advanced values the dialog holds over it. Writes of
// advanced values are held here and reach the stored root only when the
// dialog saves them; nothing else can be written through it.
class HeldAdvancedRoot final : public RegistryBackend {
  public:
    explicit HeldAdvancedRoot(RegistryBackend* stored) : stored_(stored) {}
    AdvancedTexts& Held() { return held_; }
    const AdvancedTexts& Held() const { return held_; }

    std::optional<std::string> Read(std::string_view section, std::string_view name) override;
    bool Write(std::string_view section, std::string_view name, std::string_view value) override;
    bool DeleteSubkey(std::string_view section, std::string_view subkey) override;
    // Nothing is committed: the held values wait for the dialog's save.
    bool Flush() override { return true; }
    std::string Location() const override;

  private:
    RegistryBackend* stored_;
    AdvancedTexts held_;
};

// Templates a dialog opens are some 60 KB; a file beyond this is no template.
inline constexpr size_t kMaxDialogTemplateBytes = size_t{16} << 20;
// Whether the file at the current template path holds a galaxy type as a
// template writes it (a section "UniGal" + slot with its name). Without one,
// reading it would give all fifty types as empty slots.
bool HoldsGalaxyTypes(GalaxyTemplate& templates);
// Whether the file at the current template path is a template: it can be
// read, is no larger than kMaxDialogTemplateBytes, and holds galaxy types.
// An image, an empty file, the settings file or any other text is not.
bool IsTemplateFile(GalaxyTemplate& templates);

// The template's values read into the records, with the defaults and bounds
// the records have: a galaxy type's number that does not convert leaves the
// field as it was; the universe values take their defaults when missing or
// not numeric.
UniverseSettings ReadTemplateUniverse(GalaxyTemplate& templates);
void ReadTemplateGalaxyType(GalaxyTemplate& templates, int slot, GalaxyType& type);
void ReadTemplateComposite(GalaxyTemplate& templates, int slot, CompositeGalaxy& composite);

// Reading a template into a set, in two steps so that a dialog can show the
// universe values while the rest loads. The first: the advanced values go to
// the store at once, or are held over `keepAdvanced` when given (a dialog
// that stores them only when accepted); the universe values go into
// `set.universe`. The current template path is read; a file that cannot be
// read changes nothing and gives false.
bool LoadTemplateValues(GalaxyTemplate& templates, SettingsStore& store, SettingsSet& set,
                        AdvancedTexts* keepAdvanced = nullptr);
// The second, after a first step that gave true: the 50 types and the 16
// composites into `set`, each reported to `progress` (when given); then the
// file's cached text is let go.
void LoadTemplateTypes(GalaxyTemplate& templates, SettingsSet& set,
                       TemplateProgress* progress = nullptr);

// A template named when the program starts: it becomes the current template
// path, and everything it holds is stored (the advanced and universe values as
// their text, the 50 types and the 16 composites validated) with one commit,
// so the saver that follows shows it. A value the template lacks takes its
// default; a type's number that does not convert keeps the stored value. A
// file that cannot be read, or that holds no galaxy type, stores nothing.
// True when the store took it all.
bool ImportTemplate(const std::string& path, SettingsStore& store, GalaxyTemplate& templates);

}  // namespace orrelume
