// The window's menu tree, the 71 formula commands, the effect switches and
// the check marks that follow the record.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

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

QAction* TMDIChild::item(const QString& objectName) const {
    return findChild<QAction*>(objectName);
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

QAction* TMDIChild::formulaItem(int number) const {
    return item(QString::fromLatin1(FormulaItemName(number)));
}

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

    QMenu* effectsMenu = addMenu("Effects", QStringLiteral("Effe&cts"));
    QAction* modulasItem = addItem(effectsMenu, "Modulas", QStringLiteral("Modulas "));
    QAction* expansionItem = addItem(effectsMenu, "Expansion", QStringLiteral("Expansion"));
    QAction* colorMixItem = addItem(effectsMenu, "ColorMix", QStringLiteral("Color Mix"));
    QAction* sqrtFilterItem = addItem(effectsMenu, "SqrtFilter1", QStringLiteral("Square root filter"));
    for (QAction* item : {modulasItem, expansionItem, colorMixItem, sqrtFilterItem}) item->setCheckable(true);
    colorMixItem->setEnabled(false);
    connect(modulasItem, &QAction::triggered, this, &TMDIChild::ModulasClick);
    connect(expansionItem, &QAction::triggered, this, &TMDIChild::ExpansionClick);
    connect(colorMixItem, &QAction::triggered, this, &TMDIChild::ColorMixClick);
    connect(sqrtFilterItem, &QAction::triggered, this, &TMDIChild::SqrtFilter1Click);
    QAction* densityItem = addItem(effectsMenu, "DensityColouring", QStringLiteral("Density Colouring"));
    densityItem->setCheckable(true);
    densityItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(densityItem, &QAction::triggered, this, &TMDIChild::toggleDensityColouring);
    effectsMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    connect(addItem(effectsMenu, "Zoom1", QStringLiteral("Zoom")), &QAction::triggered, this,
            &TMDIChild::Zoom1Click);
    QAction* zoomOutItem = addItem(effectsMenu, "ZoomOut", QStringLiteral("Zoom Out"));
    zoomOutItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(zoomOutItem, &QAction::triggered, this, &TMDIChild::zoomOut);

    for (const FormulaMenu& formulaMenu : FormulaMenus()) {
        QMenu* menu = addMenu(formulaMenu.objectName, FormulaMenuTitle(formulaMenu));
        for (const FormulaInfo& formula : formulaMenu.items) {
            QAction* item = addItem(menu, FormulaItemName(formula.number).constData(),
                                    QString::fromLatin1(formula.caption));
            item->setCheckable(true);
            item->setEnabled(formula.enabled);
            connect(item, &QAction::triggered, this, [this, number = formula.number] { DrawClick(number); });
        }
    }

    QMenu* edit = addMenu("Edit1", QStringLiteral("&Edit"));
    QAction* undoItem = addItem(edit, "Undo", QStringLiteral("Undo"));
    undoItem->setShortcut(QKeySequence::Undo);
    connect(undoItem, &QAction::triggered, this, &TMDIChild::undo);
    QAction* redoItem = addItem(edit, "Redo", QStringLiteral("Redo"));
    redoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(redoItem, &QAction::triggered, this, &TMDIChild::redo);
    connect(edit, &QMenu::aboutToShow, this, [this, undoItem, redoItem] {
        undoItem->setEnabled(canUndo());
        redoItem->setEnabled(canRedo());
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
        if (parts_.frame) parts_.frame->pasteParameters();
    });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(addItem(PopupMenu1, "ZoomIn1", QStringLiteral("Zoom into Rectangle")), &QAction::triggered, this,
            &TMDIChild::Zoom1Click);
    connect(addItem(PopupMenu1, "ClearRectangle1", QStringLiteral("Clear Rectangle")), &QAction::triggered,
            this, &TMDIChild::ClearRectangle1Click);
}

void TMDIChild::DrawClick(int formula) {
    SelectFormula(v, formula);
    UpdateGrafX();
}

namespace {
Flag Flipped(Flag flag) {
    return flag ? kFalse : kTrue;
}
}  // namespace

void TMDIChild::ModulasClick() {
    effects.modulas = Flipped(effects.modulas);
    UpdateGrafX();
}

void TMDIChild::ExpansionClick() {
    effects.expansion = Flipped(effects.expansion);
    UpdateGrafX();
}

void TMDIChild::ColorMixClick() {
    effects.colorMix = Flipped(effects.colorMix);
    UpdateGrafX();
}

// The item's check mark has already flipped when this runs; the filter
// follows it without restarting, so one picture can mix both filterings.
void TMDIChild::SqrtFilter1Click() {
    v.sqrtFilter = ToFlag(item(QStringLiteral("SqrtFilter1"))->isChecked());
}

void TMDIChild::UpdateMenuItems() {
    item(QStringLiteral("SqrtFilter1"))->setChecked(v.sqrtFilter != 0);
    item(QStringLiteral("ColorMix"))->setChecked(effects.colorMix != 0);
    item(QStringLiteral("Expansion"))->setChecked(effects.expansion != 0);
    item(QStringLiteral("Modulas"))->setChecked(effects.modulas != 0);
    item(QStringLiteral("DensityColouring"))->setChecked(density_.enabled);
    for (const FormulaInfo& formula : Formulas())
        formulaItem(formula.number)->setChecked(formula.number == v.formula);
}

}  // namespace zephyrin
