#pragma once

#include <QLabel>

namespace zephyrin {

// One panel of a picture window's status bar. It asks for its design width
// but shrinks down to a few characters in a narrow window, where it shows
// the start of its text followed by an ellipsis instead of spilling over its
// neighbour. text() always holds the whole text.
class StatusPanel : public QLabel {
    Q_OBJECT

public:
    StatusPanel(int designWidth, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int lineHeight() const;

    int designWidth_;
};

}  // namespace zephyrin
