// The burst over a taken word: ten frames on a freshly restored board, then a last restore.

#include "app/main_form.h"
#include "app/module1.h"
#include "platform/files.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "view/board.h"

void Main::StartExplosion()
{
    const QList<int> cells = boardCells(m_module.puzzles, PatternIndex, WordIndex);
    for (qsizetype i = 0; i < cells.size() && i < qsizetype(BackDC.size()); ++i) {
        const QPoint area = board::effectPos(cells[i]);
        BitBlt(*BackDC[i], 0, 0, board::kEffectSize, board::kEffectSize, Picture4->image(), area.x(), area.y());
    }
    ExplosionFrame = 0;
    Timer3->setInterval(33);
    ExplosionPattern = PatternIndex;
    ExplosionWord = WordIndex;
}

void Main::Timer3_Timer()
{
    if (ExplosionFrame == 0) {
        m_services.sound.playAsync(appFile(m_appDir, LastTaker != 0 ? QStringLiteral("\\sound\\Boom.wav")
                                                                   : QStringLiteral("\\sound\\Boom2.wav")));
    }
    const QList<int> cells = boardCells(m_module.puzzles, ExplosionPattern, ExplosionWord);
    const qsizetype count = qMin(cells.size(), qsizetype(BackDC.size()));
    for (qsizetype i = 0; i < count; ++i) {
        const QPoint area = board::effectPos(cells[i]);
        BitBlt(Picture4->image(), area.x(), area.y(), board::kEffectSize, board::kEffectSize, *BackDC[i], 0, 0);
    }
    Picture4->Refresh();
    if (ExplosionFrame >= 10) {
        Timer3->setInterval(0);
        return;
    }
    const int f = ExplosionFrame;
    for (qsizetype i = 0; i < count; ++i) {
        const QPoint area = board::effectPos(cells[i]);
        TransBitBlt(*BoardSurface, area.x(), area.y(), board::kEffectSize, board::kEffectSize, *StripSurface, 80 * (f % 10),
                    80 * (f / 10), 0.2, 0, 0);
    }
    Picture4->Refresh();
    ++ExplosionFrame;
}
