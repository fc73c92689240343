#include "view/picture_view.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
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
    connect(box_, &PictureBox::pressed, this, &PictureView::OnBoxPressed);
    connect(box_, &PictureBox::moved, this, &PictureView::OnBoxMoved);
    connect(box_, &PictureBox::released, this, &PictureView::OnBoxReleased);
    connect(box_, &PictureBox::doubleClicked, this, &PictureView::picBoxDoubleClicked);
    UpdateCursor(QPoint());
}

PictureView::~PictureView() {
    DetachPicture();
}

void PictureView::SetPicture(std::unique_ptr<Picture> picture) {
    DetachPicture();
    picture_ = std::move(picture);
    if (picture_) observerId_ = picture_->AddObserver([this] { OnPictureChanged(); });
    EndDrags();
    FitBoxToPicture();
    if (!picture_) return;
    const QSize scrollBars(verticalScrollBar()->sizeHint().width(),
                           horizontalScrollBar()->sizeHint().height());
    const QSize needed = ScrollViewSizeFor(QSize(picture_->Width(), picture_->Height()), frameWidth(),
                                           scrollBars, autoSizeLimits_);
    emit newAutoSize(needed.width(), needed.height());
}

QPoint PictureView::BoxToPixel(QPoint box) const {
    if (!picture_ || picture_->Empty() || box_->width() <= 0 || box_->height() <= 0) return {0, 0};
    return {static_cast<int>(static_cast<qint64>(box.x()) * picture_->Width() / box_->width()),
            static_cast<int>(static_cast<qint64>(box.y()) * picture_->Height() / box_->height())};
}

QWidget* PictureView::pictureBox() const {
    return box_;
}

void PictureView::setActionMode(ActionMode mode) {
    if (mode == actionMode_) return;
    EndDrags();
    actionMode_ = mode;
    UpdateCursor(box_->mapFromGlobal(QCursor::pos()));
}

void PictureView::setSelection(bool shown) {
    selection_.SetExists(shown);
    ShowSelection();
}

void PictureView::setSelectionLeft(int left) {
    selection_.SetLeft(left);
    ShowSelection();
}

void PictureView::setSelectionTop(int top) {
    selection_.SetTop(top);
    ShowSelection();
}

void PictureView::setSelectionWidth(int width) {
    selection_.SetWidth(width);
    ShowSelection();
}

void PictureView::setSelectionHeight(int height) {
    selection_.SetHeight(height);
    ShowSelection();
}

void PictureView::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
}

void PictureView::setPictureCursor(Qt::CursorShape shape) {
    pictureCursor_ = shape;
    UpdateCursor(box_->mapFromGlobal(QCursor::pos()));
}

void PictureView::setAutoSizeLimits(int maxWidth, int maxHeight) {
    autoSizeLimits_ = QSize(std::max(maxWidth, 0), std::max(maxHeight, 0));
}

bool PictureView::IsPlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    return buttons == Qt::LeftButton &&
           !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

bool PictureView::viewportEvent(QEvent* event) {
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

void PictureView::OnBoxPressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position) {
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
            selection_.BeginDrag(BoxToPixel(position));
            ShowSelection();
            break;
    }
    UpdateCursor(position);
}

void PictureView::OnBoxMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position) {
    if (scrolling_) {
        // Screen coordinates: the box itself moves as it scrolls.
        const QPoint dragged = box_->mapToGlobal(position) - scrollGrab_;
        horizontalScrollBar()->setValue(scrollStart_.x() - dragged.x());
        verticalScrollBar()->setValue(scrollStart_.y() - dragged.y());
    } else if (selection_.Dragging()) {
        selection_.DragTo(BoxToPixel(position));
        ShowSelection();
    }
    UpdateCursor(position);
    emit picBoxMouseMove(buttons, modifiers, position.x(), position.y());
}

void PictureView::OnBoxReleased(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position) {
    if (!(buttons & Qt::LeftButton)) EndDrags();
    UpdateCursor(position);
    emit picBoxMouseUp(buttons, modifiers, position.x(), position.y());
}

void PictureView::OnPictureChanged() {
    // Whoever resized the picture in place still expects to see all of it.
    if (box_->size() != QSize(picture_->Width(), picture_->Height()))
        FitBoxToPicture();
    else
        box_->update();
}

void PictureView::DetachPicture() {
    if (picture_) picture_->RemoveObserver(observerId_);
    observerId_ = 0;
}

void PictureView::FitBoxToPicture() {
    box_->SetPicture(picture_.get());
    selection_.SetBounds(picture_ ? QSize(picture_->Width(), picture_->Height()) : QSize(0, 0));
    ShowSelection();
}

void PictureView::ShowSelection() {
    box_->SetOutline(selection_.Exists() ? selection_.Rect() : QRect());
}

void PictureView::EndDrags() {
    scrolling_ = false;
    if (!selection_.Dragging()) return;
    selection_.EndDrag();
    ShowSelection();
}

void PictureView::UpdateCursor(QPoint boxPosition) {
    switch (actionMode_) {
        case ActionMode::None:
            box_->setCursor(pictureCursor_);
            break;
        case ActionMode::MoveImage:
            box_->setCursor(scrolling_ ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
            break;
        case ActionMode::MoveResizeCreateSelection:
            // A drag keeps the cursor it began with.
            if (!selection_.Dragging()) box_->setCursor(selection_.CursorAt(BoxToPixel(boxPosition)));
            break;
    }
}

}  // namespace zephyrin
