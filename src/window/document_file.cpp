// The document's parameter file: read (from a file, or from inside a picture
// of ours) and written.
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <new>

#include "engine/file/density_lines.h"
#include "engine/file/param_file.h"
#include "imaging/embedded_parameters.h"
#include "services/locale_format.h"
#include "services/messages.h"
#include "window/picture_document.h"

namespace zephyrin {

namespace {

// A short file can raise the same message over a hundred times: show each
// text once, with how often it came.
QString groupMessages(const std::vector<std::string>& messages) {
    std::vector<std::pair<std::string, int>> counts;
    for (const std::string& message : messages) {
        auto it =
            std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == message; });
        if (it == counts.end())
            counts.emplace_back(message, 1);
        else
            ++it->second;
    }
    QStringList lines;
    for (const auto& [text, count] : counts) {
        QString line = QString::fromStdString(text);
        if (count > 1) line += QStringLiteral(" (%1 times)").arg(count);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

bool PictureDocument::readParameters(const QString& path) {
    Result<std::string> text;
    try {
        // A PNG or TIFF picture of ours carries its parameter file inside.
        const std::filesystem::path file = path.toStdString();
        text = CarriesParameters(file) ? ReadEmbeddedParameters(file) : ReadParameterFile(file);
    } catch (const std::bad_alloc&) {
        text =
            Failure("There is not enough memory to read the parameter file \"" + path.toStdString() + "\".");
    }
    if (!text) {
        showError(QString::fromStdString(text.error()));
        return false;
    }
    return takeParameterText(*text, path, QFileInfo(path).absolutePath());
}

bool PictureDocument::takeParameterText(const std::string& text, const QString& caption,
                                        const QString& folder) {
    std::vector<std::string> messages;
    try {
        messages = ReadParameterText(text, caption.toStdString(), localeDecimalSeparator(), v, effects,
                                     density_, folder.toStdString())
                       .Messages();
    } catch (const std::bad_alloc&) {
        showError(
            QStringLiteral("There is not enough memory to read the parameters of \"%1\".").arg(caption));
        return false;
    }
    if (!messages.empty()) ShowMessage(groupMessages(messages));
    if (!PaintsWhilePlotting(colouringMode())) useGradient();
    return true;
}

std::string PictureDocument::parameterText(char separator) const {
    return WriteParameterText(v, effects, density_, separator);
}

bool PictureDocument::writeParameterFile(const QString& path) const {
    const std::string text = parameterText(localeDecimalSeparator());
    const Result<> written = WriteParameterFile(path.toStdString(), text);
    if (!written) {
        showError(QString::fromStdString(written.error()));
        return false;
    }
    if (const std::string note = GradientNote(density_); !note.empty())
        ShowMessage(QString::fromStdString(note));
    return true;
}

}  // namespace zephyrin
