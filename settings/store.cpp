#include "settings/store.h"

#include "settings/numeric.h"

namespace orrelume {

SettingsStore::SettingsStore(RegistryBackend* user, RegistryBackend* machine, MessageSink* sink)
    : user_(user), machine_(machine), sink_(sink) {}

RegistryBackend* SettingsStore::Backend(int16_t root) const {
    switch (root) {
        case kUserRoot:
            return user_;
        case kMachineRoot:
            return machine_;
        default:
            return nullptr;
    }
}

std::string SettingsStore::ReadSettingText(std::string_view section, std::string_view name,
                                           std::string_view defaultValue, int16_t root) const {
    RegistryBackend* backend = Backend(root);
    if (backend == nullptr) return std::string(defaultValue);
    std::optional<std::string> value = backend->Read(section, name);
    if (!value) return std::string(defaultValue);
    return *std::move(value);
}

int16_t SettingsStore::ReadSettingInt16(std::string_view section, std::string_view name,
                                        int16_t defaultValue, int16_t root) const {
    const std::string text = ReadSettingText(section, name, Int16ToText(defaultValue), root);
    const std::optional<double> number = ParseNumeric(text);
    if (!number) return defaultValue;
    return CInt(*number).value_or(0);
}

int32_t SettingsStore::ReadSettingInt32(std::string_view section, std::string_view name,
                                        int32_t defaultValue, int16_t root) const {
    const std::string text = ReadSettingText(section, name, Int32ToText(defaultValue), root);
    const std::optional<double> number = ParseNumeric(text);
    if (!number) return defaultValue;
    return CLng(*number).value_or(0);
}

float SettingsStore::ReadSettingSingle(std::string_view section, std::string_view name,
                                       float defaultValue, int16_t root) const {
    const std::string text = ReadSettingText(section, name, SingleToText(defaultValue), root);
    const std::optional<double> number = ParseNumeric(text);
    if (!number) return defaultValue;
    return ToSingle(*number).value_or(0.0f);
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view name,
                                 std::string_view value, int16_t root) {
    RegistryBackend* backend = Backend(root);
    if (backend == nullptr) return false;
    return backend->Write(section, name, Trim(value));
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view name, int16_t value,
                                 int16_t root) {
    return WriteSetting(section, name, std::string_view(Int16ToText(value)), root);
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view name, int32_t value,
                                 int16_t root) {
    return WriteSetting(section, name, std::string_view(Int32ToText(value)), root);
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view name, float value,
                                 int16_t root) {
    return WriteSetting(section, name, std::string_view(SingleToText(value)), root);
}

bool SettingsStore::DeleteSettingSubkey(std::string_view section, std::string_view subkey,
                                        int16_t root) {
    RegistryBackend* backend = Backend(root);
    if (backend == nullptr) return false;
    return backend->DeleteSubkey(section, subkey);
}

bool SettingsStore::Flush(int16_t root) {
    RegistryBackend* backend = Backend(root);
    if (backend == nullptr) return false;
    return backend->Flush();
}

void SettingsStore::Refresh(int16_t root) {
    RegistryBackend* backend = Backend(root);
    if (backend != nullptr) backend->Refresh();
}

bool SettingsStore::CheckSettingsWritable() {
    // A write the root refuses is not committed: the test then writes nothing.
    const bool ok = WriteSetting("General", "TestRegWrite", int16_t{1}) && Flush();
    if (ok && ReadSettingInt16("General", "TestRegWrite", 0) == 1) return true;
    if (sink_ != nullptr) {
        const std::string location = user_ != nullptr ? user_->Location() : std::string();
        sink_->ShowExclamation(kMessageTitle, ReadOnlyStoreMessage(location));
    }
    return false;
}

std::string ReadOnlyStoreMessage(std::string_view location) {
    const std::string where =
        location.empty() ? std::string("the settings file") : std::string(location);
    return "The settings file is read-only.\r\n"
           "\r\n"
           "The Property settings cannot be saved.\r\n"
           "You must change your user permissions so that programs \r\n"
           "can write to " +
           where + ".  See your System Administrator for assistance.";
}

int16_t ClampInt16(int16_t value, int16_t min, int16_t max) {
    if (value < min) return min;
    if (value > max) return max < min ? min : max;
    return value;
}

int32_t ClampInt32(int32_t value, int32_t min, int32_t max) {
    if (value < min) return min;
    if (value > max) return max < min ? min : max;
    return value;
}

float ClampSingle(float value, float min, float max) {
    if (!(value >= min)) return min;
    if (value > max) return max < min ? min : max;
    return value;
}

}  // namespace orrelume
