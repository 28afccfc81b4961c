#include "dialogs/about_values.h"

#include "settings/numeric.h"

namespace orrelume {

bool AboutShowsComposite(const CompositeTable& composites, int slot) {
    if (slot == 0) return true;
    if (slot < 0 || slot >= kCompositeGalaxyCount) return false;
    const CompositeGalaxy& composite = composites[static_cast<size_t>(slot)];
    return composite.count > 0 && !EqualsIgnoreCase(Trim(composite.name), "Undefined");
}

std::optional<std::string> ReadOnlyRoot::Read(std::string_view section, std::string_view name) {
    if (inner_ == nullptr) return std::nullopt;
    return inner_->Read(section, name);
}

std::string ReadOnlyRoot::Location() const {
    return inner_ != nullptr ? inner_->Location() : std::string();
}

}  // namespace orrelume
