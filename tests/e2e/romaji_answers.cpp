// Prints, for one pattern of a game folder's puzzle set (or of a set file of
// one's own), the keys a player
// types for each word in order: the romaji, then "katakana" when Space must
// turn it. The real-window tests type these with xdotool.
#include "platform/random.h"
#include "puzzle/own_set.h"
#include "puzzle/puzzle_set.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "support/romaji_spelling.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: romaji-answers GAME_DIR|SET_FILE PATTERN\n", stderr);
        return 2;
    }
    StdRandom random;
    GsxSeq seq(random);
    auto set = std::make_unique<PuzzleSet>();
    const QString source = QString::fromLocal8Bit(argv[1]);
    const bool read = QFileInfo(source).isDir() ? Get_Question(seq, source, *set).ok()
                                                : loadOwnSet(seq, source, *set).set.has_value();
    if (!read) {
        std::fputs("romaji-answers: cannot read the puzzle set\n", stderr);
        return 1;
    }
    const int pattern = QString::fromLatin1(argv[2]).toInt();
    for (int word = 0; word <= set->lastSlot(pattern); ++word) {
        const QString& answer = set->WordAnswer[pattern][word];
        const auto keys = romaji_spelling::romajiFor(answer);
        if (!keys) {
            std::fprintf(stderr, "romaji-answers: no romaji for %s\n", answer.toUtf8().constData());
            return 1;
        }
        std::printf("%s%s\n", keys->toLatin1().constData(), romaji_spelling::isKatakana(answer) ? " katakana" : "");
    }
    return 0;
}
