#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace zephyrin {

// The file dialogs of the program, behind one seam so tests can answer them.
struct FileChoice {
    QString path;
    int filterIndex = 0;  // the filter entry selected when the user confirmed
};

struct FileRequest {
    enum class Kind { kOpen, kSave, kFolder };
    Kind kind = Kind::kOpen;
    // Pictures (with their parameter files) are opened and saved in one
    // folder, gradients are loaded from another.
    enum class Subject { kPictures, kGradients };
    Subject subject = Subject::kPictures;
    QString caption;
    QStringList filters;   // Qt filter entries, "Description (*.ext)"
    int filterIndex = 0;   // preselected entry
    QString proposedName;  // for saving
    QString folder;        // where the dialog opens; chooseFile fills it in
};

// Shows a modal file dialog; nothing when the user cancels. The dialog opens
// in the folder of the file last chosen for the same subject, opened or
// saved (also when that was typed as a full path elsewhere).
std::optional<FileChoice> chooseFile(QWidget* parent, FileRequest request);

// Replaces the dialogs for tests; an empty handler restores them.
void setFileChooser(std::function<std::optional<FileChoice>(const FileRequest&)> chooser);

}  // namespace zephyrin
