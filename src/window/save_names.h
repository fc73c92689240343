#pragma once

#include <QString>
#include <QStringList>

namespace zephyrin {

class TMDIChild;

// The Save As dialog's filters, one per image format in the format table's
// order, so that a filter's index is its format's.
QStringList SaveFilters();

// The parameter file written beside a saved picture: its name with .zpr.
QString ParameterFilePathFor(const QString& picturePath);

// The name Save As proposes for `window`'s picture: the window's name
// without folder and extension.
QString ProposedSaveName(const TMDIChild& window);

}  // namespace zephyrin
