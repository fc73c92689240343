#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

class QWidget;

namespace zephyrin {

// Puts each tool window in its place beside the frame the first time it is
// shown, when its layout has given it its real size. A tool window the user
// has moved since is never moved again.
class ToolWindowPlacer : public QObject {
    Q_OBJECT

public:
    ToolWindowPlacer(QWidget* frame, const QList<QWidget*>& tools);

    // The frame's window decorations, or nothing while the window system has
    // not told them yet.
    QSize frameDecorations() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget* tool);

    QPointer<QWidget> frame_;
    QList<QWidget*> tools_;
    QSet<QWidget*> placed_;
};

}  // namespace zephyrin
