#include "services/one_shot_timer.h"

#include <QTimerEvent>

namespace zephyrin {

OneShotTimer::OneShotTimer(int intervalMs, QObject* parent) : QObject(parent), intervalMs_(intervalMs) {}

void OneShotTimer::setEnabled(bool enabled) {
    if (enabled && timerId_ == 0) {
        timerId_ = startTimer(intervalMs_, Qt::PreciseTimer);
    } else if (!enabled && timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
}

void OneShotTimer::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timerId_) return;
    // Qt never delivers a timer's event while that same timer's previous
    // event is being handled; a fresh timer id on re-arming avoids that.
    setEnabled(false);
    emit tick();
}

}  // namespace zephyrin
