#pragma once

#include <QWidget>

#include "engine/colouring/density_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace zephyrin {

class SettleTimer;

// The Colouring tool window: brightness, gamma and vibrancy of the density
// colouring and its gradient (built-in, or a GIMP gradient file loaded with
// Load Gradient...), each with its value shown. Like the other tool windows
// it knows nothing of the pictures: a change arms the settle timer
// (ColouringTimer), and once the controls have settled it raises
// colouringSettled, on which the owner reads settings(). Load Gradient asks
// the owner for a file through loadGradientRequested.
class ColouringDialog : public QWidget {
    Q_OBJECT

public:
    explicit ColouringDialog(QWidget* parent = nullptr);

    // The controls' values; `enabled` is not the dialog's and stays false.
    DensitySettings settings() const;
    // Shows the values without raising colouringSettled.
    void setSettings(const DensitySettings& settings);
    // Adds a gradient file to the choice (once) and chooses it.
    void addGradientFile(const QString& path);

    // Whether Save As writes 16 bits per channel where the format can hold them.
    QCheckBox* sixteenBits() const { return sixteenBits_; }

    // The slider positions of the settings' ranges, for the tests.
    static constexpr int kSteps = 200;

signals:
    void colouringSettled();
    void loadGradientRequested();

private:
    void showValues();

    QSlider* brightness_ = nullptr;
    QSlider* gamma_ = nullptr;
    QSlider* vibrancy_ = nullptr;
    QLabel* brightnessValue_ = nullptr;
    QLabel* gammaValue_ = nullptr;
    QLabel* vibrancyValue_ = nullptr;
    QComboBox* gradient_ = nullptr;
    QPushButton* loadGradient_ = nullptr;
    QCheckBox* sixteenBits_ = nullptr;
    SettleTimer* colouringTimer_ = nullptr;
};

}  // namespace zephyrin
