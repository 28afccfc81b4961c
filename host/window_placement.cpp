#include "host/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "driver/host_state.h"
#include "settings/numeric.h"

namespace orrelume {

namespace {

constexpr std::string_view kWindowState = "WindowState";
constexpr std::string_view kWindowSize = "WindowSize";
constexpr int32_t kMaxField = 99999;
// A restored window is never smaller than this (in pixels), so a damaged
// size cannot make it vanish.
constexpr int32_t kMinimumWidth = 120;
constexpr int32_t kMinimumHeight = 90;

int16_t ValidTwipsPerPixel(int16_t twipsPerPixel) {
    return twipsPerPixel > 0 ? twipsPerPixel : 15;
}

int32_t ReadField(std::string_view text, size_t start) {
    if (start >= text.size()) return 0;
    const auto value = CLng(Val(text.substr(start, 5)));
    return value ? *value : 0;
}

QScreen* ScreenOf(const QWidget& window) {
    QScreen* screen = window.screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

std::string FormatWindowSize(const TwipsRect& rect) {
    auto field = [](int32_t value) { return FormatZeroPadded(std::clamp(value, 0, kMaxField), 5); };
    return field(rect.left) + field(rect.top) + field(rect.width) + field(rect.height);
}

TwipsRect ParseWindowSize(std::string_view text) {
    return {ReadField(text, 0), ReadField(text, 5), ReadField(text, 10), ReadField(text, 15)};
}

int32_t PixelsToTwips(int32_t pixels, int16_t twipsPerPixel) {
    return static_cast<int32_t>(std::clamp<int64_t>(
        static_cast<int64_t>(pixels) * ValidTwipsPerPixel(twipsPerPixel), INT32_MIN, INT32_MAX));
}

int32_t TwipsToPixels(int32_t twips, int16_t twipsPerPixel) {
    const auto pixels = CLng(static_cast<double>(twips) / ValidTwipsPerPixel(twipsPerPixel));
    return pixels ? *pixels : 0;
}

void SaveWindowPlacement(const QWidget& window, SettingsStore& store, std::string_view section,
                         const HostState& host) {
    const Qt::WindowStates states = window.windowState();
    store.WriteSetting(
        section, kWindowState,
        states.testFlag(Qt::WindowMaximized) ? kPlacementMaximised : kPlacementNormal);
    if (!states.testFlag(Qt::WindowMinimized)) {
        // The position of the frame (what moving the window sets) and the
        // size of its area, so a restore puts back exactly what was seen.
        const QPoint pos = window.pos();
        const TwipsRect rect{PixelsToTwips(pos.x(), host.TwipsPerPixelX),
                             PixelsToTwips(pos.y(), host.TwipsPerPixelY),
                             PixelsToTwips(window.width(), host.TwipsPerPixelX),
                             PixelsToTwips(window.height(), host.TwipsPerPixelY)};
        store.WriteSetting(section, kWindowSize, FormatWindowSize(rect));
    }
    store.Flush();
}

void RestoreWindowPlacement(QWidget& window, const SettingsStore& store, std::string_view section,
                            const HostState& host, bool sizable) {
    const int16_t state = store.ReadSettingInt16(section, kWindowState, -1);
    if (state == -1) {
        CentreWindow(window);
        return;
    }
    if (state == kPlacementNormal) {
        window.setWindowState(Qt::WindowNoState);
    } else if (state == kPlacementMinimised) {
        window.setWindowState(Qt::WindowMinimized);
    } else if (state == kPlacementMaximised) {
        window.setWindowState(Qt::WindowMaximized);
    }
    const std::string text = Trim(store.ReadSettingText(section, kWindowSize, ""));
    if (text.empty() || state != kPlacementNormal) return;

    const TwipsRect rect = ParseWindowSize(text);
    const QPoint pos(TwipsToPixels(rect.left, host.TwipsPerPixelX),
                     TwipsToPixels(rect.top, host.TwipsPerPixelY));
    if (sizable) {
        window.resize(std::max(kMinimumWidth, TwipsToPixels(rect.width, host.TwipsPerPixelX)),
                      std::max(kMinimumHeight, TwipsToPixels(rect.height, host.TwipsPerPixelY)));
    }
    window.move(pos);
    // A window that would lie on no screen at all (the screens changed since)
    // is centred instead of lost.
    bool onScreen = false;
    const QRect placed(pos, window.size());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().intersects(placed)) onScreen = true;
    }
    if (!onScreen) CentreWindow(window);
}

void CentreWindow(QWidget& window) {
    if (window.windowState() != Qt::WindowNoState) return;
    const QScreen* screen = ScreenOf(window);
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    const auto left = CLng((area.width() - size.width()) * 0.5);
    const auto top = CLng((area.height() - size.height()) * 0.5);
    if (left && top) window.move(area.left() + *left, area.top() + *top);
}

}  // namespace orrelume
