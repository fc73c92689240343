// The frame's commands on a window's counts: Drawing > Continue, File > Save
// Counts... and File > Open of a counts file.
#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>

#include "frame/main_form.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "window/save_names.h"
#include "window/tmdi_child.h"

namespace zephyrin {

namespace {

// A poster's counts take seconds to write or read.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void TMainForm::updateCountsItems() {
    const TMDIChild* child = activeChild();
    Continue1->setEnabled(child && child->document().canContinue());
    SaveCounts1->setEnabled(child && child->document().whyNoCountsFile().isEmpty());
}

void TMainForm::Continue1Click() {
    if (TMDIChild* child = activeChild()) child->document().continueDrawing();
}

void TMainForm::SaveCounts1Click() {
    TMDIChild* child = activeChild();
    if (!child) return;
    // Said before a file is chosen for nothing.
    if (const QString why = child->document().whyNoCountsFile(); !why.isEmpty()) {
        showError(why);
        return;
    }
    FileRequest request;
    request.kind = FileRequest::Kind::kSave;
    request.caption = QStringLiteral("Save Counts");
    request.filters = QStringList{QStringLiteral("Counts files (*.tif)")};
    request.proposedName = ProposedSaveName(*child);
    const std::optional<FileChoice> choice = chooseFile(this, request);
    if (!choice) return;
    QString path = choice->path;
    // Open knows a counts file by its extension.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("tif") && suffix != QLatin1String("tiff")) path += QStringLiteral(".tif");
    Result<> saved;
    {
        const WaitCursor waiting;
        saved = child->document().saveCounts(path);
    }
    if (!saved) showError(QString::fromStdString(saved.error()));
}

TMDIChild* TMainForm::openCounts(const QString& path) {
    Result<CountsFile> file;
    {
        const WaitCursor waiting;
        file = PictureDocument::readCountsFile(path);
    }
    if (!file) {
        showError(QString::fromStdString(file.error()));
        return nullptr;
    }
    TMDIChild* child = CreateAttractorWindow(path);
    child->document().setCountsToOpen(*std::move(file));
    return child;
}

}  // namespace zephyrin
