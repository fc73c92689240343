// Loading a parameter file into the window, and writing one beside a saved
// picture.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>

#include "services/mode_word.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::setParameterTextToLoad(const QString& text, const QString& caption) {
    parameterTextToLoad_ = text;
    parameterTextCaption_ = caption;
}

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

QString TMDIChild::parameterFilePathFor(const QString& picturePath) {
    const QFileInfo picture(picturePath);
    return picture.dir().filePath(picture.completeBaseName() + QStringLiteral(".zpr"));
}

bool TMDIChild::writeParameterFileBeside(const QString& picturePath) {
    return document_->writeParameterFile(parameterFilePathFor(picturePath));
}

}  // namespace zephyrin
