#include "animation_window/time_line.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace zephyrin {

namespace {
constexpr int kMargin = 6;
}  // namespace

TimeLine::TimeLine(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TimeLine"));
    setMinimumHeight(40);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TimeLine::setFrames(std::int64_t frames, std::vector<std::int64_t> keyframeFrames) {
    frames_ = std::max<std::int64_t>(frames, 0);
    keyframeFrames_ = std::move(keyframeFrames);
    checked_ = 0;
    flagged_.clear();
    current_ = -1;
    update();
}

void TimeLine::setChecked(std::int64_t checked, std::vector<std::int64_t> flagged) {
    checked_ = std::clamp<std::int64_t>(checked, 0, frames_);
    flagged_ = std::move(flagged);
    update();
}

void TimeLine::setCurrent(std::int64_t frame) {
    current_ = frame;
    update();
}

bool TimeLine::marked(std::int64_t frame) const {
    return std::binary_search(flagged_.begin(), flagged_.end(), frame);
}

QSize TimeLine::sizeHint() const {
    return {480, 40};
}

double TimeLine::frameX(std::int64_t frame) const {
    const double span = std::max(width() - 2 * kMargin, 1);
    return kMargin + span * (static_cast<double>(frame) + 0.5) /
                         static_cast<double>(std::max<std::int64_t>(frames_, 1));
}

void TimeLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (frames_ == 0) return;
    const double step = static_cast<double>(width() - 2 * kMargin) / static_cast<double>(frames_);
    const double band = std::max(step, 1.0);
    const int top = height() / 4, bottom = height() * 3 / 4;
    // Frames not checked yet, then the flagged ones over the checked.
    painter.fillRect(
        QRectF(frameX(checked_) - step / 2, top, frameX(frames_ - 1) - frameX(checked_) + band, bottom - top),
        QColor(200, 200, 200));
    painter.fillRect(QRectF(kMargin, top, frameX(checked_) - step / 2 - kMargin, bottom - top),
                     QColor(120, 190, 120));
    for (const std::int64_t frame : flagged_)
        painter.fillRect(QRectF(frameX(frame) - step / 2, top, band, bottom - top), QColor(210, 40, 40));
    painter.setPen(palette().text().color());
    for (const std::int64_t frame : keyframeFrames_)
        painter.drawLine(QPointF(frameX(frame), 2), QPointF(frameX(frame), height() - 2));
    if (current_ >= 0 && current_ < frames_) {
        painter.setPen(QPen(palette().highlight().color(), 2));
        painter.drawLine(QPointF(frameX(current_), top - 4), QPointF(frameX(current_), bottom + 4));
    }
}

void TimeLine::mousePressEvent(QMouseEvent* event) {
    if (frames_ == 0) return;
    const double span = std::max(width() - 2 * kMargin, 1);
    const auto frame =
        static_cast<std::int64_t>((event->position().x() - kMargin) / span * static_cast<double>(frames_));
    emit frameChosen(std::clamp<std::int64_t>(frame, 0, frames_ - 1));
}

}  // namespace zephyrin
