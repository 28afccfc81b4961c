#include "ui/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/field_rules.h"
#include "ui/host_trace.h"
#include "ui/message_box.h"
#include "ui/widgets.h"
#include "ui/window_placement.h"

namespace orrelume {

namespace {

constexpr const char* kCaption = "Orrelume Help";

}  // namespace

HelpWindow::HelpWindow(QString manualDir, QWidget* owner)
    : QWidget(owner, Qt::Window), dir_(std::move(manualDir)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromUtf8(kCaption));

    auto* outer = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    cmdContents_ = MakeButton(this, "&Contents", "cmdContents");
    cmdBack_ = MakeButton(this, "&Back", "cmdBack");
    cmdForward_ = MakeButton(this, "&Forward", "cmdForward");
    auto* label = new QLabel(QStringLiteral("&Search:"), this);
    txtSearch_ = new QLineEdit(this);
    txtSearch_->setObjectName(QStringLiteral("txtSearch"));
    txtSearch_->setClearButtonEnabled(true);
    txtSearch_->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    label->setBuddy(txtSearch_);
    NameForReaders(*txtSearch_, label->text());
    cmdFind_ = MakeButton(this, "F&ind", "cmdFind");
    bar->addWidget(cmdContents_);
    bar->addWidget(cmdBack_);
    bar->addWidget(cmdForward_);
    bar->addSpacing(fontMetrics().averageCharWidth() * 2);
    bar->addWidget(label);
    bar->addWidget(txtSearch_, 1);
    bar->addWidget(cmdFind_);
    outer->addLayout(bar);

    auto* split = new QSplitter(Qt::Horizontal, this);
    lstResults_ = new QListWidget(split);
    lstResults_->setObjectName(QStringLiteral("lstResults"));
    lstResults_->setAccessibleName(QStringLiteral("Pages found"));
    brwManual_ = new QTextBrowser(split);
    brwManual_->setObjectName(QStringLiteral("brwManual"));
    brwManual_->setAccessibleName(QStringLiteral("Manual"));
    brwManual_->setOpenLinks(false);
    brwManual_->setSearchPaths({dir_});
    split->addWidget(lstResults_);
    split->addWidget(brwManual_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    lstResults_->hide();
    outer->addWidget(split, 1);

    connect(cmdContents_, &QPushButton::clicked, this, [this] { ShowTopic(HelpTopic::Contents); });
    connect(cmdBack_, &QPushButton::clicked, brwManual_, &QTextBrowser::backward);
    connect(cmdForward_, &QPushButton::clicked, brwManual_, &QTextBrowser::forward);
    connect(brwManual_, &QTextBrowser::backwardAvailable, cmdBack_, &QPushButton::setEnabled);
    connect(brwManual_, &QTextBrowser::forwardAvailable, cmdForward_, &QPushButton::setEnabled);
    connect(brwManual_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    connect(brwManual_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = brwManual_->documentTitle();
        setWindowTitle(title.isEmpty()
                           ? QString::fromUtf8(kCaption)
                           : QString::fromUtf8(kCaption) + QStringLiteral(" - ") + title);
    });
    connect(txtSearch_, &QLineEdit::returnPressed, this, [this] { Search(txtSearch_->text()); });
    connect(cmdFind_, &QPushButton::clicked, this, [this] { Search(txtSearch_->text()); });
    connect(lstResults_, &QListWidget::currentRowChanged, this, &HelpWindow::ShowResult);
    cmdBack_->setEnabled(false);
    cmdForward_->setEnabled(false);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // A page of some eighty characters beside the list of pages found,
    // within the screen.
    const QFontMetrics fm = fontMetrics();
    QSize size(fm.averageCharWidth() * 110, fm.height() * 36);
    if (const QScreen* screen =
            owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
    lstResults_->setMinimumWidth(fm.averageCharWidth() * 20);
    split->setSizes({std::min(fm.averageCharWidth() * 32, size.width() / 3), size.width()});
    CentreWindow(*this);
}

HelpWindow::~HelpWindow() = default;

QString HelpWindow::CurrentPage() const {
    return QFileInfo(brwManual_->source().path()).fileName();
}

void HelpWindow::ShowPage(const QString& page) {
    brwManual_->setSource(QUrl::fromLocalFile(QDir(dir_).filePath(page)));
    Trace("help-page " + page.toStdString());
}

void HelpWindow::ShowTopic(HelpTopic topic) {
    const std::string_view page = HelpPageOf(topic);
    ShowPage(QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())));
    if (topic == HelpTopic::Search) {
        lstResults_->show();
        txtSearch_->setFocus();
        txtSearch_->selectAll();
    } else {
        brwManual_->setFocus();
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::FollowLink(const QUrl& link) {
    const QUrl target = brwManual_->source().resolved(link);
    if (target.isLocalFile() || target.scheme().isEmpty()) {
        const QString file = target.toLocalFile();
        if (!QFileInfo(file).isFile()) return;
        brwManual_->setSource(target);
        return;
    }
    // Outside the manual: the desktop's browser.
    const QString address = target.toString();
    if (!OpenWebAddress(address.toStdString())) {
        ShowInformation(this, address + QStringLiteral("\n\nThe Web Page could not be reached."));
    }
}

void HelpWindow::LoadPages() {
    if (!pages_.empty()) return;
    QStringList files = QDir(dir_).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    // The front page first, so that equal hits list it first.
    files.removeAll(QStringLiteral("index.html"));
    files.prepend(QStringLiteral("index.html"));
    for (const QString& file : files) {
        QFile f(QDir(dir_).filePath(file));
        if (!f.open(QIODevice::ReadOnly)) continue;
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(f.readAll()));
        QString title = doc.metaInformation(QTextDocument::DocumentTitle);
        if (title.isEmpty()) title = file;
        pages_.push_back(
            {file.toStdString(), title.toStdString(), doc.toPlainText().toStdString()});
    }
}

int HelpWindow::Search(const QString& query) {
    LoadPages();
    lastQuery_ = query;
    if (txtSearch_->text() != query) txtSearch_->setText(query);
    const std::vector<ManualHit> hits = SearchManual(pages_, query.toStdString());
    QSignalBlocker quiet(lstResults_);
    lstResults_->clear();
    for (const ManualHit& hit : hits) {
        auto* item =
            new QListWidgetItem(QString::fromStdString(pages_[hit.page].title), lstResults_);
        item->setData(Qt::UserRole, QString::fromStdString(pages_[hit.page].file));
        item->setToolTip(item->text());
    }
    if (hits.empty() && !QueryWords(query.toStdString()).empty()) {
        auto* none =
            new QListWidgetItem(QStringLiteral("(No page holds these words.)"), lstResults_);
        none->setFlags(Qt::NoItemFlags);
    }
    lstResults_->show();
    Trace("help-search " + std::to_string(hits.size()));
    if (!hits.empty()) {
        lstResults_->setCurrentRow(0);
        ShowResult(0);
    }
    return static_cast<int>(hits.size());
}

void HelpWindow::ShowResult(int row) {
    const QListWidgetItem* item = lstResults_->item(row);
    if (item == nullptr) return;
    const QString file = item->data(Qt::UserRole).toString();
    if (file.isEmpty()) return;
    ShowPage(file);
    // The first place the first word stands on the page, selected.
    const std::vector<std::string> words = QueryWords(lastQuery_.toStdString());
    if (!words.empty()) {
        brwManual_->moveCursor(QTextCursor::Start);
        brwManual_->find(QString::fromStdString(words.front()));
        // A page just loaded is laid out later; scroll to the find then.
        QTimer::singleShot(0, brwManual_, [this] { brwManual_->ensureCursorVisible(); });
    }
}

}  // namespace orrelume
