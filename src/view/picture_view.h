#pragma once

#include <QPoint>
#include <QPointer>
#include <QScrollArea>
#include <QSize>
#include <memory>

#include "imaging/picture.h"
#include "view/selection_tracker.h"

class QMenu;

namespace zephyrin {

class PictureBox;

// A scrollable view that owns the picture it shows, centred at its natural
// size on the workspace colour, with a selection rectangle the mouse can
// create, move and resize.
//
// Mouse signals carry the buttons held during the event (a press includes the
// pressed button, a release no longer holds the released one), the Shift,
// Ctrl and Alt state, and coordinates in the picture box's own pixels, which
// boxToPixel turns into picture pixels. A press is reported before the view
// acts on it, so a receiver may still change the ActionMode for the drag it
// starts; moves and releases are reported after the view has acted.
class PictureView : public QScrollArea {
    Q_OBJECT

public:
    enum class ActionMode {
        None,                      // the mouse leaves the picture alone
        MoveImage,                 // a left-button drag scrolls the picture
        MoveResizeCreateSelection  // a left-button drag edits the selection
    };
    Q_ENUM(ActionMode)

    explicit PictureView(QWidget* parent = nullptr);
    ~PictureView() override;

    // Shows picture (which may be nullptr) and releases the one shown before;
    // a new picture is followed by newAutoSize.
    void setPicture(std::unique_ptr<Picture> picture);
    Picture* currentPicture() const { return picture_.get(); }

    // pixel = box coordinate × picture size ÷ displayed size, truncated; (0, 0)
    // while nothing is displayed.
    QPoint boxToPixel(QPoint box) const;

    // The widget the picture is painted on; the mouse signals are its events.
    QWidget* pictureBox() const;

    ActionMode actionMode() const { return actionMode_; }
    void setActionMode(ActionMode mode);

    // The selection in picture pixels. Hiding it keeps its values, and the
    // setters keep it within the picture whether it is shown or not.
    bool hasSelection() const { return selection_.exists(); }
    void setSelection(bool shown);
    int selectionLeft() const { return selection_.rect().left(); }
    int selectionTop() const { return selection_.rect().top(); }
    int selectionWidth() const { return selection_.rect().width(); }
    int selectionHeight() const { return selection_.rect().height(); }
    void setSelectionLeft(int left);
    void setSelectionTop(int top);
    void setSelectionWidth(int width);
    void setSelectionHeight(int height);

    // Shown on right click; not owned. nullptr: no menu.
    void setPopupMenu(QMenu* menu);

    // The cursor over the picture while the mouse mode is None (for example
    // the hourglass while the window is busy); the other modes show cursors
    // for what a drag would do.
    void setPictureCursor(Qt::CursorShape shape);

    // The largest size newAutoSize reports; unlimited until set.
    void setAutoSizeLimits(int maxWidth, int maxHeight);

    // The state a window takes for "plain left button": exactly the left
    // button held and none of Shift, Ctrl and Alt.
    static bool isPlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

signals:
    void picBoxMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void picBoxMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void picBoxMouseUp(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    // A release on the view around the picture box, after a press there.
    void viewMouseUp(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void picBoxDoubleClicked();
    // The size the view needs to show a newly given picture whole: picture,
    // frame and any scroll bar, within the auto-size limits.
    void newAutoSize(int width, int height);
    // Just before the pop-up menu opens, so its items can be brought up to date.
    void aboutToShowPopup();
    // The wheel turned over the picture by `notches` (positive away from the
    // user) at picture-box coordinates x, y; the view itself does not scroll.
    void picBoxWheel(double notches, int x, int y);

protected:
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void onBoxPressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void onBoxMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void onBoxReleased(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void onPictureChanged();

    void detachPicture();
    void fitBoxToPicture();
    void showSelection();
    void endDrags();
    void updateCursor(QPoint boxPosition);

    std::unique_ptr<Picture> picture_;
    int observerId_ = 0;
    PictureBox* box_;
    SelectionTracker selection_;
    ActionMode actionMode_ = ActionMode::None;
    Qt::CursorShape pictureCursor_ = Qt::ArrowCursor;
    QPointer<QMenu> popupMenu_;
    QSize autoSizeLimits_{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};

    // Scrolling by dragging: where the drag began on the screen and the
    // scroll bar values then.
    bool scrolling_ = false;
    QPoint scrollGrab_;
    QPoint scrollStart_;
};

}  // namespace zephyrin
