// Program start: the host state, the one-time copy of machine-wide settings,
// the screen's twips per pixel, the start-up tables, the family the program
// file belongs to, and the dispatch on the command line to the one window
// the start needs.
#pragma once

#include <string>

#include "driver/host_state.h"
#include "host/command_line.h"
#include "settings/store.h"

namespace orrelume {

// The name of the help file beside the program.
inline constexpr const char* kHelpFileName = "Orrelume41.hlp";

// The whole program; returns the process's exit code.
int Main(int argc, char** argv);

// Start-up after the toolkit is up: the flags cleared, the migration, twips
// per pixel, the tables and the help file name, then the family. Returns the
// run mode.
int16_t StartUp(HostState& state, SettingsStore& store, const std::string& programPath);

// What a start of the saver family does with its command line.
void Dispatch(HostState& state, SettingsStore& store, const StartCommand& command);

// Clears the stop flag and shows the saver window (run mode 1) or the
// application window; returns when the run has ended.
void OpenRunWindow(HostState& state, SettingsStore& store);

// The properties dialog, or the open one brought to the front.
void ShowConfiguration(HostState& state, SettingsStore& store);

}  // namespace orrelume
