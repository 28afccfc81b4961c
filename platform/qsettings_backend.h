// A root of the settings store kept in a file through QSettings.
//
// The user's root is $XDG_CONFIG_HOME/Lumenfold/QUIV_Galaxy.ini (normally
// ~/.config/...); the machine-wide root, which only the one-time migration
// reads, is the same name under the first folder of $XDG_CONFIG_DIRS
// (normally /etc/xdg). Either can also be opened at an explicit path.
//
// Writes are held in memory until Flush, which commits them by writing a new
// file and renaming it over the old one: a process killed at any moment
// leaves the old file or the new one. A lock file keeps two processes (the
// saver and the properties dialog, say) from committing at once. A flush that
// fails keeps its changes pending for the next one.
//
// Reading a file has limits (store_ini.h). A file that would grow past them
// (a damaged file, or one a person filled with values by the ten thousand)
// is written with only the values this process read or wrote, so that the
// program's own values are never the ones cut off at the next read.
#pragma once

#include <QSet>
#include <QString>
#include <memory>
#include <string>

#include "settings/store.h"

class QSettings;

namespace orrelume {

enum class StoreScope { User, Machine };
// A read-only root never writes its file, not even by accident: its writes,
// deletions and flushes fail.
enum class StoreAccess { ReadWrite, ReadOnly };

class QSettingsBackend final : public RegistryBackend {
  public:
    explicit QSettingsBackend(StoreScope scope, StoreAccess access = StoreAccess::ReadWrite);
    explicit QSettingsBackend(const std::string& filePath,
                              StoreAccess access = StoreAccess::ReadWrite);
    ~QSettingsBackend() override;
    QSettingsBackend(const QSettingsBackend&) = delete;
    QSettingsBackend& operator=(const QSettingsBackend&) = delete;

    std::optional<std::string> Read(std::string_view section, std::string_view name) override;
    bool Write(std::string_view section, std::string_view name, std::string_view value) override;
    bool DeleteSubkey(std::string_view section, std::string_view subkey) override;
    bool Flush() override;
    void Refresh() override;

    // The file this root lives in.
    std::string FilePath() const;
    std::string Location() const override { return FilePath(); }
    bool IsReadOnly() const { return readOnly_; }

  private:
    void Open();
    void KeepReadable();
    void Committed();

    bool useScope_;
    StoreScope scope_ = StoreScope::User;
    std::string path_;
    bool readOnly_;
    std::unique_ptr<QSettings> settings_;
    // The keys this process read or wrote: the values it knows.
    QSet<QString> known_;
    // Writes or deletions not yet committed, and the size of the writes.
    bool pending_ = false;
    qsizetype writtenBytes_ = 0;
    qsizetype writtenValues_ = 0;
};

}  // namespace orrelume
