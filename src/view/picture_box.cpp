#include "view/picture_box.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include "view/picture_image.h"

namespace zephyrin {

namespace {

// The pixels a one-pixel outline of rect covers.
QRegion outlineRegion(const QRect& rect) {
    if (rect.isEmpty()) return {};
    return QRegion(rect).subtracted(QRegion(rect.adjusted(1, 1, -1, -1)));
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    // Moves without a button held drive the window's coordinate read-out.
    setMouseTracking(true);
}

void PictureBox::setPicture(const Picture* picture) {
    picture_ = picture;
    resize(picture ? QSize(picture->Width(), picture->Height()) : QSize(0, 0));
    update();
}

void PictureBox::setOutline(const QRect& outline) {
    if (outline == outline_) return;
    update(outlineRegion(outline_) + outlineRegion(outline));
    outline_ = outline;
}

void PictureBox::paintEvent(QPaintEvent* event) {
    if (picture_ == nullptr || picture_->Empty()) return;
    // The engine writes into these words all the time; wrapping them costs
    // nothing, and only the exposed part is drawn.
    const QImage image = imageOfPicture(*picture_);
    QPainter painter(this);
    const QRect exposed = event->rect() & image.rect();
    painter.drawImage(exposed.topLeft(), image, exposed);
    if (outline_.isEmpty()) return;
    // White under black dashes shows on dark and on light pictures alike.
    const QRect edge = outline_.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawRect(edge);
    QPen dashes(Qt::black, 0);
    dashes.setDashPattern({4, 4});
    painter.setPen(dashes);
    painter.drawRect(edge);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->buttons(), event->modifiers(), event->position().toPoint());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->buttons(), event->modifiers(), event->position().toPoint());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->buttons(), event->modifiers(), event->position().toPoint());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

}  // namespace zephyrin
