// A store root held in memory: the test double of the settings store, and the
// store of tools that must never write the user's settings.
#pragma once

#include <map>
#include <string>

#include "settings/store.h"

namespace orrelume {

class MemoryBackend : public RegistryBackend {
  public:
    std::optional<std::string> Read(std::string_view section, std::string_view name) override;
    bool Write(std::string_view section, std::string_view name, std::string_view value) override;
    bool DeleteSubkey(std::string_view section, std::string_view subkey) override;
    bool Flush() override;

    // While set, every write, deletion and flush fails and changes nothing.
    void SetFailWrites(bool fail) { failWrites_ = fail; }
    // While set, writes are accepted but every flush fails: a store whose
    // medium refuses the commit, as a file in a folder that cannot be
    // written does.
    void SetFailFlush(bool fail) { failFlush_ = fail; }
    // Copies every value of another memory root (a snapshot).
    void CopyFrom(const MemoryBackend& other) { sections_ = other.sections_; }

    bool Contains(std::string_view section, std::string_view name) const;
    size_t ValueCount() const;
    int FlushCount() const { return flushCount_; }
    int WriteCount() const { return writeCount_; }
    const std::map<std::string, std::map<std::string, std::string>>& Sections() const {
        return sections_;
    }

  private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
    bool failWrites_ = false;
    bool failFlush_ = false;
    int flushCount_ = 0;
    int writeCount_ = 0;
};

}  // namespace orrelume
