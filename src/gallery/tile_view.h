#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

namespace zephyrin {

struct GalleryEntry;

// One tile of the gallery's grid: the picture (blank until drawn), its
// formula and measures, and a star that keeps it as a favourite. A click
// selects it, a double click opens it.
class TileView : public QFrame {
    Q_OBJECT

public:
    explicit TileView(QWidget* parent = nullptr);

    void showEntry(const GalleryEntry& entry);
    void setSelected(bool selected);
    void setStarred(bool starred);
    bool starred() const;
    QString caption() const;

signals:
    void clicked();
    void opened();
    void starClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QLabel* picture_;
    QLabel* caption_;
    QToolButton* star_;
    qint64 pictureKey_ = 0;
};

}  // namespace zephyrin
