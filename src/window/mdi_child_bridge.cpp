// Values between the record and the two tool dialogs, and showing or hiding
// them. The dialogs are shared by all windows: the bridge always works
// between them and the window it is called on.
#include <QCheckBox>
#include <QLabel>
#include <QSlider>

#include "dialogs/coefficients_dialog.h"
#include "dialogs/parameters_dialog.h"
#include "dialogs/spin_edit.h"
#include "engine/core/variation_table.h"
#include "services/locale_format.h"
#include "util/number_format.h"
#include "util/rounding.h"
#include "window/tmdi_child.h"

namespace zephyrin {

namespace {

// "%F": fixed point with two decimals.
QString fixed2(double value) {
    return QString::fromStdString(FormatFixed(value, 2, localeDecimalSeparator()));
}

// A bar position times its scale, formed in extended precision and stored
// as a double, as the dialog has always done it.
double scaled(int position, long double scale) {
    return static_cast<double>(static_cast<long double>(position) * scale);
}

// The bar position for a value: value times the reverse scale in extended
// precision, rounded half to even; the bar clamps it to its range.
int position(double value, long double scale = 1.0L) {
    const long double product = static_cast<long double>(value) * scale;
    return RoundToInt32Clamped(static_cast<double>(std::nearbyint(product)));
}

// The Parameters dialog's controls, read into `into` as an application
// writes them.
void readParametersDialog(const TForm4& form, TFractalRec& into) {
    into.red = form.RedBar1()->value();
    into.green = form.GrnBar1()->value();
    into.blue = form.BluBar1()->value();
    into.intensity = form.Intensity()->value();
    into.factor2 = scaled(form.Factor2_bar()->value(), 0.01L);
    into.randomizer = scaled(form.Randomizer()->value(), 0.2L);
    into.AAStart = form.constAA()->textValue();
    into.AACopy = into.AAStart;
    into.BB = form.constBB()->textValue();
    into.sqrtFilter = ToFlag(form.square_root()->isChecked());
    into.white = ToFlag(form.Invert()->isChecked());
    into.startX = form.parameterX()->textValue();
    into.startY = form.parameterY()->textValue();
    for (const VariationInfo& variation : kVariations)
        into.*variation.field = ToFlag(form.variationBox(variation.id)->isChecked());
}

void readCoefficientsDialog(const TCForm& form, TFractalRec& into) {
    for (int i = 1; i <= TCForm::kCount; ++i) into.af[i] = form.coefficient(i)->textValue();
}

}  // namespace

void TMDIChild::ApplyParameters() {
    const TForm4* form = form4_;
    if (!form) return;
    const TFractalRec& v = document_->v;
    readParametersDialog(*form, document_->v);
    form->RedLabel1()->setText(fixed2(v.red));
    form->GrnLabel1()->setText(fixed2(v.green));
    form->BluLabel1()->setText(fixed2(v.blue));
    form->Factor1()->setText(fixed2(v.intensity));
    form->Factor2()->setText(fixed2(v.factor2));
    form->RandomFactor()->setText(fixed2(v.randomizer));
    noteDialogApplication();
}

void TMDIChild::UpdateCoefficiants() {
    if (!cform_) return;
    readCoefficientsDialog(*cform_, document_->v);
    noteDialogApplication();
}

PictureState TMDIChild::dialogValues() const {
    PictureState shown;
    if (form4_) readParametersDialog(*form4_, shown.record);
    if (cform_) readCoefficientsDialog(*cform_, shown.record);
    return shown;
}

void TMDIChild::noteDialogApplication() {
    // Every load of the dialogs comes back half a second later, rounded to
    // what they show; only a change made in them is a new picture.
    const PictureState shown = dialogValues();
    if (DefinesSamePicture(shown, dialogsAsLoaded_))
        document_->amendHistory();
    else
        document_->recordHistory();
    dialogsAsLoaded_ = shown;
}

void TMDIChild::Parameters1Update() {
    const TFractalRec& v = document_->v;
    if (TForm4* form = form4_) {
        form->RedBar1()->setValue(position(v.red));
        form->GrnBar1()->setValue(position(v.green));
        form->BluBar1()->setValue(position(v.blue));
        form->RedLabel1()->setText(fixed2(v.red));
        form->GrnLabel1()->setText(fixed2(v.green));
        form->BluLabel1()->setText(fixed2(v.blue));
        form->square_root()->setChecked(v.sqrtFilter != 0);
        form->Invert()->setChecked(v.white != 0);
        form->Intensity()->setValue(position(v.intensity));
        form->Factor2_bar()->setValue(position(v.factor2, 100.0L));
        form->Randomizer()->setValue(position(v.randomizer, 5.0L));
        form->Factor1()->setText(fixed2(v.intensity));
        form->Factor2()->setText(fixed2(v.factor2));
        form->RandomFactor()->setText(fixed2(v.randomizer));
        form->constAA()->setValue(v.AA);
        form->constBB()->setValue(v.BB);
        form->parameterX()->setValue(v.startX);
        form->parameterY()->setValue(v.startY);
        for (const VariationInfo& variation : kVariations)
            form->variationBox(variation.id)->setChecked(v.*variation.field != 0);
    }
    if (TCForm* cform = cform_)
        for (int i = 1; i <= TCForm::kCount; ++i) cform->coefficient(i)->setValue(v.af[i]);
    dialogsAsLoaded_ = dialogValues();
}

void TMDIChild::toggleToolWindow(QWidget* tool, void (TMDIChild::*load)()) {
    if (!tool) return;
    if (tool->isVisible()) {
        tool->hide();
        return;
    }
    // Shown, a tool window starts from this window's values.
    (this->*load)();
    tool->show();
}

void TMDIChild::Parameters1Click() {
    toggleToolWindow(form4_, &TMDIChild::Parameters1Update);
}

void TMDIChild::ConstantsDialog1Click() {
    toggleToolWindow(cform_, &TMDIChild::Parameters1Update);
}

}  // namespace zephyrin
