// The window's menu tree, the 71 formula commands, the effect switches and
// the check marks that follow the record.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <string>

#include "engine/core/formula_table.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin {

QMenu* TMDIChild::addMenu(const char* objectName, const QString& caption) {
    auto* menu = new QMenu(caption, this);
    menu->setObjectName(QString::fromLatin1(objectName));
    menuBarMenus_.append(menu);
    return menu;
}

QAction* TMDIChild::addItem(QMenu* menu, const char* objectName, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(objectName));
    return item;
}

namespace {
// Draw01 .. Draw75.
QByteArray FormulaItemName(int number) {
    return QStringLiteral("Draw%1").arg(number, 2, 10, QLatin1Char('0')).toLatin1();
}

// A formula menu's caption with its mnemonic: F&ormula', Fo&rmula'',
// &Plankton''', For&mula''' and &IFS, letters no other menu of the menu bar
// takes.
QString FormulaMenuTitle(const FormulaMenu& menu) {
    const struct {
        const char* objectName;
        qsizetype letter;
    } mnemonics[] = {{"Formula1", 1}, {"Formula2", 2}, {"Formula3", 0}, {"Sinus1", 3}, {"IFS1", 0}};
    QString title = QString::fromLatin1(menu.caption);
    for (const auto& mnemonic : mnemonics)
        if (qstrcmp(mnemonic.objectName, menu.objectName) == 0)
            title.insert(mnemonic.letter, QLatin1Char('&'));
    return title;
}
}  // namespace

void TMDIChild::createMenus() {
    QMenu* size = addMenu("test1", QStringLiteral("&XY Size"));
    addSizeItems(size);
    addAntiAliasItems(size);

    QMenu* dialogs = addMenu("Dialogs1", QStringLiteral("Dia&logs"));
    connect(addItem(dialogs, "Parameters1", QStringLiteral("Parameters")), &QAction::triggered, this,
            &TMDIChild::Parameters1Click);
    connect(addItem(dialogs, "IFSConstants1", QStringLiteral("IFS Constants")), &QAction::triggered, this,
            &TMDIChild::ConstantsDialog1Click);
    connect(addItem(dialogs, "Colouring", QStringLiteral("Colouring")), &QAction::triggered, this,
            &TMDIChild::colouringDialogClick);

    createEffectsMenu();
    for (const FormulaMenu& formulaMenu : FormulaMenus()) {
        QMenu* menu = addMenu(formulaMenu.objectName, FormulaMenuTitle(formulaMenu));
        for (const FormulaInfo& formula : formulaMenu.items) {
            QAction* item = addItem(menu, FormulaItemName(formula.number).constData(),
                                    QString::fromLatin1(formula.caption));
            item->setCheckable(true);
            item->setEnabled(formula.enabled);
            connect(item, &QAction::triggered, this, [this, number = formula.number] { DrawClick(number); });
            formulaItems_.at(static_cast<std::size_t>(formula.number)) = item;
        }
    }
    createEditMenu();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(addItem(PopupMenu1, "ZoomIn1", QStringLiteral("Zoom into Rectangle")), &QAction::triggered, this,
            &TMDIChild::Zoom1Click);
    connect(addItem(PopupMenu1, "ClearRectangle1", QStringLiteral("Clear Rectangle")), &QAction::triggered,
            this, &TMDIChild::ClearRectangle1Click);
}

void TMDIChild::createEffectsMenu() {
    QMenu* effectsMenu = addMenu("Effects", QStringLiteral("Effe&cts"));
    Modulas = addItem(effectsMenu, "Modulas", QStringLiteral("Modulas "));
    Expansion = addItem(effectsMenu, "Expansion", QStringLiteral("Expansion"));
    ColorMix = addItem(effectsMenu, "ColorMix", QStringLiteral("Color Mix"));
    SqrtFilter1 = addItem(effectsMenu, "SqrtFilter1", QStringLiteral("Square root filter"));
    for (QAction* item : {Modulas, Expansion, ColorMix, SqrtFilter1}) item->setCheckable(true);
    ColorMix->setEnabled(false);
    connect(Modulas, &QAction::triggered, this, &TMDIChild::ModulasClick);
    connect(Expansion, &QAction::triggered, this, &TMDIChild::ExpansionClick);
    connect(ColorMix, &QAction::triggered, this, &TMDIChild::ColorMixClick);
    connect(SqrtFilter1, &QAction::triggered, this, &TMDIChild::SqrtFilter1Click);
    addColouringItems(effectsMenu);
    effectsMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    connect(addItem(effectsMenu, "Zoom1", QStringLiteral("Zoom")), &QAction::triggered, this,
            &TMDIChild::Zoom1Click);
    QAction* zoomOutItem = addItem(effectsMenu, "ZoomOut", QStringLiteral("Zoom Out"));
    zoomOutItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(zoomOutItem, &QAction::triggered, this, &TMDIChild::zoomOut);
}

void TMDIChild::addColouringItems(QMenu* menu) {
    for (std::size_t i = 0; i < kColouringModes.size(); ++i) {
        const ColouringModeInfo& info = kColouringModes[i];
        if (info.itemName.empty()) continue;
        QAction* item = addItem(menu, std::string(info.itemName).c_str(),
                                QString::fromUtf8(info.itemCaption.data(), std::ssize(info.itemCaption)));
        item->setCheckable(true);
        item->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut.data(), std::ssize(info.shortcut))));
        connect(item, &QAction::triggered, this, [this, mode = info.mode] { chooseColouring(mode); });
        colouringItems_.at(i) = item;
    }
}

void TMDIChild::createEditMenu() {
    QMenu* edit = addMenu("Edit1", QStringLiteral("&Edit"));
    Undo = addItem(edit, "Undo", QStringLiteral("Undo"));
    Undo->setShortcut(QKeySequence::Undo);
    connect(Undo, &QAction::triggered, document_.get(), &PictureDocument::undo);
    Redo = addItem(edit, "Redo", QStringLiteral("Redo"));
    Redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(Redo, &QAction::triggered, document_.get(), &PictureDocument::redo);
    connect(edit, &QMenu::aboutToShow, this, [this] {
        Undo->setEnabled(document_->canUndo());
        Redo->setEnabled(document_->canRedo());
    });
    edit->addSeparator();
    QAction* copyItem = addItem(edit, "Copy1", QStringLiteral("Copy"));
    copyItem->setShortcut(QKeySequence::Copy);
    connect(copyItem, &QAction::triggered, this, &TMDIChild::Copy1Click);
    QAction* copyParametersItem = addItem(edit, "CopyParameters", QStringLiteral("Copy Parameters"));
    copyParametersItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(copyParametersItem, &QAction::triggered, this, &TMDIChild::copyParameters);
    QAction* pasteParametersItem = addItem(edit, "PasteParameters", QStringLiteral("Paste Parameters"));
    pasteParametersItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    connect(pasteParametersItem, &QAction::triggered, this, [this] {
        if (frame_) frame_->pasteParameters();
    });
}

void TMDIChild::DrawClick(int formula) {
    SelectFormula(document_->v, formula);
    UpdateGrafX();
}

namespace {
Flag Flipped(Flag flag) {
    return flag ? kFalse : kTrue;
}
}  // namespace

void TMDIChild::ModulasClick() {
    document_->effects.modulas = Flipped(document_->effects.modulas);
    UpdateGrafX();
}

void TMDIChild::ExpansionClick() {
    document_->effects.expansion = Flipped(document_->effects.expansion);
    UpdateGrafX();
}

void TMDIChild::ColorMixClick() {
    document_->effects.colorMix = Flipped(document_->effects.colorMix);
    UpdateGrafX();
}

// The item's check mark has already flipped when this runs; the filter
// follows it without restarting, so one picture can mix both filterings.
void TMDIChild::SqrtFilter1Click() {
    document_->v.sqrtFilter = ToFlag(SqrtFilter1->isChecked());
}

void TMDIChild::chooseColouring(ColouringMode mode) {
    document_->setColouringMode(document_->colouringMode() == mode ? ColouringMode::kClassic : mode);
}

void TMDIChild::UpdateMenuItems() {
    const PictureDocument& document = *document_;
    SqrtFilter1->setChecked(document.v.sqrtFilter != 0);
    ColorMix->setChecked(document.effects.colorMix != 0);
    Expansion->setChecked(document.effects.expansion != 0);
    Modulas->setChecked(document.effects.modulas != 0);
    for (std::size_t i = 0; i < kColouringModes.size(); ++i)
        if (QAction* item = colouringItems_.at(i))
            item->setChecked(kColouringModes[i].mode == document.colouringMode());
    for (const FormulaInfo& formula : Formulas())
        formulaItems_.at(static_cast<std::size_t>(formula.number))
            ->setChecked(formula.number == document.v.formula);
}

}  // namespace zephyrin
