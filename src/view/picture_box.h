#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include "imaging/picture.h"

namespace zephyrin {

// The widget a picture is painted on, one widget pixel per picture pixel, with
// the selection outline on top. It reports the mouse and leaves every decision
// to its owner.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Not owned. Takes the picture's size; nullptr shows nothing.
    void setPicture(const Picture* picture);
    // In picture pixels; an empty rectangle shows no outline.
    void setOutline(const QRect& outline);

signals:
    // buttons are those held during the event: a press includes the pressed
    // button, a release no longer holds the released one.
    void pressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void moved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void released(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const Picture* picture_ = nullptr;
    QRect outline_;
};

}  // namespace zephyrin
