#include "ui/pictures.h"

#include <QPaintEvent>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "engine/generate.h"
#include "engine/random.h"
#include "ui/widgets.h"

namespace orrelume {

QColor EngineColour(uint32_t rgb) {
    return QColor(static_cast<int>(RedOf(rgb)), static_cast<int>(GreenOf(rgb)),
                  static_cast<int>(BlueOf(rgb)));
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void PictureBox::SetPainter(Painter painter) {
    painter_ = std::move(painter);
    update();
}

QSize PictureBox::sizeHint() const {
    return LinesSize(*this, 4, 2);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (painter_) painter_(painter, rect());
}

void DrawShapeProfile(QPainter& painter, const QRect& area, int profile) {
    if (area.width() < 4 || area.height() < 4) return;
    // The profile's height at radius r of a galaxy of radius 1; its sign is
    // the generator's random choice of side, so the magnitude is drawn on
    // both sides.
    Random rng(1);
    const int steps = std::max(8, area.width() / 2);
    std::vector<double> heights(static_cast<size_t>(steps) + 1);
    double top = 0;
    for (int i = 0; i <= steps; ++i) {
        const float r = static_cast<float>(i) / static_cast<float>(steps);
        double h = std::fabs(static_cast<double>(ShapeProfile(rng, profile, r, 1.0f, 1.0f)));
        if (!std::isfinite(h)) h = 0;
        heights[static_cast<size_t>(i)] = h;
        top = std::max(top, h);
    }
    if (top <= 0) top = 1;
    const double cx = area.center().x() + 0.5, cy = area.center().y() + 0.5;
    const double halfW = (area.width() - 4) * 0.5, halfH = (area.height() - 4) * 0.5;
    QPainterPath outline;
    // Upper edge from the left rim over the core to the right rim, then the
    // lower edge back.
    for (int side : {-1, 1}) {
        for (int k = 0; k <= steps; ++k) {
            const int i = side < 0 ? steps - k : k;
            const QPointF p(cx + side * halfW * i / steps,
                            cy - halfH * heights[static_cast<size_t>(i)] / top);
            if (side < 0 && k == 0)
                outline.moveTo(p);
            else
                outline.lineTo(p);
        }
    }
    for (int side : {1, -1}) {
        for (int k = 0; k <= steps; ++k) {
            const int i = side > 0 ? steps - k : k;
            outline.lineTo(cx + side * halfW * i / steps,
                           cy + halfH * heights[static_cast<size_t>(i)] / top);
        }
    }
    outline.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(140, 190, 255), 1));
    painter.setBrush(QColor(40, 70, 130));
    painter.drawPath(outline);
    painter.restore();
}

void DrawColourBars(QPainter& painter, const QRect& area, const uint32_t* colours, int count) {
    if (count <= 0 || area.isEmpty()) return;
    for (int i = 0; i < count; ++i) {
        const int left = area.left() + area.width() * i / count;
        const int right = area.left() + area.width() * (i + 1) / count;
        painter.fillRect(QRect(left, area.top(), std::max(1, right - left), area.height()),
                         EngineColour(colours[i]));
    }
}

void DrawUniverseRamp(QPainter& painter, const QRect& area, int hueFrom, int hueTo) {
    ColourRamp ramp{};
    BuildUniverseRamp(ramp, std::clamp(hueFrom, 0, 999), std::clamp(hueTo, 0, 999));
    DrawColourBars(painter, area, ramp.data(), 80);
}

void DrawFlareRamp(QPainter& painter, const QRect& area, int hueFrom, int hueTo) {
    ColourRamp ramp{};
    BuildFlareRamp(ramp, std::clamp(hueFrom, 0, 999), std::clamp(hueTo, 0, 999));
    DrawColourBars(painter, area, ramp.data(), 80);
}

}  // namespace orrelume
