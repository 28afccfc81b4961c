#include "dialogs/template_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/template_paths.h"
#include "ui/field_rules.h"
#include "ui/help.h"
#include "ui/host_trace.h"
#include "ui/message_box.h"
#include "ui/widgets.h"
#include "ui/window_placement.h"

namespace orrelume {

namespace {

constexpr std::string_view kPlacementSection = "General\\Template";

}  // namespace

frmFileIO::frmFileIO(SettingsStore& store, const HostState& host, bool open, const QString& title,
                     std::string_view fileTypes, std::string_view extension, QWidget* parent)
    : QFileDialog(parent, title), store_(store), host_(host), open_(open), extension_(extension) {
    setObjectName(QStringLiteral("frmFileIO"));
    // The program's checks run on the dialog's own accept, so it must be
    // Qt's dialog, not the desktop's.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::DontConfirmOverwrite, true);
    // Each type's description is shown as given; the patterns behind it are
    // the ones this system needs.
    setOption(QFileDialog::HideNameFilterDetails, true);
    setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const TemplateFileType& type : ParseFileTypes(fileTypes))
        filters << Q(ChooserNameFilter(type));
    setNameFilters(filters);
    if (!filters.isEmpty()) selectNameFilter(filters.front());

    const std::string folder = store_.ReadSettingText(kTemplateSection, "Path_Dir", "");
    if (!folder.empty() && QFileInfo(Q(folder)).isDir()) setDirectory(Q(folder));
    RestoreWindowPlacement(*this, store_, kPlacementSection, host_, true);
    if (QLineEdit* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        NameForReaders(*name, QStringLiteral("File name"));
    // The manual's page on templates, below the dialog's own buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        auto* help = new QPushButton(QStringLiteral("&Help"), this);
        help->setObjectName(QStringLiteral("cmdHelp"));
        help->setAutoDefault(false);
        NameForReaders(*help, help->text());
        connect(help, &QPushButton::clicked, this,
                [this] { ShowHelp(this, HelpTopic::Templates); });
        grid->addWidget(help, grid->rowCount(), grid->columnCount() - 1);
    }
}

frmFileIO::~frmFileIO() = default;

QString frmFileIO::TypedName() const {
    if (const QLineEdit* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        return name->text().trimmed();
    const QStringList chosen = selectedFiles();
    return chosen.isEmpty() ? QString() : QFileInfo(chosen.front()).fileName();
}

void frmFileIO::accept() {
    const QString name = TypedName();
    const QString path =
        name.isEmpty() ? QString()
                       : (QDir::isAbsolutePath(name) ? name : directory().absoluteFilePath(name));
    // A folder typed in, or chosen, is opened.
    if (!path.isEmpty() && QFileInfo(path).isDir()) {
        setDirectory(path);
        if (QLineEdit* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->clear();
        return;
    }
    std::string chosen = path.toStdString();
    if (open_) {
        if (name.isEmpty() || !QFileInfo(path).isFile()) {
            ShowInformation(this, QStringLiteral("Please select an existing file."));
            return;
        }
    } else {
        if (name.isEmpty()) {
            ShowInformation(this, QStringLiteral("Please enter a file name."));
            return;
        }
        if (!ProbeWritable(chosen)) {
            ShowInformation(this, QStringLiteral("Please enter a valid path and file."));
            return;
        }
        chosen = WithTemplateExtension(chosen, extension_);
    }
    fullFileName_ = chosen;
    const std::string folder = QFileInfo(Q(chosen)).absolutePath().toStdString();
    store_.WriteSetting(kTemplateSection, "Path_Drive", FolderRoot(folder));
    store_.WriteSetting(kTemplateSection, "Path_Dir", folder);
    store_.Flush();
    Trace("template-chosen " + chosen);
    QDialog::accept();
}

void frmFileIO::done(int result) {
    if (result != Accepted) fullFileName_.clear();
    SaveWindowPlacement(*this, store_, kPlacementSection, host_);
    QFileDialog::done(result);
}

}  // namespace orrelume
