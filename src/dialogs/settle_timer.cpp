#include "dialogs/settle_timer.h"

namespace zephyrin {

SettleTimer::SettleTimer(QObject* parent) : QTimer(parent) {
    setInterval(250);
    // A coarse timer may fire up to 5 % late, which would stretch the 500 ms bound.
    setTimerType(Qt::PreciseTimer);
    connect(this, &QTimer::timeout, this, &SettleTimer::tick);
}

void SettleTimer::arm() {
    tickCount_ = 0;
    if (!isActive()) start();
}

void SettleTimer::tick() {
    if (tickCount_ == 0) {
        tickCount_ = 1;
        return;
    }
    stop();
    emit settled();
    tickCount_ = 0;
}

}  // namespace zephyrin
