#pragma once

#include <QDialog>

#include "animation_window/render_choice.h"
#include "engine/animate/animation_file.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace zephyrin {

class FrameRenderer;
class ThreadPool;

// Animation > Render...: where the frames go, their size, iterations, depth
// and seed, and a video; renders with progress (frames done, time left)
// and Cancel while the program goes on.
class RenderDialog : public QDialog {
    Q_OBJECT

public:
    explicit RenderDialog(ThreadPool& pool, QWidget* parent = nullptr);

    void setChoice(const RenderChoice& choice);
    RenderChoice choice() const;
    // Renders `document` as chosen; says why when it cannot start.
    void render(const AnimationDocument& document);
    // Cancels a render running, else closes.
    void cancelOrClose();
    FrameRenderer* renderer() const { return renderer_; }
    QString status() const;

signals:
    // Asked for the animation to render, which render() is then called with.
    void renderWanted();
    // The settings chosen, for the animation to keep.
    void choiceChanged(const zephyrin::RenderChoice& choice);

protected:
    void reject() override;

private:
    QWidget* createFields();
    void chooseFolder();
    void showProgress(std::int64_t done, std::int64_t frames, double secondsLeft);
    void showFinished(const QString& summary, bool completed);
    void updateButtons();

    FrameRenderer* renderer_;
    QLineEdit* folder_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QDoubleSpinBox* iterations_ = nullptr;
    QComboBox* depth_ = nullptr;
    QLineEdit* seed_ = nullptr;
    QCheckBox* video_ = nullptr;
    QDoubleSpinBox* fps_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* renderButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace zephyrin
