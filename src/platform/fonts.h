#pragma once

#include <QFont>
#include <QString>

// The screens name Windows fonts; map them to the fonts installed here.
void installFontSubstitutions();

// A font at a Windows point size, sized in pixels as at 96 dpi so layouts
// match the pixel positions of the screens on every display.
QFont windowsFont(const QString& family, double points, bool bold = false);

inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kPopStyle = QStringLiteral("HG創英角ﾎﾟｯﾌﾟ体");
inline const QString kPopStyleP = QStringLiteral("HGP創英角ﾎﾟｯﾌﾟ体");
