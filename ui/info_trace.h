// Where the information windows' controls are on the screen, written to the
// trace so that the real-window tests can press them and look at them.
#pragma once

#include <QWidget>

#include <string>

#include "ui/host_trace.h"

namespace orrelume {

// "control <name> <centre x> <centre y>" and "rect <name> <x> <y> <width>
// <height>", in the screen's device pixels.
inline void TraceControl(const QWidget& w) {
    if (!TraceEnabled()) return;
    const qreal ratio = w.devicePixelRatioF();
    const QPoint topLeft = w.mapToGlobal(QPoint(0, 0));
    const QPoint centre = w.mapToGlobal(w.rect().center());
    const std::string name = w.objectName().toStdString();
    Trace("control " + name + " " + std::to_string(qRound(centre.x() * ratio)) + " " +
          std::to_string(qRound(centre.y() * ratio)));
    Trace("rect " + name + " " + std::to_string(qRound(topLeft.x() * ratio)) + " " +
          std::to_string(qRound(topLeft.y() * ratio)) + " " +
          std::to_string(qRound(w.width() * ratio)) + " " +
          std::to_string(qRound(w.height() * ratio)));
}

}  // namespace orrelume
