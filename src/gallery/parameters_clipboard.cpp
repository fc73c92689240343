#include "gallery/parameters_clipboard.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "engine/file/param_file.h"
#include "imaging/embedded_parameters.h"

namespace zephyrin {

namespace {

Result<PastedParameters> parametersOfFile(const QString& path) {
    const std::filesystem::path file = path.toStdString();
    Result<std::string> text =
        CarriesParameters(file) ? ReadEmbeddedParameters(file) : ReadParameterFile(file);
    if (!text) return Failure(text.error());
    return PastedParameters{*std::move(text), path};
}

QString localFile(const QString& text) {
    const QUrl url(text);
    if (url.isLocalFile()) return url.toLocalFile();
    return QFileInfo(text).isAbsolute() && QFileInfo(text).isFile() ? text : QString();
}

}  // namespace

Result<PastedParameters> parametersFromClipboard(const QMimeData* data) {
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) return parametersOfFile(url.toLocalFile());
    if (data && data->hasText()) {
        const QString text = data->text();
        if (text.startsWith(QString::fromLatin1(kParametersStart.data(), kParametersStart.size())))
            return PastedParameters{text.toStdString(), QString()};
        if (const QString file = localFile(text.trimmed()); !file.isEmpty()) return parametersOfFile(file);
    }
    return Failure(
        "The clipboard holds no parameters. Copy Parameters in a picture window, or copy a parameter file or "
        "a PNG or TIFF picture saved with its parameters.");
}

}  // namespace zephyrin
