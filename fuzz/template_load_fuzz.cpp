// Fuzzes a whole template load and the command-line import: whatever the
// file holds, every galaxy type and composite that comes out is within its
// bounds, and nothing crashes or overflows.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/memory_backend.h"
#include "settings/template_file.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckValid(const orrelume::SettingsSet& set) {
    for (const orrelume::GalaxyType& type : set.types) {
        orrelume::GalaxyType validated = type;
        orrelume::ValidateGalaxyType(validated);
        Check(validated == type);
    }
    for (const orrelume::CompositeGalaxy& composite : set.composites) {
        orrelume::CompositeGalaxy validated = composite;
        orrelume::ValidateCompositeGalaxy(validated);
        Check(validated == composite);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orrelume::MemoryBackend user;
    orrelume::SettingsStore store(&user);
    orrelume::GalaxyTemplate templates;

    templates.CacheText("fuzz.glx", text);
    templates.SetCurrentTemplatePath("fuzz.glx");
    orrelume::SettingsSet set = orrelume::DefaultSettingsSet();
    Check(orrelume::LoadTemplateValues(templates, store, set));
    orrelume::LoadTemplateTypes(templates, set);
    CheckValid(set);

    // The import reads the same way but also writes the whole store, which
    // takes several times as long: it runs on one input in 32.
    if (size % 32 == 0) {
        templates.CacheText("fuzz.glx", text);
        const int writesBefore = user.WriteCount();
        // A text without galaxy types is no template: its import is refused
        // and must leave the store untouched.
        if (!orrelume::ImportTemplate("fuzz.glx", store, templates))
            Check(user.WriteCount() == writesBefore);
        CheckValid(orrelume::LoadAllSettings(store));
    }
    return 0;
}
