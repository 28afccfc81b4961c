// orrelume-dialog-shots: pictures of the property copy panel in the
// properties dialog, for a list, a check-box and a number entry, each as the
// whole dialog and as the panel alone, written as PNG images to a folder.
//
// Run: orrelume-dialog-shots FOLDER (QT_SCALE_FACTOR=2 for the pictures at
// twice the size; the offscreen platform unless QT_QPA_PLATFORM says
// otherwise). The files are copy_<kind>_x<scale>_dialog.png and
// copy_<kind>_x<scale>_panel.png.
//
// The dialog opens on the 4.x factory settings held in memory, so the
// pictures do not depend on the user's settings.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "dialogs/properties_dialog.h"
#include "dialogs/property_copy.h"
#include "dialogs/property_copy_panel.h"
#include "dialogs/universe_view.h"
#include "driver/host_state.h"
#include "settings/factory_themes.h"
#include "settings/memory_backend.h"
#include "settings/records.h"
#include "settings/store.h"

namespace {

using namespace orrelume;

int EntryIndex(std::string_view caption) {
    const auto entries = PropertyCopyEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].caption == caption) return static_cast<int>(i);
    return -1;
}

template <typename W>
W* Child(const QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) std::fprintf(stderr, "orrelume-dialog-shots: no control %s\n", name);
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "Usage: orrelume-dialog-shots FOLDER\n"
                     "Writes pictures of the property copy panel in the properties\n"
                     "dialog as PNG images to FOLDER.\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "orrelume-dialog-shots: cannot make %s\n", argv[1]);
        return 1;
    }

    MemoryBackend user;
    SettingsStore store(&user);
    HostState process;
    SettingsSet set = FactorySettingsSet(kPresetSet4x);
    store.WriteSetting("General", "ResetSettings", int16_t{1});
    SaveAllSettings(store, set);

    frmProps dialog(store, process);
    PropertyCopyPanel& panel = dialog.CopyPanel();
    dialog.show();
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    auto* list = Child<QComboBox>(panel, "cboPropCopyList");
    auto* values = Child<QComboBox>(panel, "cboPropCopy");
    auto* field = Child<QLineEdit>(panel, "txtPropCopy");
    if (list == nullptr || values == nullptr || field == nullptr) return 1;

    const struct {
        const char* caption;
        const char* kind;
    } shots[] = {{"Galaxy Style", "list"},
                 {"Nebula Control Points Closed", "check"},
                 {"Comet Persistence", "number"}};
    int failed = 0;
    for (const auto& shot : shots) {
        const int entry = EntryIndex(shot.caption);
        if (entry < 0) {
            std::fprintf(stderr, "orrelume-dialog-shots: no property %s\n", shot.caption);
            ++failed;
            continue;
        }
        list->setCurrentIndex(entry);
        if (std::string_view(shot.kind) == "list") values->setCurrentIndex(8);
        if (std::string_view(shot.kind) == "number") field->setText(QStringLiteral("0.9975"));
        QApplication::processEvents();
        const QString base = QStringLiteral("%1/copy_%2_x%3").arg(dir, shot.kind, scale);
        for (const auto& [picture, name] :
             {std::pair{dialog.grab(), QStringLiteral("_dialog.png")},
              std::pair{dialog.Universe().CopyPanelPlace().grab(), QStringLiteral("_panel.png")}}) {
            const QString file = base + name;
            if (!picture.save(file)) {
                std::fprintf(stderr, "orrelume-dialog-shots: cannot write %s\n", qPrintable(file));
                ++failed;
            } else {
                std::printf("%s\n", qPrintable(file));
            }
        }
    }
    return failed == 0 ? 0 : 1;
}
