#pragma once

// Games as a player who types through the game's conversion leaves them:
// every word with its keys, a slip now and then. For the history benchmarks.
#include "history/played_game.h"

#include <QDateTime>

inline PlayedGame typedGame(int i, int words, int keysPerWord)
{
    static const QString kana = QStringLiteral("かきくけこさしすせそたちつてとなにぬねの");
    static const QString letters = QStringLiteral("kstn");
    static const QString vowels = QStringLiteral("aiueo");
    PlayedGame game;
    // A game every hour and a half back from 9 December: a thousand span two
    // months, so the 苦手 page figures its recent days and all games apart.
    game.playedAt = QDateTime(QDate(2026, 12, 9), QTime(12, 0)).addSecs(-qint64(i) * 5400);
    game.pattern = i % 99;
    game.outcome = Outcome::Completed;
    game.questions = true;
    for (int slot = 0; slot < words; ++slot) {
        WordPlay word;
        word.slot = slot;
        word.answer = QStringLiteral("たいぷ");
        word.taker = Taker::Player;
        for (int k = 0; k < keysPerWord; ++k) {
            KeyStroke stroke;
            stroke.ms = 400 + qint64(k) * 110 + (i + slot + k) % 7 * 15;
            const int mora = k / 2;
            const int which = (i * 3 + slot * 5 + mora) % 20;
            stroke.key = k % 2 == 0 ? QString(letters[which / 5]) : QString(vowels[which % 5]);
            stroke.kana = kana[which];
            stroke.mora = mora;
            stroke.place = mora;
            stroke.missed = (i + slot + k) % 23 == 0;
            word.strokes.push_back(stroke);
        }
        word.keys = keysPerWord;
        word.ms = word.strokes.empty() ? 1000 : word.strokes.back().ms + 50;
        game.timeMs += word.ms;
        game.words.push_back(std::move(word));
    }
    return game;
}
