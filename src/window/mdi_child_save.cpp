// Save As: the picture as shown, in the format its extension names, and the
// parameter file beside it.
#include <QFileInfo>
#include <algorithm>
#include <new>

#include "imaging/image_file.h"
#include "imaging/image_formats.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "services/settings.h"
#include "view/picture_view.h"
#include "window/save_names.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::SaveAs1Click() {
    FileRequest request;
    request.kind = FileRequest::Kind::kSave;
    request.caption = QStringLiteral("Save As");
    request.filters = SaveFilters();
    request.filterIndex = saveFilterIndex_;
    request.proposedName = ProposedSaveName(*this);
    const std::optional<FileChoice> choice = chooseFile(this, request);
    if (!choice) return;
    QString path = choice->path;
    if (QFileInfo(path).suffix().isEmpty()) {
        // A name without an extension takes the chosen filter's.
        const int filter =
            choice->filterIndex >= 0 && choice->filterIndex < static_cast<int>(ImageFormats().size())
                ? choice->filterIndex
                : saveFilterIndex_;
        const std::string_view extension = ImageFormats()[filter].extension;
        path += QLatin1Char('.') + QString::fromLatin1(extension.data(), extension.size());
    }

    const Picture* shown = PGImage1->currentPicture();
    if (!shown) return;
    if (const auto change = ColourResolutionChangeFor(path.toStdString())) {
        if (!askOkCancel(QString::fromStdString(change->question))) {
            showError(QString::fromStdString(change->refusal));
            return;
        }
    }
    // The picture carries its parameters inside where the format can (PNG,
    // TIFF); a colouring with more than 8 bits keeps them where the format holds them.
    const std::string embedded = document_->parameterText('.');
    const ImageFormatInfo* format = FindImageFormat(path.toStdString());
    const bool sixteenBits =
        format && format->SixteenBits() && rememberedValue(kSixteenBitsKey, true).toBool();
    Result<> saved;
    try {
        const std::optional<Picture16> deep =
            sixteenBits ? document_->sixteenBitPicture() : std::optional<Picture16>();
        saved = deep ? SaveImage16(*deep, path.toStdString(), ColourChange::kAgreed, embedded)
                     : SaveImage(*shown, path.toStdString(), ColourChange::kAgreed, embedded);
    } catch (const std::bad_alloc&) {
        saved = Failure("There is not enough memory to save \"" + path.toStdString() + "\".");
    }
    if (!saved) {
        showError(QString::fromStdString(saved.error()));
        return;
    }
    // The format remembered is the one the picture was written in, whatever
    // filter was selected when its name was typed.
    if (format) {
        const std::span<const ImageFormatInfo> formats = ImageFormats();
        saveFilterIndex_ = static_cast<int>(format - formats.data());
        remember(kSaveFormatKey, saveFilterIndex_);
    }
    setWindowTitle(path);
    writeParameterFileBeside(path);
}

}  // namespace zephyrin
