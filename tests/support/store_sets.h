// Helpers for the settings store tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/records.h"

namespace orrelume::testing {

// A complete, valid set whose every value follows from one generation
// number, so that a set read back can be told to be exactly one generation
// and not a mixture of two. Counts of points, atoms and members vary with the
// generation, so consecutive saves also shrink them.
SettingsSet GenerationSet(int generation);
// The generation a set is, or nothing when it is not exactly one.
std::optional<int> GenerationOf(const SettingsSet& set);

bool SameSet(const SettingsSet& a, const SettingsSet& b);

// Collects the messages the store shows.
class CapturingSink : public MessageSink {
  public:
    void ShowExclamation(std::string_view title, std::string_view text) override {
        messages.push_back(std::string(title) + "|" + std::string(text));
    }
    std::vector<std::string> messages;
};

// A fresh folder, removed with everything in it when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace orrelume::testing
