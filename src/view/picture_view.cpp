#include "view/picture_view.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "view/picture_box.h"
#include "view/view_size.h"

namespace zephyrin {

PictureView::PictureView(QWidget* parent) : QScrollArea(parent), box_(new PictureBox) {
    setAlignment(Qt::AlignCenter);
    // The ground around the picture has the colour of an MDI workspace.
    viewport()->setBackgroundRole(QPalette::Dark);
    setWidget(box_);
    // The picture covers the whole box; filling it first would only cost time.
    box_->setAutoFillBackground(false);
    connect(box_, &PictureBox::pressed, this, &PictureView::onBoxPressed);
    connect(box_, &PictureBox::moved, this, &PictureView::onBoxMoved);
    connect(box_, &PictureBox::released, this, &PictureView::onBoxReleased);
    connect(box_, &PictureBox::doubleClicked, this, &PictureView::picBoxDoubleClicked);
    updateCursor(QPoint());
}

PictureView::~PictureView() {
    detachPicture();
}

void PictureView::setPicture(std::unique_ptr<Picture> picture) {
    detachPicture();
    picture_ = std::move(picture);
    if (picture_) observerId_ = picture_->AddObserver([this] { onPictureChanged(); });
    endDrags();
    fitBoxToPicture();
    if (!picture_) return;
    const QSize scrollBars(verticalScrollBar()->sizeHint().width(),
                           horizontalScrollBar()->sizeHint().height());
    const QSize needed = scrollViewSizeFor(QSize(picture_->Width(), picture_->Height()), frameWidth(),
                                           scrollBars, autoSizeLimits_);
    emit newAutoSize(needed.width(), needed.height());
}

QPoint PictureView::boxToPixel(QPoint box) const {
    if (!picture_ || picture_->Empty() || box_->width() <= 0 || box_->height() <= 0) return {0, 0};
    return {static_cast<int>(static_cast<qint64>(box.x()) * picture_->Width() / box_->width()),
            static_cast<int>(static_cast<qint64>(box.y()) * picture_->Height() / box_->height())};
}

QWidget* PictureView::pictureBox() const {
    return box_;
}

void PictureView::setActionMode(ActionMode mode) {
    if (mode == actionMode_) return;
    endDrags();
    actionMode_ = mode;
    updateCursor(box_->mapFromGlobal(QCursor::pos()));
}

void PictureView::setSelection(bool shown) {
    selection_.setExists(shown);
    showSelection();
}

void PictureView::setSelectionLeft(int left) {
    selection_.setLeft(left);
    showSelection();
}

void PictureView::setSelectionTop(int top) {
    selection_.setTop(top);
    showSelection();
}

void PictureView::setSelectionWidth(int width) {
    selection_.setWidth(width);
    showSelection();
}

void PictureView::setSelectionHeight(int height) {
    selection_.setHeight(height);
    showSelection();
}

void PictureView::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
}

void PictureView::setPictureCursor(Qt::CursorShape shape) {
    pictureCursor_ = shape;
    updateCursor(box_->mapFromGlobal(QCursor::pos()));
}

void PictureView::setAutoSizeLimits(int maxWidth, int maxHeight) {
    autoSizeLimits_ = QSize(std::max(maxWidth, 0), std::max(maxHeight, 0));
}

bool PictureView::isPlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    return buttons == Qt::LeftButton &&
           !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

bool PictureView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint position = box_->mapFrom(viewport(), wheel->position().toPoint());
        // One notch of a common wheel is 120 eighths of a degree.
        emit picBoxWheel(wheel->angleDelta().y() / 120.0, position.x(), position.y());
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint position = box_->mapFrom(viewport(), mouse->position().toPoint());
        emit viewMouseUp(mouse->buttons(), mouse->modifiers(), position.x(), position.y());
    }
    return QScrollArea::viewportEvent(event);
}

void PictureView::contextMenuEvent(QContextMenuEvent* event) {
    if (popupMenu_.isNull()) {
        event->ignore();
        return;
    }
    emit aboutToShowPopup();
    // Not exec(): a drawing in progress keeps going while the menu is open.
    if (popupMenu_) popupMenu_->popup(event->globalPos());
}

void PictureView::onBoxPressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position) {
    emit picBoxMouseDown(buttons, modifiers, position.x(), position.y());
    if (buttons != Qt::LeftButton) return;
    switch (actionMode_) {
        case ActionMode::None:
            break;
        case ActionMode::MoveImage:
            scrolling_ = true;
            scrollGrab_ = box_->mapToGlobal(position);
            scrollStart_ = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
            break;
        case ActionMode::MoveResizeCreateSelection:
            selection_.beginDrag(boxToPixel(position));
            showSelection();
            break;
    }
    updateCursor(position);
}

void PictureView::onBoxMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position) {
    if (scrolling_) {
        // Screen coordinates: the box itself moves as it scrolls.
        const QPoint dragged = box_->mapToGlobal(position) - scrollGrab_;
        horizontalScrollBar()->setValue(scrollStart_.x() - dragged.x());
        verticalScrollBar()->setValue(scrollStart_.y() - dragged.y());
    } else if (selection_.dragging()) {
        selection_.dragTo(boxToPixel(position));
        showSelection();
    }
    updateCursor(position);
    emit picBoxMouseMove(buttons, modifiers, position.x(), position.y());
}

void PictureView::onBoxReleased(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position) {
    if (!(buttons & Qt::LeftButton)) endDrags();
    updateCursor(position);
    emit picBoxMouseUp(buttons, modifiers, position.x(), position.y());
}

void PictureView::onPictureChanged() {
    // Whoever resized the picture in place still expects to see all of it.
    if (box_->size() != QSize(picture_->Width(), picture_->Height()))
        fitBoxToPicture();
    else
        box_->update();
}

void PictureView::detachPicture() {
    if (picture_) picture_->RemoveObserver(observerId_);
    observerId_ = 0;
}

void PictureView::fitBoxToPicture() {
    box_->setPicture(picture_.get());
    selection_.setBounds(picture_ ? QSize(picture_->Width(), picture_->Height()) : QSize(0, 0));
    showSelection();
}

void PictureView::showSelection() {
    box_->setOutline(selection_.exists() ? selection_.rect() : QRect());
}

void PictureView::endDrags() {
    scrolling_ = false;
    if (!selection_.dragging()) return;
    selection_.endDrag();
    showSelection();
}

void PictureView::updateCursor(QPoint boxPosition) {
    switch (actionMode_) {
        case ActionMode::None:
            box_->setCursor(pictureCursor_);
            break;
        case ActionMode::MoveImage:
            box_->setCursor(scrolling_ ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
            break;
        case ActionMode::MoveResizeCreateSelection:
            // A drag keeps the cursor it began with.
            if (!selection_.dragging()) box_->setCursor(selection_.cursorAt(boxToPixel(boxPosition)));
            break;
    }
}

}  // namespace zephyrin
