#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

namespace zephyrin {

// The frames of an animation in a row: the keyframes' frames as tall ticks,
// the frames the path check flags in red, those not checked yet in grey,
// and the frame the preview shows. A click shows that frame.
class TimeLine : public QWidget {
    Q_OBJECT

public:
    explicit TimeLine(QWidget* parent = nullptr);

    // Forgets the check: every frame is unchecked until setChecked.
    void setFrames(std::int64_t frames, std::vector<std::int64_t> keyframeFrames);
    // The frames checked so far (0 to checked - 1) and those of them flagged, in order.
    void setChecked(std::int64_t checked, std::vector<std::int64_t> flagged);
    void setCurrent(std::int64_t frame);

    std::int64_t frames() const { return frames_; }
    std::int64_t checked() const { return checked_; }
    bool marked(std::int64_t frame) const;
    QSize sizeHint() const override;

signals:
    void frameChosen(std::int64_t frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double frameX(std::int64_t frame) const;

    std::int64_t frames_ = 0;
    std::int64_t checked_ = 0;
    std::int64_t current_ = -1;
    std::vector<std::int64_t> keyframeFrames_;
    std::vector<std::int64_t> flagged_;
};

}  // namespace zephyrin
