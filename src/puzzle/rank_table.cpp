#include "puzzle/rank_table.h"

void FillRankTable(RankTable& t)
{
    struct Rank {
        const char16_t* name;
        double base, letter, letterStumble, wordStumble;
    };
    static constexpr Rank ranks[RankTable::kRanks] = {
        {u"タマゴ", 12.0, 0.6, 0.20, 0.20},
        {u"ベビー", 7.5, 0.6, 0.09, 0.12},
        {u"ミニ", 5.0, 0.6, 0.08, 0.11},
        {u"チビ", 3.0, 0.5, 0.07, 0.10},
        {u"マチュア", 2.0, 0.4, 0.06, 0.09},
        {u"マスター(ブロンズ)", 1.5, 0.3, 0.05, 0.08},
        {u"マスター(シルバー)", 1.1, 0.25, 0.05, 0.08},
        {u"マスター(ゴールド)", 0.8, 0.2, 0.05, 0.05},
        {u"zemka", 0.4, 0.2, 0.05, 0.05},
    };
    for (int r = 0; r < RankTable::kRanks; ++r) {
        t.RankName[r] = QString::fromUtf16(ranks[r].name);
        t.WordBaseTime[r] = ranks[r].base;
        t.LetterTime[r] = ranks[r].letter;
        t.LetterStumbleRate[r] = ranks[r].letterStumble;
        t.WordStumbleRate[r] = ranks[r].wordStumble;
    }
}
