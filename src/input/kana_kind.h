#pragma once

#include <QString>

// The kinds an input method can show its composition in.
enum class KanaKind {
    Hiragana,     // F6
    Katakana,     // F7, or Space
    HalfKatakana, // F8
    Latin,        // F10: the letters as typed
};

// Hiragana to full-width katakana; everything else unchanged.
QString toKatakana(const QString& text);
// Full-width katakana (and the kana punctuation) to half width, voiced marks
// as separate characters; what has no half-width form stays as it is.
QString toHalfWidthKatakana(const QString& text);
