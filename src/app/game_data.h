#pragma once

#include "store/line_file.h"
#include "store/record_file.h"

#include <QString>

struct Module1;
class GsxSeq;

// What the main screen reads from disk before its first frame: both record
// files and the puzzle set, into the module's tables. Touches no widget, so
// the game runs it on a second core while the window is being made.
struct GameDataLoad {
    RecordLoad single;
    RecordLoad battle;
    UnpackResult puzzles;
};

GameDataLoad loadGameData(GsxSeq& seq, const QString& filesDir, const QString& recordsDir, Module1& module);
