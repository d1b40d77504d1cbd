#include "history/played_game.h"

#include <algorithm>
#include <cmath>

QString modeName(GameMode mode)
{
    switch (mode) {
    case GameMode::Battle:
        return QStringLiteral("battle");
    case GameMode::Race:
        return QStringLiteral("race");
    case GameMode::Single:
        break;
    }
    return QStringLiteral("single");
}

QString outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Completed:
        return QStringLiteral("completed");
    case Outcome::TimedOut:
        return QStringLiteral("timeout");
    case Outcome::Aborted:
        break;
    }
    return QStringLiteral("aborted");
}

QString takerName(Taker taker)
{
    switch (taker) {
    case Taker::Player:
        return QStringLiteral("player");
    case Taker::Cpu:
        return QStringLiteral("cpu");
    case Taker::Nobody:
        break;
    }
    return QString();
}

std::optional<GameMode> modeFromName(const QString& name)
{
    if (name == QLatin1String("single")) {
        return GameMode::Single;
    }
    if (name == QLatin1String("battle")) {
        return GameMode::Battle;
    }
    if (name == QLatin1String("race")) {
        return GameMode::Race;
    }
    return std::nullopt;
}

std::optional<Outcome> outcomeFromName(const QString& name)
{
    for (Outcome o : {Outcome::Completed, Outcome::Aborted, Outcome::TimedOut}) {
        if (name == outcomeName(o)) {
            return o;
        }
    }
    return std::nullopt;
}

std::optional<Taker> takerFromName(const QString& name)
{
    for (Taker t : {Taker::Nobody, Taker::Player, Taker::Cpu}) {
        if (name == takerName(t)) {
            return t;
        }
    }
    return std::nullopt;
}

QString playedAtText(const QDateTime& at)
{
    return at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QDateTime playedAtFromText(const QString& text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QString typingLine(const PlayedGame& game)
{
    if (game.timeMs <= 0) {
        return QString();
    }
    const double perMinute = game.keys() * 60000.0 / double(game.timeMs);
    int misses = 0;
    bool inputMethod = false;
    for (const WordPlay& word : game.words) {
        inputMethod = inputMethod || word.inputMethod;
        misses += static_cast<int>(std::count_if(word.strokes.cbegin(), word.strokes.cend(),
                                                 [](const KeyStroke& s) { return s.missed && !s.commit; }));
    }
    if (inputMethod) {
        return QStringLiteral("IME 入力のため打鍵数なし"); // its keys never reached the game
    }
    return QStringLiteral("毎分 %1 打 ・ ミス %2").arg(std::lround(perMinute)).arg(misses);
}

void keepOnlySet(std::vector<PlayedGame>& games, const QString& setId)
{
    std::erase_if(games, [&setId](const PlayedGame& game) { return game.setId != setId; });
}
