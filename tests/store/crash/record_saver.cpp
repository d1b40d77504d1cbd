// Saves data1.dat and data3.dat in FOLDER over and over, each save one
// generation further, until it is killed. Every line of a generation carries
// the generation, so a file mixing two saves is seen at once.
// usage: record_saver FOLDER FIRST_GENERATION
#include "platform/random.h"
#include "store/battle_records.h"
#include "store/gsx_seq.h"
#include "store/single_records.h"
#include "saved_generation.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: record_saver FOLDER FIRST_GENERATION\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    long generation = std::strtol(argv[2], nullptr, 10);
    StdRandom random(static_cast<quint64>(generation));
    GsxSeq seq(random);
    auto single = std::make_unique<SingleRecordTable>();
    auto battle = std::make_unique<BattleRecordTable>();
    // One byte when ready and one after each save attempt: the parent picks
    // its moment by them, whatever the speed of the disk.
    auto tell = [] { return ::write(STDOUT_FILENO, "s", 1) == 1; };
    if (!tell()) {
        return 1;
    }
    for (;; ++generation) {
        fillSingle(*single, generation);
        SaveSingleRecords(seq, folder, *single); // may fail on a full disk: the old file stays
        fillBattle(*battle, generation);
        if (!tell()) {
            return 1;
        }
        SaveBattleRecords(seq, folder, *battle);
        if (!tell()) {
            return 1;
        }
    }
}
