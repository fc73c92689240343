#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "animation_window/render_choice.h"
#include "engine/animate/animation_file.h"
#include "engine/animate/path_chaos.h"

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace zephyrin {

class PathChecker;
class PreviewPlayer;
class RenderDialog;
class ThreadPool;
class ThumbnailDrawer;
class TimeLine;

// Parameters another window offers as a keyframe.
struct OfferedParameters {
    std::string text;  // a parameter file's text
    QString caption;
};

// Drawing > Animation: the keyframes of an animation with their small
// pictures, the frames from each to the next and its cuts, Loop and Smooth,
// a time line marking the frames whose orbits are not chaotic, a preview
// that plays the animation small, Render... into a folder of frames and a
// video, and Save and Open of the animation file. The checks, the preview
// and the render draw on the program's drawing pool.
class AnimationWindow : public QWidget {
    Q_OBJECT

public:
    using Source = std::function<std::optional<OfferedParameters>()>;

    // New keyframes have this many frames to the next.
    static constexpr int kDefaultFrames = 30;

    explicit AnimationWindow(ThreadPool& pool, QWidget* parent = nullptr);
    ~AnimationWindow() override;

    // Where Add Current Picture and Add from Gallery take their parameters.
    void setCurrentPictureSource(Source source) { currentPicture_ = std::move(source); }
    void setGallerySource(Source source) { gallery_ = std::move(source); }

    // Adds a keyframe after the selected one and selects it; says why and
    // returns false when the text cannot be read.
    bool addKeyframeText(const std::string& text, const QString& caption);
    void addCurrentPicture();
    void addFromGallery();
    void addFromFile();
    void removeSelected();
    void moveSelectedUp();
    void moveSelectedDown();
    void setSegmentFrames(int frames);
    void setCut(bool cut);
    void select(int index);

    // Saves or opens the animation file; says why and returns false when it cannot.
    bool saveTo(const QString& path);
    bool openFrom(const QString& path);
    void save();
    void open();
    void showRenderDialog();
    // The frames' size, budget, depth and seed, and where they go: the
    // path check and the preview follow the size and seed.
    void setRenderChoice(const RenderChoice& choice);
    const RenderChoice& renderChoice() const { return choice_; }

    // The animation as its file holds it.
    AnimationDocument document() const;
    int keyframeCount() const { return static_cast<int>(keyframes_.size()); }
    int selected() const;
    QImage thumbnail(int index) const;
    QString checkText() const;
    bool checking() const;
    TimeLine* timeLine() const { return timeLine_; }
    PreviewPlayer* preview() const { return preview_; }
    RenderDialog* renderDialog();
    QCheckBox* loopBox() const { return loop_; }
    QCheckBox* smoothBox() const { return smooth_; }

signals:
    // The time line was given the check of the animation as it now stands.
    void checked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Item {
        KeyframeText text;
        QString caption;
        QImage thumbnail;
        int id = 0;
    };
    void createActions();
    QWidget* createKeyframePanel();
    QWidget* createPreviewPanel();
    void addOffered(const std::optional<OfferedParameters>& offered, const QString& none);
    void changed();
    void fillList();
    void showSelected();
    void takeThumbnail(int id, const QImage& picture);
    void takeCheck(const std::vector<FrameChaos>& frames);
    void renderNow();
    void stopAll();

    ThreadPool& pool_;
    std::vector<Item> keyframes_;
    int nextId_ = 0;
    RenderChoice choice_;
    Source currentPicture_;
    Source gallery_;

    ThumbnailDrawer* thumbnails_;
    PathChecker* checker_;
    PreviewPlayer* preview_;
    RenderDialog* renderDialog_ = nullptr;

    QAction* addCurrent_ = nullptr;
    QAction* addGallery_ = nullptr;
    QAction* addFile_ = nullptr;
    QAction* remove_ = nullptr;
    QAction* moveUp_ = nullptr;
    QAction* moveDown_ = nullptr;
    QAction* play_ = nullptr;
    QAction* stop_ = nullptr;
    QAction* render_ = nullptr;
    QAction* save_ = nullptr;
    QAction* open_ = nullptr;

    QListWidget* list_ = nullptr;
    QSpinBox* frames_ = nullptr;
    QCheckBox* cut_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QCheckBox* smooth_ = nullptr;
    QLabel* previewPicture_ = nullptr;
    QLabel* checkStatus_ = nullptr;
    TimeLine* timeLine_ = nullptr;
};

}  // namespace zephyrin
