#include "services/file_choosers.h"

#include <QFileDialog>
#include <QFileInfo>

#include "services/settings.h"

namespace zephyrin {

namespace {
std::function<std::optional<FileChoice>(const FileRequest&)>& installedChooser() {
    static std::function<std::optional<FileChoice>(const FileRequest&)> chooser;
    return chooser;
}

const QString& folderKey(FileRequest::Subject subject) {
    return subject == FileRequest::Subject::kGradients ? kGradientFolderKey : kPictureFolderKey;
}

std::optional<FileChoice> ask(QWidget* parent, const FileRequest& request) {
    if (installedChooser()) return installedChooser()(request);
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
    } else if (request.kind == FileRequest::Kind::kFolder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{dialog.selectedFiles().first(),
                      static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()))};
}

}  // namespace

std::optional<FileChoice> chooseFile(QWidget* parent, FileRequest request) {
    request.folder = rememberedValue(folderKey(request.subject), QString()).toString();
    std::optional<FileChoice> choice = ask(parent, request);
    if (choice) remember(folderKey(request.subject), QFileInfo(choice->path).absolutePath());
    return choice;
}

void setFileChooser(std::function<std::optional<FileChoice>(const FileRequest&)> chooser) {
    installedChooser() = std::move(chooser);
}

}  // namespace zephyrin
