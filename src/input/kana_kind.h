#pragma once

#include <QString>
#include <optional>

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
// Full-width katakana to hiragana; everything else unchanged.
QString toHiragana(const QString& text);

// When `typed` is `answer` written in another kana script (どれす for ドレス,
// ｻｸﾗ for さくら), the script the answer wanted; otherwise none.
std::optional<KanaKind> otherScriptOf(const QString& typed, const QString& answer);
