#include "window/save_names.h"

#include <QDir>
#include <QFileInfo>

#include "imaging/image_formats.h"
#include "window/tmdi_child.h"

namespace zephyrin {

QStringList SaveFilters() {
    QStringList filters;
    for (const ImageFormatInfo& format : ImageFormats())
        filters << QStringLiteral("%1 (%2)").arg(
            QString::fromLatin1(format.filterEntry.data(), format.filterEntry.size()),
            QString::fromLatin1(format.pattern.data(), format.pattern.size()));
    return filters;
}

QString ParameterFilePathFor(const QString& picturePath) {
    const QFileInfo picture(picturePath);
    return picture.dir().filePath(picture.completeBaseName() + QStringLiteral(".zpr"));
}

QString ProposedSaveName(const TMDIChild& window) {
    // The first window's caption "zephyrin    " proposes "zephyrin".
    const QString name = window.document().state() == PictureDocument::DrawingState::kIdle
                             ? window.windowTitle()
                             : window.pictureName;
    const QFileInfo info(name.trimmed());
    return info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
}

}  // namespace zephyrin
