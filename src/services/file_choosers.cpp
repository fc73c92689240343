#include "services/file_choosers.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zephyrin {

namespace {
std::function<std::optional<FileChoice>(const FileRequest&)>& Chooser() {
    static std::function<std::optional<FileChoice>(const FileRequest&)> chooser;
    return chooser;
}

QString& LastFolder(FileRequest::Kind kind) {
    static QString open, save;
    return kind == FileRequest::Kind::kSave ? save : open;
}

std::optional<FileChoice> Ask(QWidget* parent, const FileRequest& request) {
    if (Chooser()) return Chooser()(request);
    QFileDialog dialog(parent, request.caption);
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size())
        dialog.selectNameFilter(request.filters[request.filterIndex]);
    if (request.kind == FileRequest::Kind::kSave) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // Saving replaces an existing picture without a question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.selectFile(request.proposedName);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{dialog.selectedFiles().first(),
                      static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()))};
}

}  // namespace

std::optional<FileChoice> chooseFile(QWidget* parent, FileRequest request) {
    QString& lastFolder = LastFolder(request.kind);
    request.folder = lastFolder;
    std::optional<FileChoice> choice = Ask(parent, request);
    if (choice) lastFolder = QFileInfo(choice->path).absolutePath();
    return choice;
}

void setFileChooser(std::function<std::optional<FileChoice>(const FileRequest&)> chooser) {
    Chooser() = std::move(chooser);
}

}  // namespace zephyrin
