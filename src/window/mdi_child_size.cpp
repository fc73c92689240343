// The picture size: the size items, Custom Size, applying the XY size
// dialog's values, and fitting the window to a new picture.
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <algorithm>
#include <new>

#include "dialogs/spin_edit.h"
#include "dialogs/xy_size_dialog.h"
#include "services/messages.h"
#include "util/drawing_memory.h"
#include "util/rounding.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::addSizeItems(QMenu* menu) {
    const struct {
        const char* name;
        const char* caption;
        int width, height;
    } sizes[] = {
        {"N120by901", "120 by 90", 120, 90},       {"N160by1201", "160 by 120", 160, 120},
        {"N320by2401", "320 by 240", 320, 240},    {"N400by3001", "400 by 300", 400, 300},
        {"N640by4801", "640 by 480", 640, 480},    {"N800by6001", "800 by 600", 800, 600},
        {"N1024by7681", "1024 by 768", 1024, 758},
    };
    for (const auto& size : sizes)
        connect(addItem(menu, size.name, QString::fromLatin1(size.caption)), &QAction::triggered, this,
                [this, w = size.width, h = size.height] { sizeItemClick(w, h); });
    menu->addSeparator()->setObjectName(QStringLiteral("N1"));
    connect(addItem(menu, "CustomSize1", QStringLiteral("Custom Size")), &QAction::triggered, this,
            &TMDIChild::CustomSize1Click);
}

void TMDIChild::sizeItemClick(int width, int height) {
    if (!xySize_) return;
    xySize_->RxWidth()->setValue(width);
    xySize_->RxHeight()->setValue(height);
    Resolution();
}

void TMDIChild::Resolution() {
    if (!xySize_) return;
    const double w = xySize_->RxWidth()->textValue();
    const double h = xySize_->RxHeight()->textValue();
    const std::int32_t width = RoundToInt32Clamped(w), height = RoundToInt32Clamped(h);
    if (!DrawingFitsInMemory(width, height)) {
        // Refused before anything changes: the picture and its drawing stay.
        ShowMessage(QStringLiteral("A picture of %1 by %2 pixels cannot be drawn: %3")
                        .arg(width)
                        .arg(height)
                        .arg(width < 1 || height < 1 ? QStringLiteral("width and height must be at least 1.")
                                                     : QStringLiteral("it would not fit in memory.")));
        return;
    }
    TFractalRec& v = document_->v;
    const std::int32_t oldListWidth = v.listWidth, oldListHeight = v.listHeight;
    const std::int32_t oldWidth = v.width, oldHeight = v.height;
    v.listWidth = width;
    v.listHeight = height;
    v.width = width;
    v.height = height;
    setWindowTitle(pictureName);
    try {
        CreateTList();
    } catch (const std::bad_alloc&) {
        // A failed assign keeps the old hit list, so the old size must stay with it.
        v.listWidth = oldListWidth;
        v.listHeight = oldListHeight;
        v.width = oldWidth;
        v.height = oldHeight;
        showError(QStringLiteral("There is not enough memory to draw a picture of %1 by %2 pixels.")
                      .arg(width)
                      .arg(height));
        return;
    }
    UpdateGrafX();
}

void TMDIChild::CustomSize1Click() {
    toggleToolWindow(xySize_, &TMDIChild::sizeUpdate);
}

void TMDIChild::sizeUpdate() {
    xySize_->RxWidth()->setValue(document_->v.listWidth);
    xySize_->RxHeight()->setValue(document_->v.listHeight);
}

void TMDIChild::PGImage1NewAutoSize(int pictureWidth, int pictureHeight) {
    viewSizeForPicture_ = QSize(pictureWidth, pictureHeight);
    if (isMaximized() || isMinimized() || !frame_) return;
    const QSize frame = frame_->frameClientSize();
    const int clientWidth = pictureWidth < frame.width() ? pictureWidth + 20 : frame.width() - 50;
    const int clientHeight = pictureHeight < frame.height() ? pictureHeight + 40 : frame.height() - 70;
    setClientSize(QSize(clientWidth, clientHeight));
}

QSize TMDIChild::wholePictureSize() const {
    const QSize border = size() - widget()->size();
    return (viewSizeForPicture_ + QSize(20, 40) + border).expandedTo(minimumSize());
}

void TMDIChild::setClientSize(const QSize& client) {
    const QSize border = size() - widget()->size();
    resize((client + border).expandedTo(minimumSize()));
    // Fully in view where the area holds it, moved as little as that takes;
    // its top-left corner in view otherwise, the area scrolling to the rest.
    if (!mdiArea()) return;
    const QRect view = mdiArea()->viewport()->rect();
    const auto inView = [](int at, int length, int first, int room) {
        return length <= room ? std::clamp(at, first, first + room - length) : first;
    };
    move(inView(x(), width(), view.left(), view.width()), inView(y(), height(), view.top(), view.height()));
}

}  // namespace zephyrin
