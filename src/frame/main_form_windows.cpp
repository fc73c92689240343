// The frame's picture windows: where a new one opens, the Window menu's
// arrangements and its list of the windows.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>

#include "frame/main_form.h"
#include "window/tmdi_child.h"

namespace zephyrin {

QPoint TMainForm::cascadedCorner() const {
    // One title bar down and right of the window opened last, back at the
    // top-left corner once past the middle of the area, as Cascade does.
    if (!lastCreated_ || lastCreated_->isHidden() || lastCreated_->isMinimized() ||
        lastCreated_->isMaximized())
        return QPoint(0, 0);
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QPoint corner = lastCreated_->pos() + QPoint(step, step);
    const QSize area = mdiArea_->viewport()->size();
    return corner.x() > area.width() / 2 || corner.y() > area.height() / 2 ? QPoint(0, 0) : corner;
}

void TMainForm::WindowCascadeItemClick() {
    // The area's own cascade shrinks every window to a strip; here each keeps
    // the size that shows its whole picture, as far as the area allows.
    const QSize area = mdiArea_->viewport()->size();
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QPoint corner(0, 0);
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isMinimized() || window->isHidden()) continue;
        if (window->isMaximized()) window->showNormal();
        auto* child = qobject_cast<TMDIChild*>(window);
        QSize size = child ? child->wholePictureSize() : window->size();
        if (corner.x() > area.width() / 2 || corner.y() > area.height() / 2) corner = QPoint(0, 0);
        size = size.boundedTo(area - QSize(corner.x(), corner.y())).expandedTo(window->minimumSize());
        window->setGeometry(QRect(corner, size));
        window->raise();
        corner += QPoint(step, step);
    }
    if (QMdiSubWindow* active = mdiArea_->currentSubWindow()) active->raise();
}

void TMainForm::WindowTileItemClick() {
    mdiArea_->tileSubWindows();
}

void TMainForm::WindowArrangeItemClick() {
    // Minimised windows in a row along the bottom of the area.
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

void TMainForm::WindowMinimizeItemClick() {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->showMinimized();
}

void TMainForm::fillWindowList() {
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowListActions_.append(windowMenu_->addSeparator());
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* action =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->currentSubWindow());
        connect(action, &QAction::triggered, this, [this, window] {
            if (window->isMinimized()) window->showNormal();
            mdiArea_->setActiveSubWindow(window);
        });
        windowListActions_.append(action);
    }
}

}  // namespace zephyrin
