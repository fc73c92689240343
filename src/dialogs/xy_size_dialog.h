#pragma once

#include <QWidget>

class QAction;
class QPushButton;

namespace zephyrin {

class SpinEdit;

// The XY size tool window: a picture size typed or picked from the Size menu.
// Its two spins also keep the size last requested by any picture window. The
// presets only fill the spins; Apply (CoolBtn1) raises applyRequested, on
// which the owner resizes the active picture to the spins' values, read as
// reals through SpinEdit::textValue and rounded.
class TXYSize : public QWidget {
    Q_OBJECT

public:
    explicit TXYSize(QWidget* parent = nullptr);

    QPushButton* CoolBtn1() const { return coolBtn1_; }
    SpinEdit* RxWidth() const { return rxWidth_; }
    SpinEdit* RxHeight() const { return rxHeight_; }

signals:
    void applyRequested();

private:
    void createSizeMenu();
    void presetTriggered(QAction* preset);

    QPushButton* coolBtn1_ = nullptr;
    SpinEdit* rxWidth_ = nullptr;
    SpinEdit* rxHeight_ = nullptr;
};

}  // namespace zephyrin
