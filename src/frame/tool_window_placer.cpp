#include "frame/tool_window_placer.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include "frame/tool_window_layout.h"

namespace zephyrin {

ToolWindowPlacer::ToolWindowPlacer(QWidget* frame, const QList<QWidget*>& tools)
    : QObject(frame), frame_(frame), tools_(tools) {
    for (QWidget* tool : tools_) tool->installEventFilter(this);
}

QSize ToolWindowPlacer::frameDecorations() const {
    if (!frame_ || !frame_->isVisible()) return QSize();
    return frame_->frameGeometry().size() - frame_->geometry().size();
}

bool ToolWindowPlacer::eventFilter(QObject* watched, QEvent* event) {
    // A non-spontaneous show comes just before the window appears.
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        auto* tool = qobject_cast<QWidget*>(watched);
        if (tool && !placed_.contains(tool)) place(tool);
    }
    return QObject::eventFilter(watched, event);
}

void ToolWindowPlacer::place(QWidget* tool) {
    if (!frame_ || !frame_->screen()) return;
    const QRect available = frame_->screen()->availableGeometry();
    // Tools not shown yet have no decorations of their own; the frame's are
    // at least as large as a tool window's.
    QList<QSize> sizes;
    for (QWidget* each : tools_) {
        if (placed_.contains(each)) {
            sizes.append(each->frameGeometry().size());
            continue;
        }
        // The size showing gives a window that has not been sized yet.
        if (!each->testAttribute(Qt::WA_Resized)) each->adjustSize();
        sizes.append(each->size() + frameDecorations());
    }
    const QList<QPoint> corners = placeToolWindows(available, frame_->frameGeometry(), sizes);
    tool->move(corners[tools_.indexOf(tool)]);
    placed_.insert(tool);
}

}  // namespace zephyrin
