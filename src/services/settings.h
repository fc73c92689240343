#pragma once

#include <QString>
#include <QVariant>

namespace zephyrin {

// The user's choices, remembered from one run to the next in an INI file,
// $XDG_CONFIG_HOME/Zephyrin/Zephyrin.ini (~/.config/Zephyrin/Zephyrin.ini).
// A missing, damaged or unreadable file, or a value of the wrong kind, reads
// as the fallback without a word to the user: losing a remembered choice is
// no reason to stop anyone.
QVariant rememberedValue(const QString& key, const QVariant& fallback = {});
void remember(const QString& key, const QVariant& value);

// The keys.
inline const QString kFrameGeometryKey = QStringLiteral("frame/geometry");
inline const QString kToolWindowKey = QStringLiteral("toolWindows/%1");  // %1: the window's object name
inline const QString kPictureFolderKey = QStringLiteral("folders/pictures");
inline const QString kGradientFolderKey = QStringLiteral("folders/gradients");
inline const QString kSaveFormatKey = QStringLiteral("saving/format");
inline const QString kFindOnStartKey = QStringLiteral("explorer/findOnStart");
inline const QString kDensityOnKey = QStringLiteral("density/enabled");
inline const QString kBrightnessKey = QStringLiteral("density/brightness");
inline const QString kGammaKey = QStringLiteral("density/gamma");
inline const QString kVibrancyKey = QStringLiteral("density/vibrancy");
inline const QString kGradientKey = QStringLiteral("density/gradient");
inline const QString kSixteenBitsKey = QStringLiteral("saving/sixteenBits");
inline const QString kFavouritesFolderKey = QStringLiteral("gallery/favourites");

}  // namespace zephyrin
