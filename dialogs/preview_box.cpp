#include "dialogs/preview_box.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "platform/event_wait.h"
#include "platform/frame_tiles.h"

namespace orrelume {

PreviewBox::PreviewBox(SettingsStore& store, HostState& state, QWidget* parent)
    : QWidget(parent), source_(store), driver_(*this, state, source_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

PreviewBox::~PreviewBox() = default;

QSize PreviewBox::DeviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return QSize(std::max(1, qRound(width() * ratio)), std::max(1, qRound(height() * ratio)));
}

QSize PreviewBox::sizeHint() const {
    const int h = fontMetrics().height();
    return QSize(h * 20, h * 15);
}

QSize PreviewBox::minimumSizeHint() const {
    const int h = fontMetrics().height();
    return QSize(h * 10, h * 8);
}

void PreviewBox::Present(const DrawingSurface& surface) {
    const QRegion changed =
        ConvertChangedTiles(surface.pixels().data(), surface.width(), surface.height(), shown_);
    ++frames_;
    if (changed.isEmpty()) return;
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0) {
        update(changed);
    } else {
        update();
    }
}

void PreviewBox::ProcessEvents(int32_t maxWaitMs) {
    ServeWindowEvents(maxWaitMs);
}

uint32_t PreviewBox::TickCount() {
    return MonotonicTickCount();
}

void PreviewBox::Finish() {
    shown_ = QImage();
    update();
}

void PreviewBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    QRegion rest = event->region();
    if (!shown_.isNull()) {
        shown_.setDevicePixelRatio(ratio);
        const QRect picture(QPoint(0, 0), shown_.deviceIndependentSize().toSize());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& dirty : event->region()) {
            const QRect target = dirty & picture;
            if (target.isEmpty()) continue;
            const QRect source(
                QPoint(qRound(target.x() * ratio), qRound(target.y() * ratio)),
                QSize(qRound(target.width() * ratio), qRound(target.height() * ratio)));
            painter.drawImage(target, shown_, source);
        }
        rest -= QRegion(picture);
    }
    for (const QRect& r : rest)
        painter.fillRect(r, Qt::black);
}

}  // namespace orrelume
