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
    enum class Kind { kOpen, kSave };
    Kind kind = Kind::kOpen;
    QString caption;
    QStringList filters;   // Qt filter entries, "Description (*.ext)"
    int filterIndex = 0;   // preselected entry
    QString proposedName;  // for saving
};

// Shows a modal file dialog; nothing when the user cancels.
std::optional<FileChoice> ChooseFile(QWidget* parent, const FileRequest& request);

// Replaces the dialogs for tests; an empty handler restores them.
void SetFileChooser(std::function<std::optional<FileChoice>(const FileRequest&)> chooser);

}  // namespace zephyrin
