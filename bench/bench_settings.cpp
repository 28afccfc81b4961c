// The settings store: reading the 50 galaxy types as a run start does, and
// saving the whole set as the properties dialog's accept does.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "settings/memory_backend.h"
#include "settings/records.h"
#ifdef ORRELUME_WITH_APP
#include "platform/qsettings_backend.h"
#endif

namespace orrelume {
namespace {

// A full set with points and atoms, so that the subkeys are read too.
SettingsSet BusySet() {
    SettingsSet set = DefaultSettingsSet();
    for (int slot = 0; slot < kGalaxyTypeCount; ++slot) {
        GalaxyType& t = set.types[slot];
        t.name = "Galaxy type " + std::to_string(slot);
        t.ifsCount = kMaxIfsPoints;
        t.atomCount = static_cast<int16_t>(slot % (kMaxAtoms + 1));
        for (int i = 0; i < t.atomCount; ++i)
            t.atoms[i] = AtomEntry{6, 3, 0, 0, 2, 0, 0, 8};
        ValidateGalaxyType(t);
    }
    return set;
}

void BM_LoadAllGalaxyTypesFromMemory(benchmark::State& state) {
    MemoryBackend memory;
    SettingsStore store(&memory);
    SettingsSet set = BusySet();
    SaveAllSettings(store, set);
    GalaxyTypeTable types;
    for (auto _ : state) {
        LoadGalaxyTypes(store, types);
        benchmark::DoNotOptimize(types);
    }
}
BENCHMARK(BM_LoadAllGalaxyTypesFromMemory)->Unit(benchmark::kMillisecond);

#ifdef ORRELUME_WITH_APP
class ScratchFile {
  public:
    ScratchFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orrelume-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Path() const { return dir_ + "/QUIV_Galaxy.ini"; }

  private:
    std::string dir_;
};

// Reading through QSettings from a store file, as a run start does.
void BM_LoadAllGalaxyTypes(benchmark::State& state) {
    ScratchFile file;
    {
        QSettingsBackend backend(file.Path());
        SettingsStore store(&backend);
        SettingsSet set = BusySet();
        SaveAllSettings(store, set);
    }
    QSettingsBackend backend(file.Path(), StoreAccess::ReadOnly);
    SettingsStore store(&backend);
    GalaxyTypeTable types;
    for (auto _ : state) {
        LoadGalaxyTypes(store, types);
        benchmark::DoNotOptimize(types);
    }
}
BENCHMARK(BM_LoadAllGalaxyTypes)->Unit(benchmark::kMillisecond);

// Opening the file afresh each time: the parse is part of the cost.
void BM_OpenAndLoadAllSettings(benchmark::State& state) {
    ScratchFile file;
    {
        QSettingsBackend backend(file.Path());
        SettingsStore store(&backend);
        SettingsSet set = BusySet();
        SaveAllSettings(store, set);
    }
    for (auto _ : state) {
        QSettingsBackend backend(file.Path(), StoreAccess::ReadOnly);
        backend.Refresh();
        SettingsStore store(&backend);
        benchmark::DoNotOptimize(LoadAllSettings(store));
    }
}
BENCHMARK(BM_OpenAndLoadAllSettings)->Unit(benchmark::kMillisecond);

// The accept action: write test, the whole set, one commit to the file.
void BM_SaveAllSettings(benchmark::State& state) {
    ScratchFile file;
    QSettingsBackend backend(file.Path());
    SettingsStore store(&backend);
    SettingsSet set = BusySet();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveAllSettings(store, set));
}
BENCHMARK(BM_SaveAllSettings)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace orrelume
