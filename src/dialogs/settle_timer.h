#pragma once

#include <QTimer>

namespace zephyrin {

// Decides when a dialog's controls have settled. Every change calls arm; the
// controls count as settled on the second tick after the last change, so a
// value is applied 250 to 500 ms after it was made, and a bar being dragged
// only once it has rested for a full tick.
class SettleTimer : public QTimer {
    Q_OBJECT

public:
    explicit SettleTimer(QObject* parent);

    // Restarts the count without restarting a running period.
    void arm();
    // One period has passed; the timer calls it, and tests drive it directly.
    void tick();

signals:
    void settled();

private:
    int tickCount_ = 0;
};

}  // namespace zephyrin
