#pragma once

#include <QAction>
#include <QMdiArea>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/xy_size_dialog.h"
#include "engine/core/engine.h"
#include "services/event_pump.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "window/program_parts.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

// Stands in for the frame: a fixed client area, and pushes the window's
// record into the dialogs as the frame does for its active window.
class StubFrame final : public FrameServices {
public:
    void UpdateParameters() override {
        ++updateParametersCalls;
        if (active) active->Parameters1Update();
    }
    QSize frameClientSize() const override { return clientSize; }
    void pasteParameters() override { ++pasteCalls; }

    TMDIChild* active = nullptr;
    QSize clientSize{1200, 900};
    int updateParametersCalls = 0;
    int pasteCalls = 0;
};

// Effects > Density Colouring, as the user chooses it.
inline void ToggleDensity(TMDIChild* window) {
    window->findChild<QAction*>(QStringLiteral("DensityColouring"))->trigger();
}

// One picture window in an MDI area with the shared dialogs, set up but
// not yet drawing: its own start timer is switched off so that tests decide
// when drawings start.
class WindowFixture {
public:
    WindowFixture() : engine(2024) {
        area.resize(1300, 1000);
        parts.engine = &engine;
        parts.pump = &pump;
        parts.pool = &pool;
        parts.frame = &frame;
        parts.form4 = &form4;
        parts.cform = &cform;
        parts.xySize = &xySize;
        child = NewWindow();
        frame.active = child;
    }

    // As a size item or the XY size window sets a window's picture size.
    void SetSize(TMDIChild* window, int width, int height) {
        xySize.RxWidth()->setValue(width);
        xySize.RxHeight()->setValue(height);
        window->Resolution();
    }

    TMDIChild* NewWindow(WindowStart start = {}) {
        auto* window = new TMDIChild(parts, &area, std::move(start));
        area.addSubWindow(window);
        window->Timer1->setEnabled(false);
        window->show();
        return window;
    }

    // Runs `start`, which starts a drawing and returns only when it ends;
    // after `ms` milliseconds inside the drawing, `inside` runs and the
    // drawing is stopped.
    void RunDrawing(const std::function<void()>& start, int ms = 50,
                    const std::function<void()>& inside = {}) {
        // Tied to the area, so that it never fires after the fixture is gone
        // (a start that returns at once leaves it pending).
        QTimer::singleShot(ms, &area, [this, inside] {
            if (inside) inside();
            // As Stop does for each window, so that none goes on on the threads.
            for (TMDIChild* window : area.findChildren<TMDIChild*>()) window->document().stopDrawing();
            engine.StopCurrent();
        });
        start();
    }

    // The first-time set-up of a NEW window, with its first drawing stopped
    // after `ms` milliseconds.
    void SetUp(TMDIChild* window, int ms = 50, const std::function<void()>& inside = {}) {
        setModeWord(kModeNew);
        RunDrawing([window] { window->FormPaint(); }, ms, inside);
    }

    Engine engine;
    EventPump pump;
    ThreadPool pool{2};  // outlives the windows, whose density drawings it runs
    StubFrame frame;
    QMdiArea area;
    TForm4 form4;
    TCForm cform;
    TXYSize xySize;
    ProgramParts parts;
    TMDIChild* child = nullptr;
};

}  // namespace zephyrin::testing
