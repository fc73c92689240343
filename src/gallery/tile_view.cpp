#include "gallery/tile_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

#include "gallery/gallery_entry.h"
#include "gallery/gallery_jobs.h"
#include "gallery/measures_text.h"

namespace zephyrin {

TileView::TileView(QWidget* parent)
    : QFrame(parent), picture_(new QLabel(this)), caption_(new QLabel(this)), star_(new QToolButton(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    picture_->setFixedSize(kTileWidth, kTileHeight);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setStyleSheet(QStringLiteral("background: black"));
    star_->setCheckable(true);
    star_->setAutoRaise(true);
    star_->setToolTip(QStringLiteral("Keep as a favourite"));
    setStarred(false);
    connect(star_, &QToolButton::clicked, this, &TileView::starClicked);
    auto* line = new QHBoxLayout;
    line->addWidget(caption_, 1);
    line->addWidget(star_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(picture_);
    layout->addLayout(line);
    setSelected(false);
}

void TileView::showEntry(const GalleryEntry& entry) {
    // The grid is laid out anew at every tile found or drawn: only what
    // changed is shown again.
    if (entry.picture.cacheKey() != pictureKey_) {
        pictureKey_ = entry.picture.cacheKey();
        picture_->setPixmap(entry.picture.isNull() ? QPixmap() : QPixmap::fromImage(entry.picture));
    }
    caption_->setText(
        QStringLiteral("Formula %1\n%2").arg(entry.record.formula).arg(measuresText(entry.measures)));
    setToolTip(entry.file);
}

void TileView::setSelected(bool selected) {
    setLineWidth(selected ? 3 : 1);
}

void TileView::setStarred(bool starred) {
    star_->setChecked(starred);
    star_->setText(starred ? QStringLiteral("\u2605") : QStringLiteral("\u2606"));
}

bool TileView::starred() const {
    return star_->isChecked();
}

QString TileView::caption() const {
    return caption_->text();
}

void TileView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QFrame::mousePressEvent(event);
}

void TileView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit opened();
    QFrame::mouseDoubleClickEvent(event);
}

}  // namespace zephyrin
