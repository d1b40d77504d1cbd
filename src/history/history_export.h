#pragma once

#include "history/played_game.h"

#include <QByteArray>
#include <QJsonDocument>
#include <vector>

// {"games":[{"played_at":..., "words":[{"slot":...}]}]} with a null rank for
// single practice and a null taker for the word nobody took.
QJsonDocument historyToJson(const std::vector<PlayedGame>& games);

// UTF-8, a header line, then one line per word with its game's fields in front.
QByteArray historyToCsv(const std::vector<PlayedGame>& games);
