#include "ui/preview_box.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "platform/event_wait.h"
#include "platform/frame_tiles.h"
#include "ui/widgets.h"

namespace orrelume {

PreviewBox::PreviewBox(SettingsStore& store, RunFlags& flags, QWidget* parent)
    : QWidget(parent), source_(store), driver_(*this, flags, facts_, source_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

PreviewBox::~PreviewBox() = default;

QSize PreviewBox::DeviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return QSize(std::max(1, qRound(width() * ratio)), std::max(1, qRound(height() * ratio)));
}

QSize PreviewBox::sizeHint() const {
    return LinesSize(*this, 20, 15);
}

QSize PreviewBox::minimumSizeHint() const {
    return LinesSize(*this, 10, 8);
}

void PreviewBox::Present(const DrawingSurface& surface) {
    // A box resized while the preview runs (the dialog was) is followed, so
    // the picture fills it and stays centred.
    if (running_) {
        const QSize size = DeviceSize();
        driver_.ResizeDialogSurface(size.width(), size.height());
    }
    // Only the tiles the frame drew are painted again.
    const QRegion changed = TakeChangedRegion(surface);
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
    update();
}

void PreviewBox::paintEvent(QPaintEvent* event) {
    // Black when no preview runs.
    QPainter painter(this);
    PaintSurface(painter, running_ ? &driver_.Surface() : nullptr, event->region(),
                 devicePixelRatioF());
}

}  // namespace orrelume
