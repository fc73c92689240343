// The Colouring tool window and the window's document: the frame hands the
// dialog's settings to the document, and the window loads the dialog with them.
#include "dialogs/colouring_dialog.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::colouringUpdate() {
    if (colouringDialog_) colouringDialog_->setSettings(document_->density());
}

void TMDIChild::colouringDialogClick() {
    toggleToolWindow(colouringDialog_, &TMDIChild::colouringUpdate);
}

}  // namespace zephyrin
