// Loading a parameter file into the window, and writing one beside a saved
// picture.
#include <QApplication>
#include <QClipboard>

#include "services/mode_word.h"
#include "window/save_names.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::copyParameters() {
    // A point, whatever this system's separator: the text may be pasted on
    // another system, whose reader takes a point as well.
    QApplication::clipboard()->setText(QString::fromStdString(document_->parameterText('.')));
}

bool TMDIChild::LoadFromParameterFile(const QString& path) {
    // Nothing is loaded when the file cannot be read: the picture, the
    // drawing and the name stay.
    if (!document_->readParameters(path)) return false;
    setWindowTitle(path);
    setModeWord(path);
    document_->v.randomStart = kFalse;
    UpdateGrafX();
    return true;
}

bool TMDIChild::writeParameterFileBeside(const QString& picturePath) {
    return document_->writeParameterFile(ParameterFilePathFor(picturePath));
}

}  // namespace zephyrin
