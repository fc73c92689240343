#pragma once

#include <QWidget>

#include "engine/colouring/density_settings.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSlider;

namespace zephyrin {

class NumberField;
class SettleTimer;

// The Colouring tool window: brightness, gamma and vibrancy of the density
// colouring, each with a slider and a number field that follow each other,
// and its gradient (built-in, or a GIMP gradient file loaded with Load
// Gradient...), each shown by a swatch. Like the other tool windows it knows
// nothing of the pictures: a change arms the settle timer (ColouringTimer),
// and once the controls have settled it raises colouringSettled, on which
// the owner reads settings(). Load Gradient asks the owner for a file
// through loadGradientRequested.
class ColouringDialog : public QWidget {
    Q_OBJECT

public:
    explicit ColouringDialog(QWidget* parent = nullptr);

    // The number fields' values; `enabled` is not the dialog's and stays false.
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
    // One value: its slider and its number field, which follow each other.
    struct Setting {
        QSlider* slider = nullptr;
        NumberField* field = nullptr;
        SettingRange range;
        bool logarithmic = false;
    };
    Setting makeSetting(QWidget* panel, const char* name, SettingRange range, bool logarithmic);
    void showValue(const Setting& setting, double value);
    int addGradient(const QString& nameOrPath);

    Setting brightness_;
    Setting gamma_;
    Setting vibrancy_;
    QComboBox* gradient_ = nullptr;
    QPushButton* loadGradient_ = nullptr;
    QCheckBox* sixteenBits_ = nullptr;
    SettleTimer* colouringTimer_ = nullptr;
};

}  // namespace zephyrin
