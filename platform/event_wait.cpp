#include "platform/event_wait.h"

#include <QBasicTimer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QPointer>

#include <chrono>

namespace orrelume {

namespace {

// Takes the timer events that wake a wait; they need no handling. One for
// the application's life, since the frame loop waits 25 times a second.
class Waker : public QObject {
  public:
    using QObject::QObject;

  protected:
    void timerEvent(QTimerEvent*) override {}
};

}  // namespace

void ServeWindowEvents(int32_t maxWaitMs) {
    QCoreApplication* app = QCoreApplication::instance();
    if (maxWaitMs <= 0 || !app) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    static QPointer<Waker> waker;
    if (!waker) waker = new Waker(app);
    // Events already pending are served without waiting. The timer only
    // wakes the wait; whatever event comes first ends it. Each wait has a
    // timer of its own, so a wait inside it (a dialog's preview run from a
    // window's event) does not stop this one's.
    QBasicTimer wake;
    wake.start(maxWaitMs, Qt::PreciseTimer, waker);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

uint32_t MonotonicTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace orrelume
