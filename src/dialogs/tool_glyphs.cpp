#include "dialogs/tool_glyphs.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace zephyrin {

namespace {

void drawCross(QPainter& painter) {
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void drawSquare(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 40, 40));
    painter.drawRect(QRectF(3, 3, 10, 10));
}

// A circle open at the top right with an arrowhead: start again.
void drawCircularArrow(QPainter& painter) {
    const QColor yellow(250, 210, 60);
    painter.setPen(QPen(yellow, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(yellow);
    painter.drawPolygon(QPolygonF({QPointF(10, 9), QPointF(16, 9), QPointF(13, 5)}));
}

// The five face of a die.
void drawDie(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(2, 2, 12, 12), 2.5, 2.5);
    painter.setBrush(Qt::black);
    for (const QPointF pip :
         {QPointF(5, 5), QPointF(11, 5), QPointF(8, 8), QPointF(5, 11), QPointF(11, 11)}) {
        painter.drawEllipse(pip, 1.3, 1.3);
    }
}

void drawPlay(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 210, 80));
    painter.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(13, 8), QPointF(4, 13)}));
}

}  // namespace

QIcon toolGlyphIcon(ToolGlyph glyph) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
        case ToolGlyph::kClose:
            drawCross(painter);
            break;
        case ToolGlyph::kStop:
            drawSquare(painter);
            break;
        case ToolGlyph::kReset:
            drawCircularArrow(painter);
            break;
        case ToolGlyph::kDrawRandom:
            drawDie(painter);
            break;
        case ToolGlyph::kApply:
            drawPlay(painter);
            break;
    }
    painter.end();
    return QIcon(pixmap);
}

}  // namespace zephyrin
