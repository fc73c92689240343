#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "engine/core/variation_table.h"

class QCheckBox;
class QLabel;
class QSlider;
class QToolBar;

namespace zephyrin {

struct DesignSlot;

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

    // The check box of each variation, named and captioned as its row of kVariations.
    QCheckBox* variationBox(Variation id) const { return variationBoxes_[static_cast<std::size_t>(id)]; }
    QCheckBox* None() const { return variationBox(Variation::kNone); }
    QCheckBox* Linear() const { return variationBox(Variation::kLinear); }
    QCheckBox* Horseshoe() const { return variationBox(Variation::kHorseshoe); }
    QCheckBox* Sinusoidal() const { return variationBox(Variation::kSinusoidal); }
    QCheckBox* Spherical() const { return variationBox(Variation::kSpherical); }
    QCheckBox* Swirl() const { return variationBox(Variation::kSwirl); }
    QCheckBox* Polar() const { return variationBox(Variation::kPolar); }
    QCheckBox* Bent() const { return variationBox(Variation::kBent); }
    QCheckBox* Inversion() const { return variationBox(Variation::kInversion); }

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
    // The variations' boxes in the design's tab order, and their places.
    void createVariationBoxes(QWidget* panel, std::vector<DesignSlot>& design);
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
    std::array<QCheckBox*, kVariationCount> variationBoxes_{};
    SettleTimer* colourTimer_ = nullptr;
};

}  // namespace zephyrin
