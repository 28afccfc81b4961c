// The small pictures of the dialogs: a picture box that draws itself with a
// function, the shape profile of a galaxy seen edge-on, a colour ramp as a
// row of bars, and colour swatches.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "engine/colour.h"

namespace orrelume {

// A colour of the engine (red in the low byte) as Qt's colour.
QColor EngineColour(uint32_t rgb);

// A black box that draws what its function draws, at its current size.
class PictureBox : public QWidget {
  public:
    using Painter = std::function<void(QPainter&, const QRect&)>;
    explicit PictureBox(QWidget* parent = nullptr);
    // Draws with `painter` from now on (nothing: the box stays black).
    void SetPainter(Painter painter);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Painter painter_;
};

// The shape profile (0..6) of a standard galaxy, seen edge-on: its height
// over the radius, mirrored to both sides of the core and above and below
// the galaxy's plane, filling `area`.
void DrawShapeProfile(QPainter& painter, const QRect& area, int profile);

// A ramp of colours as equal bars across `area`, bar i in colour i.
void DrawColourBars(QPainter& painter, const QRect& area, const uint32_t* colours, int count);

// The universe's colour ramp from one hue to another (0..999), as the 80
// bars the universe page shows.
void DrawUniverseRamp(QPainter& painter, const QRect& area, int hueFrom, int hueTo);
// A galaxy type's comet and nova colours from one hue to another, as bars.
void DrawFlareRamp(QPainter& painter, const QRect& area, int hueFrom, int hueTo);

}  // namespace orrelume
