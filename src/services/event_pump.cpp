#include "services/event_pump.h"

#include <QCoreApplication>

namespace zephyrin {

void EventPump::dispatch() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace zephyrin
