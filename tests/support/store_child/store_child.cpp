// A child process for the store tests: what they must kill mid-save, or run
// with the environment that places the settings files.
//
//   store_child save-loop FILE FIRST   save generation sets FIRST, FIRST+1, ...
//                                      for ever, printing each one saved
//   store_child accept-loop FILE FIRST the same as the properties dialog
//                                      accepts after opening a template: the
//                                      set with the template's advanced values
//                                      ("LockMessage" = "Accepted <generation>")
//   store_child paths                  print the user's and the machine's file
//   store_child migrate                migrate machine settings to the user
//   store_child save                   save the default set to the user's root;
//                                      exit 3 (and print the message) if refused
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/qsettings_backend.h"
#include "settings/records.h"
#include "support/store_sets.h"

using namespace orrelume;

namespace {

class PrintingSink : public MessageSink {
  public:
    void ShowExclamation(std::string_view title, std::string_view text) override {
        std::printf("%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                    static_cast<int>(text.size()), text.data());
    }
};

int SaveLoop(const std::string& path, int first) {
    QSettingsBackend backend(path);
    SettingsStore store(&backend);
    for (int g = first;; ++g) {
        SettingsSet set = testing::GenerationSet(g);
        if (!SaveAllSettings(store, set)) return 2;
        // Unbuffered, so that the parent knows the last generation committed
        // even when it kills this process a moment later.
        const std::string line = std::to_string(g) + "\n";
        if (write(STDOUT_FILENO, line.data(), line.size()) < 0) return 2;
    }
}

int AcceptLoop(const std::string& path, int first) {
    QSettingsBackend backend(path);
    SettingsStore store(&backend);
    for (int g = first;; ++g) {
        SettingsSet set = testing::GenerationSet(g);
        const std::vector<std::pair<std::string, std::string>> advanced = {
            {"LockMessage", "Accepted " + std::to_string(g)},
            {"Adv_FontName", "Font " + std::to_string(g)},
        };
        if (!SaveAllSettings(store, set, &advanced)) return 2;
        const std::string line = std::to_string(g) + "\n";
        if (write(STDOUT_FILENO, line.data(), line.size()) < 0) return 2;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "save-loop" && argc == 4) return SaveLoop(argv[2], std::atoi(argv[3]));
    if (mode == "accept-loop" && argc == 4) return AcceptLoop(argv[2], std::atoi(argv[3]));
    if (mode == "paths") {
        QSettingsBackend user(StoreScope::User);
        QSettingsBackend machine(StoreScope::Machine, StoreAccess::ReadOnly);
        std::printf("%s\n%s\n", user.FilePath().c_str(), machine.FilePath().c_str());
        return 0;
    }
    if (mode == "migrate") {
        QSettingsBackend user(StoreScope::User);
        QSettingsBackend machine(StoreScope::Machine, StoreAccess::ReadOnly);
        SettingsStore store(&user, &machine);
        MigrateMachineSettings(store);
        return 0;
    }
    if (mode == "save") {
        QSettingsBackend user(StoreScope::User);
        PrintingSink sink;
        SettingsStore store(&user, nullptr, &sink);
        SettingsSet set = DefaultSettingsSet();
        return SaveAllSettings(store, set) ? 0 : 3;
    }
    std::fprintf(stderr,
                 "usage: store_child save-loop|accept-loop FILE FIRST | paths | migrate | save\n");
    return 64;
}
