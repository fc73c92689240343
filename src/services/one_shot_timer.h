#pragma once

#include <QObject>

namespace zephyrin {

// A timer that ticks once per enabling. Enabling it while it is enabled keeps
// the period already running, so any number of requests within one period
// give one tick. The tick disables the timer before anything else, so a
// handler that runs a long drawing can re-arm the timer and get its next tick
// from inside that drawing.
class OneShotTimer : public QObject {
    Q_OBJECT

public:
    OneShotTimer(int intervalMs, QObject* parent);

    void setEnabled(bool enabled);
    bool isEnabled() const { return timerId_ != 0; }

signals:
    void tick();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    int intervalMs_;
    int timerId_ = 0;
};

}  // namespace zephyrin
