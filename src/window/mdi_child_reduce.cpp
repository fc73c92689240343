// Anti-aliasing: a request files a reduction by 2, 3 or 4, which the
// window's next Timer1 tick carries out by area averaging.
#include <QAction>
#include <QMenu>
#include <new>

#include "services/messages.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

void TMDIChild::addAntiAliasItems(QMenu* menu) {
    menu->addSeparator()->setObjectName(QStringLiteral("N3"));
    const struct {
        const char* name;
        const char* caption;
        int factor;
    } items[] = {{"AntiAlias211", "Anti-Alias 2:1", 2},
                 {"AntiAlias311", "Anti-Alias 3:1", 3},
                 {"AntiAlias411", "Anti-Alias 4:1", 4}};
    for (const auto& item : items)
        connect(addItem(menu, item.name, QString::fromLatin1(item.caption)), &QAction::triggered, this,
                [this, factor = item.factor] { requestReduction(factor); });
}

void TMDIChild::requestReduction(int factor) {
    PGImage1->setActionMode(PictureView::ActionMode::None);
    PGImage1->setPictureCursor(Qt::WaitCursor);
    Timer1->setEnabled(true);
    setModeWord(QStringLiteral("REDUCE") + QString::number(factor) + QStringLiteral("11"));
    // The request belongs to this window and is used up when carried out,
    // so no other window's tick reduces this picture and none runs twice.
    pendingReduction_ = factor;
}

void TMDIChild::carryOutReduction() {
    const int factor = pendingReduction_;
    if (factor == 0) return;
    pendingReduction_ = 0;
    try {
        document_->reduce(factor);
    } catch (const std::bad_alloc&) {
        showError(QStringLiteral("There is not enough memory to reduce the picture %1:1.").arg(factor));
    }
    PGImage1->setPictureCursor(Qt::ArrowCursor);
    PGImage1->setActionMode(PictureView::ActionMode::MoveImage);
}

}  // namespace zephyrin
