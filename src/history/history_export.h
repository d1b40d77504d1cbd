#pragma once

#include "history/played_game.h"

#include <QByteArray>
#include <QJsonDocument>
#include <vector>

// {"games":[{"played_at":..., "words":[{"slot":...}]}]} with a null rank for
// single practice, a null taker for the word nobody took and a null set for
// the shipped one. With keys, each
// word also carries "input_method" and its "strokes":
// [{"ms":..., "key":..., "kana":..., "missed":...}].
QJsonDocument historyToJson(const std::vector<PlayedGame>& games, bool keys = false);

// UTF-8, a header line, then one line per word with its game's fields in front.
QByteArray historyToCsv(const std::vector<PlayedGame>& games);

// UTF-8, a header line, then one line per key kept: game id, word, ms from
// the word becoming current, key, kana, missed; then who took the word and
// whether an input method typed it (its commits stand in the key column).
QByteArray keysToCsv(const std::vector<PlayedGame>& games);
