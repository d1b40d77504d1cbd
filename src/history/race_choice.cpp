#include "history/race_choice.h"

#include "puzzle/puzzle_set.h"

#include <set>

namespace {

// The game's words are the pattern's words now, each with its split.
bool sameWords(const PlayedGame& game, const PuzzleSet& puzzles)
{
    const int last = puzzles.lastSlot(game.pattern);
    if (static_cast<int>(game.words.size()) != last + 1) {
        return false;
    }
    for (int slot = 0; slot <= last; ++slot) {
        const WordPlay& word = game.words[static_cast<std::size_t>(slot)];
        if (word.slot != slot || word.answer != puzzles.WordAnswer[game.pattern][slot] || word.taker != Taker::Player ||
            word.ms < 0) {
            return false;
        }
    }
    return true;
}

bool raceable(const PlayedGame& game, const PuzzleSet& puzzles, bool questions)
{
    return game.mode == GameMode::Single && game.completed() && !game.answerShown && game.questions == questions &&
           game.pattern >= 0 && game.pattern < PuzzleSet::kPlayablePatterns && game.id > 0 && sameWords(game, puzzles);
}

} // namespace

std::optional<RaceTarget> bestGameToRace(const std::vector<PlayedGame>& games, const PuzzleSet& puzzles, int pattern,
                                         bool questions)
{
    const PlayedGame* best = nullptr;
    for (const PlayedGame& game : games) {
        if (game.pattern == pattern && raceable(game, puzzles, questions) && (!best || game.timeMs < best->timeMs)) {
            best = &game; // the earlier of two equal times stays
        }
    }
    if (!best) {
        return std::nullopt;
    }
    RaceTarget target;
    target.gameId = best->id;
    target.timeMs = best->timeMs;
    for (const WordPlay& word : best->words) {
        target.splitsMs.push_back(word.ms);
    }
    return target;
}

std::vector<int> patternsToRace(const std::vector<PlayedGame>& games, const PuzzleSet& puzzles, bool questions)
{
    std::set<int> patterns;
    for (const PlayedGame& game : games) {
        if (raceable(game, puzzles, questions)) {
            patterns.insert(game.pattern);
        }
    }
    return {patterns.begin(), patterns.end()};
}
