#include "ui/lock_message.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>

#include <algorithm>

#include "engine/colour.h"
#include "settings/numeric.h"

namespace orrelume {

uint32_t LockMessageColour(int16_t hue) {
    // The colour wheel works with red in the low byte.
    const uint32_t c = WheelColor(std::clamp<int>(hue, 0, 359), 55, 100, 100, 100);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void LockMessageBanner(QLabel& panel, const AdvancedRunValues& advanced, double areaWidth) {
    if (advanced.lockMessage.empty()) {
        panel.hide();
        return;
    }
    panel.clear();
    QFont font(QString::fromStdString(advanced.fontName));
    font.setPointSize(std::clamp<int>(advanced.fontSize, 10, 80));
    panel.setFont(font);
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor::fromRgb(LockMessageColour(advanced.fontHue)));
    panel.setPalette(palette);
    panel.setAutoFillBackground(true);
    panel.setContentsMargins(0, 0, 0, 0);
    panel.setMargin(0);

    const QString text = QString::fromStdString(advanced.lockMessage);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const auto left = CLng((areaWidth - width) * 0.5);
    panel.setGeometry(left ? *left : 0, 0, width, height);
    panel.setText(text);
    panel.show();
    panel.raise();
}

}  // namespace orrelume
