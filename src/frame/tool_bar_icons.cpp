#include "frame/tool_bar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace zephyrin {

namespace {

constexpr int kSize = 32;

// Three sliders with their knobs: the Parameters dialog.
void drawParameters(QPainter& p) {
    p.setPen(QPen(QColor(70, 70, 70), 2));
    const int knobs[] = {10, 22, 15};
    for (int i = 0; i < 3; ++i) {
        const int y = 8 + i * 8;
        p.drawLine(4, y, 28, y);
        p.setBrush(QColor(i == 0 ? 0xd0 : 0x40, i == 1 ? 0xa0 : 0x40, i == 2 ? 0xd0 : 0x40));
        p.drawEllipse(QPointF(knobs[i], y), 3.5, 3.5);
    }
}

void drawStop(QPainter& p) {
    p.setPen(QPen(QColor(120, 0, 0), 1.5));
    p.setBrush(QColor(210, 40, 40));
    p.drawRoundedRect(QRectF(7, 7, 18, 18), 3, 3);
}

// A circular arrow: back to the start view.
void drawReset(QPainter& p) {
    p.setPen(QPen(QColor(30, 90, 160), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(22, 3);
    head.lineTo(27, 11);
    head.lineTo(18, 11);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 160));
    p.drawPath(head);
}

// A die showing five: a random start.
void drawDrawRandom(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(5, 5, 22, 22), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    for (QPointF dot : {QPointF(11, 11), QPointF(21, 11), QPointF(16, 16), QPointF(11, 21), QPointF(21, 21)})
        p.drawEllipse(dot, 2, 2);
}

// A play triangle: start over with the current values.
void drawApply(QPainter& p) {
    QPainterPath triangle;
    triangle.moveTo(9, 6);
    triangle.lineTo(26, 16);
    triangle.lineTo(9, 26);
    triangle.closeSubpath();
    p.setPen(QPen(QColor(0, 100, 0), 1.5));
    p.setBrush(QColor(40, 170, 60));
    p.drawPath(triangle);
}

// A magnifying glass over a spiral: find an attractor.
void drawFindAttractor(QPainter& p) {
    p.setPen(QPen(QColor(200, 150, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath spiral;
    spiral.moveTo(13, 13);
    for (int step = 1; step <= 40; ++step) {
        const double angle = step * 0.45;
        const double radius = step * 0.22;
        spiral.lineTo(13 + radius * std::cos(angle), 13 + radius * std::sin(angle));
    }
    p.drawPath(spiral);
    p.setPen(QPen(QColor(50, 50, 60), 2.5));
    p.drawEllipse(QPointF(13, 13), 10, 10);
    p.setPen(QPen(QColor(50, 50, 60), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 21), QPointF(28, 28));
}

}  // namespace

QIcon frameToolIcon(FrameTool tool) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (tool) {
        case FrameTool::kParameters:
            drawParameters(painter);
            break;
        case FrameTool::kStop:
            drawStop(painter);
            break;
        case FrameTool::kReset:
            drawReset(painter);
            break;
        case FrameTool::kDrawRandom:
            drawDrawRandom(painter);
            break;
        case FrameTool::kApply:
            drawApply(painter);
            break;
        case FrameTool::kFindAttractor:
            drawFindAttractor(painter);
            break;
    }
    return QIcon(pixmap);
}

}  // namespace zephyrin
