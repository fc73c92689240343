// The Colouring tool window and the window's document: the dialog sets the
// document's colouring, and shows it when the window loads it.
#include "dialogs/colouring_dialog.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::applyColouring() {
    if (colouringDialog_) document_->applyColouring(colouringDialog_->settings());
}

void TMDIChild::colouringUpdate() {
    if (colouringDialog_) colouringDialog_->setSettings(document_->density());
}

void TMDIChild::colouringDialogClick() {
    toggleToolWindow(colouringDialog_, &TMDIChild::colouringUpdate);
}

}  // namespace zephyrin
