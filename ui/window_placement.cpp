#include "ui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
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

// The screen a frame lies on most, or none when it lies on none.
const QScreen* ScreenUnder(const QRect& frame) {
    const QScreen* best = nullptr;
    int64_t bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(frame);
        const int64_t area = static_cast<int64_t>(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

// Gives the window the size its layout asks for, as showing it would, so
// that it is placed at the size it will have.
void SettleSize(QWidget& window) {
    window.ensurePolished();
    if (QLayout* layout = window.layout()) layout->activate();
    if (!window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
        // Showing sizes it again as it would have anyway.
        window.setAttribute(Qt::WA_Resized, false);
    }
}

// The window no larger than the area, down to its minimum size (a fixed
// size stays as it is).
void FitSize(QWidget& window, const QRect& area) {
    const QSize frameExtra = window.frameGeometry().size() - window.size();
    const QSize room = (area.size() - frameExtra).expandedTo(window.minimumSize());
    const QSize fitted = window.size().boundedTo(room);
    if (fitted != window.size()) {
        const bool resized = window.testAttribute(Qt::WA_Resized);
        window.resize(fitted);
        if (!resized) window.setAttribute(Qt::WA_Resized, false);
    }
}

enum class Placing { Centre, Keep };

// Sizes and places a normal window within the free space of its screen:
// centred, or kept where it is as far as the space allows.
void Place(QWidget& window, Placing how) {
    if (window.windowState() != Qt::WindowNoState) return;
    SettleSize(window);
    const QScreen* screen = how == Placing::Keep ? ScreenUnder(window.frameGeometry()) : nullptr;
    if (!screen) {
        screen = ScreenOf(window);
        how = Placing::Centre;
    }
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    FitSize(window, area);
    const QRect frame = window.frameGeometry();
    const QPoint to =
        how == Placing::Centre ? CentredIn(frame.size(), area) : KeptWithin(frame, area);
    if (to != frame.topLeft()) window.move(to);
}

// Places the window once more as it is first shown: its layout may have
// grown it since it was placed, and a window manager may have given it a
// frame.
class PlaceOnShow : public QObject {
  public:
    PlaceOnShow(QWidget& window, Placing how) : QObject(&window), how_(how) {
        setObjectName(QStringLiteral("orrelumePlaceOnShow"));
        window.installEventFilter(this);
    }
    void SetPlacing(Placing how) { how_ = how; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            watched->removeEventFilter(this);
            Place(*static_cast<QWidget*>(watched), how_);
            deleteLater();
        }
        return false;
    }

  private:
    Placing how_;
};

void PlaceNowAndOnShow(QWidget& window, Placing how) {
    Place(window, how);
    if (window.isVisible()) return;
    auto* pending = window.findChild<PlaceOnShow*>(QStringLiteral("orrelumePlaceOnShow"),
                                                   Qt::FindDirectChildrenOnly);
    if (pending) {
        pending->SetPlacing(how);
    } else {
        new PlaceOnShow(window, how);
    }
}

}  // namespace

std::string FormatWindowSize(const TwipsRect& rect) {
    auto field = [](int32_t value) { return FormatZeroPadded(std::clamp(value, 0, kMaxField), 5); };
    return field(rect.left) + field(rect.top) + field(rect.width) + field(rect.height);
}

QPoint CentredIn(const QSize& size, const QRect& area) {
    const auto left = CLng((area.width() - size.width()) * 0.5);
    const auto top = CLng((area.height() - size.height()) * 0.5);
    return {area.left() + (left ? *left : 0), area.top() + (top ? *top : 0)};
}

QPoint KeptWithin(const QRect& frame, const QRect& area) {
    const auto axis = [](int at, int length, int start, int room) {
        return std::max(start, std::min(at, start + room - length));
    };
    return {axis(frame.left(), frame.width(), area.left(), area.width()),
            axis(frame.top(), frame.height(), area.top(), area.height())};
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
    if (sizable) {
        window.resize(std::max(kMinimumWidth, TwipsToPixels(rect.width, host.TwipsPerPixelX)),
                      std::max(kMinimumHeight, TwipsToPixels(rect.height, host.TwipsPerPixelY)));
    }
    window.move(TwipsToPixels(rect.left, host.TwipsPerPixelX),
                TwipsToPixels(rect.top, host.TwipsPerPixelY));
    // A place stored on a larger screen, or before the window grew, is
    // brought into the screen; one on no screen at all (the screens changed
    // since) is centred instead of lost.
    PlaceNowAndOnShow(window, Placing::Keep);
}

void CentreWindow(QWidget& window) {
    PlaceNowAndOnShow(window, Placing::Centre);
}

}  // namespace orrelume
