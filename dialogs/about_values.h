// What the about box decides without a window: which composite galaxies its
// animation shows, and a view of the settings store through which nothing
// can be written, so that the box never changes the user's settings.
#pragma once

#include <string>

#include "settings/records.h"
#include "settings/store.h"

namespace orrelume {

// The product as the about box names it.
inline constexpr const char* kProductName = "Orrelume";
inline constexpr const char* kProductVersion = "4.1";

// The about box's animation: each composite runs this many frames, with
// this many stars before the star factor, on a surface enlarged by the
// factor.
inline constexpr int16_t kAboutFrames = 400;
inline constexpr int16_t kAboutStars = 4000;
inline constexpr float kAboutStarFactor = 0.8f;
inline constexpr float kAboutExtraFactor = 1.3f;

// Whether the about box shows composite `slot`: slot 0 always; any other
// slot when it is defined, that is when it has members and is not named
// "Undefined" (the name the factory gives the slots it leaves empty).
bool AboutShowsComposite(const CompositeTable& composites, int slot);

// A root that reads through to another and refuses every write, deletion
// and commit. Re-reading is not passed on either: on a file it would commit
// what another part of the program has pending.
class ReadOnlyRoot : public RegistryBackend {
  public:
    explicit ReadOnlyRoot(RegistryBackend* inner) : inner_(inner) {}
    std::optional<std::string> Read(std::string_view section, std::string_view name) override;
    bool Write(std::string_view, std::string_view, std::string_view) override { return false; }
    bool DeleteSubkey(std::string_view, std::string_view) override { return false; }
    bool Flush() override { return false; }
    std::string Location() const override;

  private:
    RegistryBackend* inner_;
};

}  // namespace orrelume
