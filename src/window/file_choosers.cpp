#include "window/file_choosers.h"

#include <QFileDialog>

namespace zephyrin {

namespace {
std::function<std::optional<FileChoice>(const FileRequest&)>& Chooser() {
    static std::function<std::optional<FileChoice>(const FileRequest&)> chooser;
    return chooser;
}
}  // namespace

std::optional<FileChoice> ChooseFile(QWidget* parent, const FileRequest& request) {
    if (Chooser()) return Chooser()(request);
    QFileDialog dialog(parent, request.caption);
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

void SetFileChooser(std::function<std::optional<FileChoice>(const FileRequest&)> chooser) {
    Chooser() = std::move(chooser);
}

}  // namespace zephyrin
