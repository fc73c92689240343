// Helpers of the picture size tests: the shown picture's size, and a guard
// against a drawing started by mistake.
#pragma once

#include <QSize>
#include <QTimer>

#include "engine/core/engine.h"
#include "imaging/picture.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

inline QSize PictureSize(const TMDIChild* w) {
    const Picture* picture = w->PGImage1->currentPicture();
    return picture ? QSize(picture->Width(), picture->Height()) : QSize();
}

// A drawing a command starts by mistake would never return: this stops it,
// and says so.
class RunawayGuard {
public:
    explicit RunawayGuard(Engine& engine) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this, &engine] {
            started = engine.Depth() > 0;
            engine.StopCurrent();
        });
        timer_.start(200);
    }
    bool started = false;

private:
    QTimer timer_;
};

}  // namespace zephyrin::testing
