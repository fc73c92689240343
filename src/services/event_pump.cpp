#include "services/event_pump.h"

#include <QCoreApplication>

namespace zephyrin {

void EventPump::Dispatch() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace zephyrin
