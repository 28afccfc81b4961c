#include "dialogs/credits_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

#include "dialogs/about_values.h"
#include "ui/field_rules.h"
#include "ui/info_trace.h"
#include "ui/widgets.h"
#include "ui/window_placement.h"

namespace orrelume {

namespace {

// Frames follow one another like those of a dialog's preview.
constexpr int kFrameDelayMs = 32;

}  // namespace

// The starfield: a picture of device pixels in which the stars are drawn by
// inverting pixels, so each frame changes only where stars were and are.
class StarfieldBox : public QWidget {
  public:
    StarfieldBox(frmCredits& owner, uint64_t seed, QWidget* parent)
        : QWidget(parent), owner_(owner), field_(seed) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    // Clears the picture to the box's size and starts new stars.
    void Restart() {
        const qreal ratio = devicePixelRatioF();
        const QSize size(std::max(1, qRound(width() * ratio)),
                         std::max(1, qRound(height() * ratio)));
        image_ = QImage(size, QImage::Format_RGB32);
        image_.fill(Qt::black);
        const CreditsParameters& p = owner_.Parameters();
        field_.Start(reinterpret_cast<uint32_t*>(image_.bits()), image_.width(), image_.height(),
                     static_cast<int32_t>(image_.bytesPerLine() / 4), p.stars, p.speed);
        update();
    }

    void Frame() {
        if (image_.isNull()) return;
        field_.Frame();
        update();
    }

    const QImage& Image() const { return image_; }

    QSize sizeHint() const override { return LinesSize(*this, 36, 24); }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        if (image_.isNull()) {
            painter.fillRect(event->rect(), Qt::black);
            return;
        }
        image_.setDevicePixelRatio(devicePixelRatioF());
        painter.drawImage(QPoint(0, 0), image_);
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        // A new size is a new sky.
        if (owner_.started_) Restart();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QWidget* w = window();
        w->setWindowState(w->windowState() ^ Qt::WindowMaximized);
        event->accept();
    }

  private:
    frmCredits& owner_;
    Starfield field_;
    QImage image_;
};

QString CreditsText() {
    const QString product = QString::fromUtf8(kProductName);
    return QStringLiteral(
               "<p align=center><b><big>%1</big></b><br>Version %2</p>"
               "<p align=center>Galaxies and universes of galaxies,<br>star by star, pixel by "
               "pixel.</p>"
               "<p align=center><b>Made by</b><br>The %1 developers</p>"
               "<p align=center><b>Built with</b></p>"
               "<p align=center>Qt %3<br>(Qt Core, Qt GUI, Qt Widgets)<br>"
               "The Qt Company Ltd. and other contributors<br>"
               "GNU Lesser General Public License, version 3</p>"
               "<p align=center>libxcb, the X protocol C-language binding<br>"
               "X.Org Foundation and contributors<br>MIT licence</p>"
               "<p align=center>The GNU C++ standard library<br>"
               "Free Software Foundation<br>"
               "GNU General Public License, version 3,<br>"
               "with the GCC Runtime Library Exception</p>"
               "<p align=center>The GNU C library<br>"
               "Free Software Foundation<br>"
               "GNU Lesser General Public License, version 2.1</p>"
               "<p align=center>Qt itself draws on FreeType, HarfBuzz, Fontconfig, "
               "libpng, zlib, ICU, PCRE2 and others, each under its own licence, as "
               "installed with Qt on this system.</p>"
               "<p align=center><b>Thanks to</b><br>everyone who watches the stars.</p>")
        .arg(product, QString::fromUtf8(kProductVersion), QString::fromLatin1(qVersion()));
}

frmCredits::frmCredits(QWidget* parent, uint64_t seed) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCredits"));
    setWindowTitle(QStringLiteral("Credits"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    if (seed == 0) {
        seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }

    auto* outer = new QVBoxLayout(this);
    picField_ = new StarfieldBox(*this, seed, this);
    picField_->setObjectName(QStringLiteral("picField"));
    picField_->setAccessibleName(QStringLiteral("Starfield"));
    outer->addWidget(picField_, 1);

    // The credits panel sits in the middle of the starfield.
    auto* grid = new QGridLayout(picField_);
    const int line = fontMetrics().height();
    // A bordered panel; the text scrolls in the area inside the border.
    auto* border = new QFrame(picField_);
    border->setObjectName(QStringLiteral("fraCredits"));
    border->setFrameShape(QFrame::Box);
    border->setAutoFillBackground(true);
    QPalette dark = border->palette();
    dark.setColor(QPalette::Window, QColor(0, 0, 24));
    dark.setColor(QPalette::WindowText, QColor(220, 228, 255));
    dark.setColor(QPalette::Light, QColor(70, 80, 140));
    dark.setColor(QPalette::Dark, QColor(70, 80, 140));
    dark.setColor(QPalette::Mid, QColor(70, 80, 140));
    border->setPalette(dark);
    border->setMinimumSize(line * 18, line * 10);
    auto* inside = new QVBoxLayout(border);
    inside->setContentsMargins(2, 2, 2, 2);
    picFrame_ = new QWidget(border);
    picFrame_->setObjectName(QStringLiteral("picFrame"));
    inside->addWidget(picFrame_);
    grid->addWidget(border, 1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 4);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 1);

    picCredits_ = new QLabel(CreditsText(), picFrame_);
    picCredits_->setObjectName(QStringLiteral("picCredits"));
    picCredits_->setTextFormat(Qt::RichText);
    picCredits_->setWordWrap(true);
    picCredits_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    picCredits_->setPalette(dark);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdDismiss_ = new QPushButton(QStringLiteral("OK"), this);
    cmdDismiss_->setObjectName(QStringLiteral("cmdDismiss"));
    NameForReaders(*cmdDismiss_, QStringLiteral("OK"));
    cmdDismiss_->setDefault(true);
    buttons->addWidget(cmdDismiss_);
    outer->addLayout(buttons);
    connect(cmdDismiss_, &QPushButton::clicked, this, &QDialog::accept);

    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kFrameDelayMs);
    connect(&timer_, &QTimer::timeout, this, &frmCredits::Frame);

    resize(sizeHint());
    CentreWindow(*this);
}

frmCredits::~frmCredits() = default;

void frmCredits::SetParameters(double stars, double speed, double scrollStep) {
    parameters_ = BoundCreditsParameters(stars, speed, scrollStep);
}

const QImage& frmCredits::Field() const {
    return picField_->Image();
}

void frmCredits::FitCredits() {
    const int width = std::max(1, picFrame_->width() - 2 * fontMetrics().averageCharWidth());
    picCredits_->setFixedWidth(width);
    picCredits_->setFixedHeight(picCredits_->heightForWidth(width));
    picCredits_->move((picFrame_->width() - width) / 2, qRound(creditsTop_));
}

void frmCredits::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    // The first showing: the panel has its size now.
    started_ = true;
    state_.StopRequested = false;
    picField_->Restart();
    creditsTop_ = picFrame_->height();
    FitCredits();
    timer_.start();
    QTimer::singleShot(0, this, [this] {
        TraceControl(*picField_);
        TraceControl(*cmdDismiss_);
        Trace("credits-shown");
    });
}

void frmCredits::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (started_) FitCredits();
}

void frmCredits::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && started_) {
        QTimer::singleShot(0, this, [this] {
            TraceControl(*picField_);
            TraceControl(*cmdDismiss_);
        });
    }
}

void frmCredits::Frame() {
    if (state_.StopRequested) {
        timer_.stop();
        return;
    }
    picField_->Frame();
    creditsTop_ = NextCreditsTop(creditsTop_, parameters_.scrollStep, picCredits_->height(),
                                 picFrame_->height());
    picCredits_->move(picCredits_->x(), qRound(creditsTop_));
    if (++frames_ == 1) Trace("credits-first-frame");
}

void frmCredits::done(int result) {
    state_.StopRequested = true;
    timer_.stop();
    if (isVisible()) Trace("credits-closed");
    QDialog::done(result);
}

}  // namespace orrelume
