#pragma once

#include <QString>
#include <span>

// One row of the romaji table: the letters typed and the kana they give.
struct RomajiRule {
    const char* romaji;
    const char16_t* kana;
};

// Every spelling the common Japanese input methods accept, in one table.
std::span<const RomajiRule> romajiRules();

// What a printable ASCII character that starts no romaji gives on its own:
// the input methods' punctuation, else the full-width form.
QString symbolKana(QChar c);
