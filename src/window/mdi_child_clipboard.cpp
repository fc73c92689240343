// Edit > Copy: the picture as shown onto the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QImage>

#include "imaging/picture.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::Copy1Click() {
    PGImage1->setSelection(false);
    PGImage1->setSelectionLeft(0);
    PGImage1->setSelectionTop(0);
    PGImage1->setSelectionWidth(v.listWidth);
    PGImage1->setSelectionHeight(v.listHeight);
    // The picture as shown: after a reduction that is the reduced picture,
    // not a corner of the large one.
    if (const Picture* shown = PGImage1->CurrentPicture(); shown && !shown->Empty()) {
        const QImage view(reinterpret_cast<const uchar*>(shown->Words()), shown->Width(), shown->Height(),
                          shown->Width() * 4, QImage::Format_RGB32);
        QApplication::clipboard()->setImage(view.convertToFormat(QImage::Format_RGB888));
    }
    UpdateMenuItems();
}

}  // namespace zephyrin
