#include "platform/fonts.h"

#include <QStringList>
#include <cmath>

void installFontSubstitutions()
{
    const QString cjkFallback = QStringLiteral("Noto Sans CJK JP");
    QFont::insertSubstitutions(kPGothic, {QStringLiteral("IPAPGothic"), cjkFallback});
    QFont::insertSubstitutions(kGothic, {QStringLiteral("IPAGothic"), cjkFallback});
    QFont::insertSubstitutions(kPopStyle, {QStringLiteral("RocknRoll One"), cjkFallback});
    QFont::insertSubstitutions(kPopStyleP, {QStringLiteral("RocknRoll One"), cjkFallback});
}

QFont windowsFont(const QString& family, double points, bool bold)
{
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
