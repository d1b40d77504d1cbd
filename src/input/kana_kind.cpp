#include "input/kana_kind.h"

#include <QHash>
#include <algorithm>

QString toKatakana(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if ((u >= 0x3041 && u <= 0x3096) || u == 0x309d || u == 0x309e) {
            c = QChar(u + 0x60);
        }
    }
    return out;
}

namespace {

// The half-width forms are exactly the characters that compatibility
// normalisation widens, so the reverse map comes from Unicode itself.
const QHash<QChar, QChar>& halfWidthForms()
{
    static const QHash<QChar, QChar> forms = [] {
        QHash<QChar, QChar> map;
        for (char16_t u = 0xff61; u <= 0xff9f; ++u) {
            const QString wide = QString(QChar(u)).normalized(QString::NormalizationForm_KC);
            if (wide.size() == 1) {
                map.insert(wide[0], QChar(u));
            }
        }
        map.insert(QChar(0x3099), QChar(0xff9e)); // combining voiced mark
        map.insert(QChar(0x309a), QChar(0xff9f)); // combining semi-voiced mark
        return map;
    }();
    return forms;
}

} // namespace

QString toHalfWidthKatakana(const QString& text)
{
    const QHash<QChar, QChar>& forms = halfWidthForms();
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        // ガ is カ plus a voiced mark once decomposed; a kana without a half-width
        // form (ヮ, ヵ) keeps its whole self rather than losing its mark.
        const QString parts = QString(c).normalized(QString::NormalizationForm_D);
        QString converted;
        for (const QChar part : parts) {
            const auto it = forms.constFind(part);
            if (it == forms.constEnd()) {
                converted.clear();
                break;
            }
            converted += *it;
        }
        out += converted.isEmpty() ? QString(c) : converted;
    }
    return out;
}

QString toHiragana(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if ((u >= 0x30a1 && u <= 0x30f6) || u == 0x30fd || u == 0x30fe) {
            c = QChar(u - 0x60);
        }
    }
    return out;
}

namespace {

// Half-width widened, katakana as hiragana: the answer as a sound.
QString kanaSound(const QString& text)
{
    return toHiragana(text.normalized(QString::NormalizationForm_KC));
}

bool hasAny(const QString& text, char16_t first, char16_t last)
{
    return std::any_of(text.begin(), text.end(), [=](QChar c) { return c.unicode() >= first && c.unicode() <= last; });
}

} // namespace

std::optional<KanaKind> otherScriptOf(const QString& typed, const QString& answer)
{
    if (typed == answer || typed.isEmpty() || kanaSound(typed) != kanaSound(answer)) {
        return std::nullopt;
    }
    if (hasAny(answer, 0xff61, 0xff9f)) {
        return KanaKind::HalfKatakana;
    }
    if (hasAny(answer, 0x30a1, 0x30fa)) {
        return KanaKind::Katakana;
    }
    if (hasAny(answer, 0x3041, 0x3096)) {
        return KanaKind::Hiragana;
    }
    return std::nullopt; // no kana at all: not a matter of script
}
