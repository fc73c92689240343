#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QSlider;
class QToolBar;

namespace zephyrin {

class SettleTimer;
class SpinEdit;

// The Parameters tool window: colouring, filter, the constants A and B, the
// start point, the variation weight and the variations. It knows nothing of
// the pictures: every change arms the settle timer (ColorTimer), and once the
// controls have settled it raises coloursSettled, on which the owner reads all
// controls through the accessors below. Bars and spins raise their change
// also when set from code; check boxes only when clicked. The bottom tool bar
// forwards Stop, Reset, Draw Random and Apply; Close hides the window.
// Spins are written with setValue and read with SpinEdit::textValue.
class TForm4 : public QWidget {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);

    QCheckBox* square_root() const { return squareRoot_; }
    QCheckBox* Invert() const { return invert_; }

    QSlider* Intensity() const { return intensity_; }
    QLabel* Factor1() const { return factor1_; }
    QSlider* RedBar1() const { return redBar1_; }
    QLabel* RedLabel1() const { return redLabel1_; }
    QSlider* GrnBar1() const { return grnBar1_; }
    QLabel* GrnLabel1() const { return grnLabel1_; }
    QSlider* BluBar1() const { return bluBar1_; }
    QLabel* BluLabel1() const { return bluLabel1_; }
    QSlider* Randomizer() const { return randomizer_; }
    QLabel* RandomFactor() const { return randomFactor_; }

    SpinEdit* constAA() const { return constAA_; }
    SpinEdit* parameterX() const { return parameterX_; }
    SpinEdit* constBB() const { return constBB_; }
    SpinEdit* parameterY() const { return parameterY_; }

    QSlider* Factor2_bar() const { return factor2Bar_; }
    QLabel* Factor2() const { return factor2_; }

    QCheckBox* None() const { return none_; }
    QCheckBox* Linear() const { return linear_; }
    QCheckBox* Horseshoe() const { return horseshoe_; }
    QCheckBox* Sinusoidal() const { return sinusoidal_; }
    QCheckBox* Spherical() const { return spherical_; }
    QCheckBox* Swirl() const { return swirl_; }
    QCheckBox* Polar() const { return polar_; }
    QCheckBox* Bent() const { return bent_; }
    QCheckBox* Inversion() const { return inversion_; }

signals:
    void coloursSettled();
    void stopRequested();
    void resetRequested();
    void drawRandomRequested();
    void applyRequested();

protected:
    // A press on the background, not taken by a control, moves the window.
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* createControls(QSize designSize);
    QToolBar* createToolBar();
    void connectChanges();

    QCheckBox* squareRoot_ = nullptr;
    QCheckBox* invert_ = nullptr;
    QSlider* intensity_ = nullptr;
    QLabel* factor1_ = nullptr;
    QSlider* redBar1_ = nullptr;
    QLabel* redLabel1_ = nullptr;
    QSlider* grnBar1_ = nullptr;
    QLabel* grnLabel1_ = nullptr;
    QSlider* bluBar1_ = nullptr;
    QLabel* bluLabel1_ = nullptr;
    QSlider* randomizer_ = nullptr;
    QLabel* randomFactor_ = nullptr;
    SpinEdit* constAA_ = nullptr;
    SpinEdit* parameterX_ = nullptr;
    SpinEdit* constBB_ = nullptr;
    SpinEdit* parameterY_ = nullptr;
    QSlider* factor2Bar_ = nullptr;
    QLabel* factor2_ = nullptr;
    QCheckBox* none_ = nullptr;
    QCheckBox* linear_ = nullptr;
    QCheckBox* horseshoe_ = nullptr;
    QCheckBox* sinusoidal_ = nullptr;
    QCheckBox* spherical_ = nullptr;
    QCheckBox* swirl_ = nullptr;
    QCheckBox* polar_ = nullptr;
    QCheckBox* bent_ = nullptr;
    QCheckBox* inversion_ = nullptr;
    SettleTimer* colourTimer_ = nullptr;
};

}  // namespace zephyrin
