// Loading a parameter file into the window, and writing one beside a saved
// picture.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "engine/file/density_lines.h"
#include "engine/file/param_file.h"
#include "imaging/embedded_parameters.h"
#include "services/locale_format.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "window/tmdi_child.h"

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

bool TMDIChild::readParameters(const QString& path) {
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

bool TMDIChild::takeParameterText(const std::string& text, const QString& caption, const QString& folder) {
    std::vector<std::string> messages;
    try {
        messages = ReadParameterText(text, caption.toStdString(), localeDecimalSeparator(), v, effects,
                                     density_, folder.toStdString());
    } catch (const std::bad_alloc&) {
        showError(
            QStringLiteral("There is not enough memory to read the parameters of \"%1\".").arg(caption));
        return false;
    }
    if (!messages.empty()) ShowMessage(groupMessages(messages));
    if (density_.enabled) useGradient();
    return true;
}

void TMDIChild::setParameterTextToLoad(const QString& text, const QString& caption) {
    parameterTextToLoad_ = text;
    parameterTextCaption_ = caption;
}

void TMDIChild::copyParameters() {
    // A point, whatever this system's separator: the text may be pasted on
    // another system, whose reader takes a point as well.
    QApplication::clipboard()->setText(QString::fromStdString(parameterText('.')));
}

bool TMDIChild::LoadFromParameterFile(const QString& path) {
    // Nothing is loaded when the file cannot be read: the picture, the
    // drawing and the name stay.
    if (!readParameters(path)) return false;
    setWindowTitle(path);
    setModeWord(path);
    v.randomStart = kFalse;
    UpdateGrafX();
    return true;
}

std::string TMDIChild::parameterText(char separator) const {
    return WriteParameterText(v, effects, density_, separator);
}

QString TMDIChild::parameterFilePathFor(const QString& picturePath) {
    const QFileInfo picture(picturePath);
    return picture.dir().filePath(picture.completeBaseName() + QStringLiteral(".zpr"));
}

bool TMDIChild::writeParameterFileBeside(const QString& picturePath) {
    const std::string text = parameterText(localeDecimalSeparator());
    const Result<> written = WriteParameterFile(parameterFilePathFor(picturePath).toStdString(), text);
    if (!written) {
        showError(QString::fromStdString(written.error()));
        return false;
    }
    if (const std::string note = GradientNote(density_); !note.empty())
        ShowMessage(QString::fromStdString(note));
    return true;
}

}  // namespace zephyrin
