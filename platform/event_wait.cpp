#include "platform/event_wait.h"

#include <QBasicTimer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <memory>

namespace orrelume {

namespace {

// Only wakes the wait: its timer events need no handling.
class Waker : public QObject {
  public:
    using QObject::QObject;
    QBasicTimer timer;

  protected:
    void timerEvent(QTimerEvent*) override {}
};

// How many waits are under way: a window's event served in a wait may run
// a loop of its own (a dialog's preview) that waits too.
int gDepth = 0;

}  // namespace

void ServeWindowEvents(int32_t maxWaitMs) {
    QCoreApplication* app = QCoreApplication::instance();
    if (maxWaitMs <= 0 || !app) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // The outermost wait, 25 times a second, keeps its waker for the
    // application's life; a wait inside it has one of its own.
    static QPointer<Waker> kept;
    Waker* waker = nullptr;
    std::unique_ptr<Waker> inner;
    if (gDepth == 0) {
        if (!kept) kept = new Waker(app);
        waker = kept;
    } else {
        inner = std::make_unique<Waker>();
        waker = inner.get();
    }
    // Events already pending are served without waiting. The timer only
    // wakes the wait; whatever event comes first ends it.
    waker->timer.start(maxWaitMs, Qt::PreciseTimer, waker);
    ++gDepth;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    --gDepth;
    waker->timer.stop();
}

uint32_t MonotonicTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace orrelume
