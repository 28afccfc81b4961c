#include "support/store_sets.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace orrelume::testing {

SettingsSet GenerationSet(int g) {
    SettingsSet set = DefaultSettingsSet();
    set.universe.stars = g;
    set.universe.expand = static_cast<float>(g) * 0.5f;
    set.universe.gsIdx = "1 2 " + std::to_string(g % 1000);
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        GalaxyType& t = set.types[slot];
        const int v = g + slot;
        t.name = "Type " + std::to_string(slot) + ", generation = " + std::to_string(g);
        t.uniGalPct = static_cast<int16_t>(v % 10000);
        t.radius = 1 + (g * 7 + slot) % 30000;
        t.galStyle = static_cast<int16_t>(v % 10);
        const StyleBounds b = StyleParameterBounds(t.galStyle);
        t.radSegs = b.radSegsMin;
        t.radBands = b.radBandsMax;
        t.radFill = static_cast<float>(v % 101);
        t.ghwRatio = static_cast<float>(v % 100) * 0.25f;
        t.cometCPersist = 0.1f + static_cast<float>(v % 100) * 0.001f;

        t.ifsCount = static_cast<int16_t>(v % (kMaxIfsPoints + 1));
        if (t.ifsCount > 0) t.ifsCenterX = static_cast<int16_t>(v % 10000);
        for (int i = 0; i < t.ifsCount; ++i) {
            const int w = v + i;
            t.ifsPoints[i] = IfsPoint{static_cast<int16_t>(w % 10000),
                                      0,
                                      7,
                                      static_cast<int16_t>(w % 101),
                                      static_cast<int16_t>(i % 3),
                                      static_cast<int16_t>(w % 361),
                                      2};
        }
        t.atomCount = static_cast<int16_t>((g + 2 * slot) % (kMaxAtoms + 1));
        if (t.atomCount > 0) t.atomCenterZ = static_cast<int16_t>(g % 10000);
        for (int i = 0; i < t.atomCount; ++i) {
            const int w = g + i;
            AtomEntry& a = t.atoms[i];
            a.element = static_cast<int16_t>(1 + w % 17);
            a.structureType = static_cast<int16_t>(w % 12);
            a.edgeCount = static_cast<int16_t>(a.structureType >= 6 ? 1 + w % 99 : w % 10000);
            a.seventh = static_cast<int16_t>(w % 10000);
            a.pointCount = StructurePointCount(a.structureType);
        }
    }
    for (int slot = 0; slot < kCompositeGalaxyCount; ++slot) {
        CompositeGalaxy& c = set.composites[slot];
        c.name = "Mix " + std::to_string(slot) + " [" + std::to_string(g) + "]";
        c.weight = static_cast<int16_t>((g + slot) % 10000);
        c.count = static_cast<int16_t>((g + slot) % (kMaxCompositeMembers + 1));
        for (int i = 0; i < c.count; ++i)
            c.members[i] = static_cast<int16_t>((g + slot + i) % kGalaxyTypeCount);
    }
    return set;
}

bool SameSet(const SettingsSet& a, const SettingsSet& b) {
    return a.universe == b.universe && a.types == b.types && a.composites == b.composites;
}

std::optional<int> GenerationOf(const SettingsSet& set) {
    const int g = set.universe.stars;
    if (g < 0 || !SameSet(set, GenerationSet(g))) return std::nullopt;
    return g;
}

ScratchDir::ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orrelume-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orrelume::testing
