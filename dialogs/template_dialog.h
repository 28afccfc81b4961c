// The template chooser: Qt's file dialog with the program's own checks on
// what the user chose, the filter pairs and extension it is given, and the
// last folder remembered in the settings.
#pragma once

#include <QFileDialog>

#include <string>
#include <string_view>

#include "driver/host_state.h"
#include "settings/store.h"

namespace orrelume {

class frmFileIO : public QFileDialog {
    Q_OBJECT
  public:
    // `open`: choose an existing file (else a name to save to). `title` is
    // the caption; `fileTypes` the "description|pattern|..." pairs;
    // `extension` what a saved name without one gets.
    frmFileIO(SettingsStore& store, const HostState& host, bool open, const QString& title,
              std::string_view fileTypes, std::string_view extension, QWidget* parent = nullptr);
    ~frmFileIO() override;

    // The chosen path once accepted (empty otherwise).
    const std::string& FullFileName() const { return fullFileName_; }

  public slots:
    // The checks: an existing file to open; a name, and a place where a file
    // can be made, to save. A folder typed in is opened instead.
    void accept() override;
    void done(int result) override;

  private:
    // The text typed into the name box, or the selected file's name.
    QString TypedName() const;

    SettingsStore& store_;
    const HostState& host_;
    bool open_;
    std::string extension_;
    std::string fullFileName_;
};

}  // namespace orrelume
