#include "app/game_data.h"

#include "app/module1.h"
#include "puzzle/puzzle_set.h"
#include "store/battle_records.h"
#include "store/single_records.h"

GameDataLoad loadGameData(GsxSeq& seq, const QString& filesDir, const QString& recordsDir, Module1& module,
                          const QString& setFile)
{
    GameDataLoad load;
    load.recordsDir = recordsDir;
    if (!setFile.isEmpty()) {
        OwnSetLoad own = loadOwnSet(seq, setFile, module.puzzles);
        load.set = own.set;
        load.setProblem = own.problem;
    }
    if (load.set) {
        // Each set keeps its own records; the shipped set keeps today's files and places.
        load.recordsDir = recordsDir.isEmpty() ? QString()
                                               : ownSetRecordsFolder(recordsDir, load.set->id, &load.recordsProblem);
    } else {
        module.puzzles = PuzzleSet();
        load.puzzles = Get_Question(seq, filesDir, module.puzzles);
    }
    module.singleRecords = SingleRecordTable();
    module.battleRecords = BattleRecordTable();
    if (!load.recordsDir.isEmpty()) { // else no records can be kept: the tables stay empty
        load.single = LoadSingleRecords(seq, load.recordsDir, module.singleRecords);
        load.battle = LoadBattleRecords(seq, load.recordsDir, module.battleRecords);
    }
    return load;
}
