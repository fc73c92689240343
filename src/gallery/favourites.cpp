#include "gallery/favourites.h"

#include <QDir>
#include <QImage>
#include <new>

#include "engine/core/defaults.h"
#include "engine/file/param_file.h"
#include "imaging/embedded_parameters.h"
#include "imaging/image_file.h"
#include "view/picture_image.h"

namespace zephyrin {

std::string entryParameters(const GalleryEntry& entry, const DensitySettings& density) {
    return WriteParameterText(entry.record, entry.effects, density, '.');
}

Result<QString> saveFavourite(const QString& folder, const GalleryEntry& entry,
                              const DensitySettings& density) {
    if (entry.picture.isNull()) return Failure("The attractor is not drawn yet.");
    const QString name = QStringLiteral("zephyrin-%1-%2.png")
                             .arg(entry.record.formula, 2, 10, QLatin1Char('0'))
                             .arg(entry.seed, 16, 16, QLatin1Char('0'));
    const QString path = QDir(folder).filePath(name);
    try {
        const Result<> saved = SaveImage(pictureOfImage(entry.picture), path.toStdString(),
                                         ColourChange::kAgreed, entryParameters(entry, density));
        if (!saved) return Failure(saved.error());
    } catch (const std::bad_alloc&) {
        return Failure("There is not enough memory to keep the favourite.");
    }
    return path;
}

QStringList favouriteFiles(const QString& folder) {
    QStringList files;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.png"), QStringLiteral("*.PNG")}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        if (ReadEmbeddedParameters(path.toStdString())) files << path;
    }
    return files;
}

Result<GalleryEntry> readFavourite(const QString& path) {
    const Result<std::string> text = ReadEmbeddedParameters(path.toStdString());
    if (!text) return Failure(text.error());
    GalleryEntry entry;
    if (!entry.picture.load(path)) return Failure("cannot read the picture \"" + path.toStdString() + "\"");
    entry.record = NewWindowRecord(entry.picture.width(), entry.picture.height());
    DensitySettings density;
    const ParameterReadReport report =
        ReadParameterText(*text, path.toStdString(), '.', entry.record, entry.effects, density);
    if (report.Failed()) return Failure(report.error);
    entry.record.randomStart = kFalse;
    entry.file = path;
    return entry;
}

}  // namespace zephyrin
