#pragma once

// What the tests of the whole program share: acting inside a drawing once the
// program has come to a state, and the program with a picture window that
// never starts drawing on its own.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMdiArea>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

#include "frame/main_form.h"
#include "frame/program.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

// Runs `action` once `ready` holds. A drawing returns only when it is
// stopped, so a test cannot wait for a state after starting one: the
// condition is checked every few milliseconds by the event loop, inside
// whatever drawing pumps it then. A state not come to within `capMs` fails
// the test (the cap only guards against hanging; it decides nothing).
inline void When(std::function<bool()> ready, std::function<void()> action, int capMs = 30000) {
    auto* poll = new QTimer(QCoreApplication::instance());
    const QDeadlineTimer cap(capMs);
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, cap, ready = std::move(ready), action = std::move(action)] {
                         const bool reached = ready();
                         if (!reached && !cap.hasExpired()) return;
                         poll->stop();
                         poll->deleteLater();
                         if (!reached) QFAIL("the program never came to the state waited for");
                         action();
                     });
    poll->start(5);
}

// The program with one picture window whose set-up never runs, so that only
// the test starts drawings and changes the dialogs; the frame forwards every
// settled dialog to the active window as it always does.
class ProgramWithWindow {
public:
    ProgramWithWindow() {
        program.MainForm->Timer1()->setEnabled(false);
        program.MainForm->show();
        child = NewWindow();
    }

    TMDIChild* NewWindow() {
        program.MainForm->FileNewItemClick();
        TMDIChild* window = program.MainForm->activeChild();
        window->Timer1->setEnabled(false);
        return window;
    }

    bool Activate(TMDIChild* window) {
        program.MainForm->mdiArea()->setActiveSubWindow(window);
        return program.MainForm->activeChild() == window;
    }

    Program program;
    TMDIChild* child = nullptr;
};

}  // namespace zephyrin::testing
