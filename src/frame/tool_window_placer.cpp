#include "frame/tool_window_placer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include "frame/tool_window_layout.h"
#include "services/settings.h"

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
    auto* tool = qobject_cast<QWidget*>(watched);
    // A non-spontaneous show comes just before the window appears.
    if (tool && event->type() == QEvent::Show && !event->spontaneous() && !placed_.contains(tool)) {
        if (!placeWhereItWas(tool)) place(tool);
        placed_.insert(tool);
    }
    if (tool && event->type() == QEvent::Hide && !event->spontaneous()) rememberPlace(tool);
    return QObject::eventFilter(watched, event);
}

void ToolWindowPlacer::rememberPlaces() const {
    for (QWidget* tool : tools_)
        if (tool->isVisible()) rememberPlace(tool);
}

void ToolWindowPlacer::rememberPlace(const QWidget* tool) {
    remember(kToolWindowKey.arg(tool->objectName()), tool->pos());
}

QList<QRect> ToolWindowPlacer::takenBesides(const QWidget* tool) const {
    QList<QRect> taken;
    for (QWidget* each : tools_)
        if (each != tool && placed_.contains(each)) taken << each->frameGeometry();
    return taken;
}

bool ToolWindowPlacer::placeWhereItWas(QWidget* tool) const {
    const QVariant remembered = rememberedValue(kToolWindowKey.arg(tool->objectName()));
    if (!remembered.canConvert<QPoint>()) return false;
    // Only where it still lies whole on a screen (screens come and go) and
    // clear of the tool windows placed in this run.
    if (!tool->testAttribute(Qt::WA_Resized)) tool->adjustSize();
    const QRect where(remembered.toPoint(), tool->size() + frameDecorations());
    for (const QRect& other : takenBesides(tool))
        if (where.intersects(other)) return false;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(where)) {
            tool->move(where.topLeft());
            return true;
        }
    }
    return false;
}

void ToolWindowPlacer::place(QWidget* tool) {
    if (!frame_ || !frame_->screen()) return;
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
    tool->move(placeToolWindow(frame_->screen()->availableGeometry(), frame_->frameGeometry(), sizes,
                               takenBesides(tool), sizes[tools_.indexOf(tool)]));
}

}  // namespace zephyrin
