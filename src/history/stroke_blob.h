#pragma once

#include "input/key_log.h"

#include <QByteArray>
#include <optional>
#include <vector>

// A word's keys as history.db keeps them: one CBOR array of
// [ms, key, kana, mora, place, flags] arrays, flags 1 missed and 2 an input
// method's commit. Written once per word at the game's end.
QByteArray strokesToBlob(const std::vector<KeyStroke>& strokes);

// None for a blob this game did not write (a hand-edited file): the word's
// keys are then left out, never half read.
std::optional<std::vector<KeyStroke>> strokesFromBlob(const QByteArray& blob);

// More keys than a word of three minutes could hold is no blob of ours.
inline constexpr int kMostStrokesPerWord = 20000;
