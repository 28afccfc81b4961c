// The settings store: every persistent setting is one text value under a
// section and a name. Reads take a default and never fail; writes create what
// is missing. Numbers are kept as decimal text so the store can be read and
// edited by hand.
//
// Sections are written with backslashes ("Universe\Galaxy3\IFS"); a backend
// maps them onto its own storage.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orrelume {

// One root of the store (the current user's, or the machine-wide one that is
// read once for migration).
class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;
    // The stored text, or nothing when the section or value is absent or
    // cannot be read.
    virtual std::optional<std::string> Read(std::string_view section, std::string_view name) = 0;
    // Stores one value; true when it was accepted. Writes may be buffered
    // until Flush.
    virtual bool Write(std::string_view section, std::string_view name, std::string_view value) = 0;
    // Removes the direct subkey `subkey` of `section` with all its values and
    // subkeys. A section that does not exist is a success; an empty subkey
    // name deletes nothing and fails.
    virtual bool DeleteSubkey(std::string_view section, std::string_view subkey) = 0;
    // Commits buffered writes in one step (a crash leaves the old or the new
    // store whole); false when the store could not be written.
    virtual bool Flush() = 0;
    // Re-reads the root from its medium, so that values another process
    // stored since the last read are seen. Pending writes are committed as by
    // Flush. A root that lives only in memory has nothing to re-read.
    virtual void Refresh() {}
    // Where the root lives, as the user would look for it (a file path);
    // empty when it has no place of its own.
    virtual std::string Location() const { return {}; }
};

// How a message of the store reaches the user (a message box in the program,
// a capture in tests).
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // An exclamation box titled `title`.
    virtual void ShowExclamation(std::string_view title, std::string_view text) = 0;
};

// Root selectors: 0 the machine-wide root, 1 the current user's. The two
// other roots of the original platform have no equivalent: reads give the
// default and writes fail.
enum : int16_t {
    kMachineRoot = 0,
    kUserRoot = 1,
};

inline constexpr std::string_view kApplicationKeyName = "QUIV_Galaxy";
inline constexpr std::string_view kMessageTitle = "Orrelume";

class SettingsStore {
  public:
    // Either backend may be null: a missing root reads defaults and fails
    // writes. The sink may be null (messages are then dropped).
    SettingsStore(RegistryBackend* user, RegistryBackend* machine = nullptr,
                  MessageSink* sink = nullptr);

    std::string ReadSettingText(std::string_view section, std::string_view name,
                                std::string_view defaultValue, int16_t root = kUserRoot) const;
    int16_t ReadSettingInt16(std::string_view section, std::string_view name, int16_t defaultValue,
                             int16_t root = kUserRoot) const;
    int32_t ReadSettingInt32(std::string_view section, std::string_view name, int32_t defaultValue,
                             int16_t root = kUserRoot) const;
    float ReadSettingSingle(std::string_view section, std::string_view name, float defaultValue,
                            int16_t root = kUserRoot) const;

    // Values are stored trimmed of blanks; numbers as their decimal text.
    bool WriteSetting(std::string_view section, std::string_view name, std::string_view value,
                      int16_t root = kUserRoot);
    bool WriteSetting(std::string_view section, std::string_view name, const char* value,
                      int16_t root = kUserRoot) {
        return WriteSetting(section, name, std::string_view(value), root);
    }
    bool WriteSetting(std::string_view section, std::string_view name, const std::string& value,
                      int16_t root = kUserRoot) {
        return WriteSetting(section, name, std::string_view(value), root);
    }
    bool WriteSetting(std::string_view section, std::string_view name, int16_t value,
                      int16_t root = kUserRoot);
    bool WriteSetting(std::string_view section, std::string_view name, int32_t value,
                      int16_t root = kUserRoot);
    bool WriteSetting(std::string_view section, std::string_view name, float value,
                      int16_t root = kUserRoot);

    bool DeleteSettingSubkey(std::string_view section, std::string_view subkey,
                             int16_t root = kUserRoot);

    // Commits the buffered writes of a root.
    bool Flush(int16_t root = kUserRoot);
    // Re-reads a root so that another process's changes are seen (a run
    // that starts again after the properties dialog saved, say).
    void Refresh(int16_t root = kUserRoot);

    // Writes "TestRegWrite" = 1 in "General", commits, and reads it back.
    // When the store cannot be written the user is told through the sink and
    // the result is false. Only the test value is committed here; whatever
    // else was pending is committed with it.
    bool CheckSettingsWritable();

    RegistryBackend* Backend(int16_t root) const;
    MessageSink* Sink() const { return sink_; }

  private:
    RegistryBackend* user_;
    RegistryBackend* machine_;
    MessageSink* sink_;
};

// The five lines of the write-test message, joined by CR LF; they name the
// settings file at `location` (or "the settings file" when it is empty).
std::string ReadOnlyStoreMessage(std::string_view location = {});

// The shared bounding helpers: min when value < min, else max when value >
// max, else value. The lower bound wins if the bounds cross; a NaN single
// yields min.
int16_t ClampInt16(int16_t value, int16_t min, int16_t max);
int32_t ClampInt32(int32_t value, int32_t min, int32_t max);
float ClampSingle(float value, float min, float max);

}  // namespace orrelume
