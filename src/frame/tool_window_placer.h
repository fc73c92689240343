#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>

class QWidget;

namespace zephyrin {

// Puts each tool window in its place the first time it is shown, when its
// layout has given it its real size: where it was in the last run, if that
// is still on a screen and clear of the others, else beside the frame clear
// of the tool windows already placed, wherever the user has put them. A tool
// window the user has moved since is never moved again. Where each one is,
// is remembered when it is hidden and when the frame closes (rememberPlaces).
class ToolWindowPlacer : public QObject {
    Q_OBJECT

public:
    ToolWindowPlacer(QWidget* frame, const QList<QWidget*>& tools);

    // The frame's window decorations, or nothing while the window system has
    // not told them yet.
    QSize frameDecorations() const;

    void rememberPlaces() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget* tool);
    bool placeWhereItWas(QWidget* tool) const;
    // Where the other tool windows placed so far are, shown or hidden.
    QList<QRect> takenBesides(const QWidget* tool) const;
    static void rememberPlace(const QWidget* tool);

    QPointer<QWidget> frame_;
    QList<QWidget*> tools_;
    QSet<QWidget*> placed_;
};

}  // namespace zephyrin
