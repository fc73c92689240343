#pragma once

#include <QAction>
#include <QDeadlineTimer>
#include <QMdiArea>
#include <QTest>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/spin_edit.h"
#include "dialogs/xy_size_dialog.h"
#include "engine/batch/counts_drawing.h"
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

    // A state to wait for inside a drawing.
    using Until = std::function<bool()>;
    // A short drawing: enough iterations to light part of a 400 x 300 picture.
    static constexpr std::int64_t kShortDrawing = 20'000;

    // Until the windows' drawings have drawn `iterations` more than when
    // first asked, inside the drawing.
    Until Drawn(std::int64_t iterations) {
        return [this, iterations, from = std::optional<std::int64_t>()]() mutable {
            const std::int64_t drawn = DrawnSoFar();
            // A new drawing counts from 0 again.
            if (!from || drawn < *from) from = drawn;
            return drawn - *from >= iterations;
        };
    }

    // Runs `start`, which starts a drawing and returns only when it ends;
    // once `until` holds inside the drawing, `inside` runs and the drawings
    // are stopped. A state not come to within 30 s fails the test (the cap
    // only guards against hanging).
    void RunDrawing(const std::function<void()>& start, const Until& until,
                    const std::function<void()>& inside = {}) {
        QTimer poll;
        const QDeadlineTimer cap(30000);
        QObject::connect(&poll, &QTimer::timeout, &area, [&] {
            const bool reached = until();
            if (!reached && !cap.hasExpired()) return;
            poll.stop();
            if (reached && inside) inside();
            // As Stop does for each window, so that none goes on on the threads.
            for (TMDIChild* window : area.findChildren<TMDIChild*>()) window->document().stopDrawing();
            engine.StopCurrent();
            if (!reached) QFAIL("the drawing never came to the state waited for");
        });
        poll.start(1);
        start();
    }
    void RunDrawing(const std::function<void()>& start, std::int64_t iterations = kShortDrawing,
                    const std::function<void()>& inside = {}) {
        RunDrawing(start, Drawn(iterations), inside);
    }

    // The first-time set-up of a NEW window, with its first drawing stopped
    // once it has drawn `iterations`.
    void SetUp(TMDIChild* window, std::int64_t iterations = kShortDrawing,
               const std::function<void()>& inside = {}) {
        setModeWord(kModeNew);
        RunDrawing([window] { window->FormPaint(); }, iterations, inside);
    }
    void SetUp(TMDIChild* window, const Until& until, const std::function<void()>& inside = {}) {
        setModeWord(kModeNew);
        RunDrawing([window] { window->FormPaint(); }, until, inside);
    }

    // Until `window`'s caption says it is busy, as Timer2's first tick makes it.
    static Until BusyCaption(TMDIChild* window) {
        return [window] { return window->windowTitle().startsWith(QStringLiteral("Busy... ")); };
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

private:
    // The threads' drawing's iterations, or the engine's count in the record
    // it draws, over every window.
    std::int64_t DrawnSoFar() {
        std::int64_t drawn = 0;
        for (TMDIChild* window : area.findChildren<TMDIChild*>()) {
            const PictureDocument& document = window->document();
            const CountsDrawing* threads = document.threadsDrawing();
            drawn += threads ? threads->Iterations() : static_cast<std::uint32_t>(document.v.iterations);
        }
        return drawn;
    }
};

}  // namespace zephyrin::testing
