#pragma once

#include "puzzle/own_set.h"
#include "store/line_file.h"
#include "store/record_file.h"

#include <QString>
#include <optional>

struct Module1;
class GsxSeq;

// What the main screen reads from disk before its first frame: both record
// files and the puzzle set, into the module's tables. Touches no widget, so
// the game runs it on a second core while the window is being made.
struct GameDataLoad {
    RecordLoad single;
    RecordLoad battle;
    UnpackResult puzzles;       // the shipped data2.dat, when it was read
    std::optional<OwnSet> set;  // the player's own set, when one was asked for and read
    QString setProblem;         // why an own set asked for was not played
    QString recordsDir;         // where this set's data1.dat and data3.dat live; empty: nowhere
    QString recordsProblem;     // why its records cannot be kept
};

// setFile: a set of the player's own to play instead of data2.dat; a set
// that cannot be read leaves the shipped one in play, and setProblem says why.
GameDataLoad loadGameData(GsxSeq& seq, const QString& filesDir, const QString& recordsDir, Module1& module,
                          const QString& setFile = QString());
