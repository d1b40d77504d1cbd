#include "app/game_data.h"

#include "app/module1.h"
#include "puzzle/puzzle_set.h"
#include "store/battle_records.h"
#include "store/single_records.h"

GameDataLoad loadGameData(GsxSeq& seq, const QString& filesDir, const QString& recordsDir, Module1& module)
{
    GameDataLoad load;
    if (!recordsDir.isEmpty()) { // else no records can be kept: the tables stay empty
        load.single = LoadSingleRecords(seq, recordsDir, module.singleRecords);
        load.battle = LoadBattleRecords(seq, recordsDir, module.battleRecords);
    }
    load.puzzles = Get_Question(seq, filesDir, module.puzzles);
    return load;
}
