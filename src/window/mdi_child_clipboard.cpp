// Edit > Copy: the picture as shown onto the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <new>

#include "imaging/picture.h"
#include "services/messages.h"
#include "view/picture_image.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::Copy1Click() {
    PGImage1->setSelection(false);
    PGImage1->setSelectionLeft(0);
    PGImage1->setSelectionTop(0);
    PGImage1->setSelectionWidth(document_->v.listWidth);
    PGImage1->setSelectionHeight(document_->v.listHeight);
    // The picture as shown: after a reduction that is the reduced picture,
    // not a corner of the large one.
    const Picture* shown = PGImage1->currentPicture();
    if (!shown || shown->Empty()) {
        ShowMessage(QStringLiteral("There is nothing to copy: the picture is empty."));
    } else {
        try {
            QApplication::clipboard()->setImage(
                imageOfPicture(*shown).convertToFormat(QImage::Format_RGB888));
        } catch (const std::bad_alloc&) {
            showError(QStringLiteral("There is not enough memory to copy the picture."));
        }
    }
    UpdateMenuItems();
}

}  // namespace zephyrin
