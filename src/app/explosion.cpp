// The burst over a taken word: ten frames on a freshly restored board, then a last restore.

#include "app/main_form.h"
#include "app/module1.h"
#include "platform/files.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "view/board.h"

void Main::restoreExplosionAreas()
{
    const QList<int> cells = boardCells(m_module.puzzles, ExplosionPattern, ExplosionWord);
    for (qsizetype i = 0; i < cells.size() && i < qsizetype(BackDC.size()); ++i) {
        const QPoint area = board::effectPos(cells[i]);
        BitBlt(Picture4->image(), area.x(), area.y(), board::kEffectSize, board::kEffectSize, *BackDC[i], 0, 0);
    }
}

void Main::finishExplosion()
{
    // Put the board back as the running burst found it, so its last frame
    // neither stays on the board nor gets saved under the next burst.
    if (Timer3->running()) {
        restoreExplosionAreas();
        Timer3->setInterval(0);
        ExplosionFrame = 10;
    }
}

void Main::StartExplosion(int pattern, int word, Taker taker)
{
    const QList<int> cells = boardCells(m_module.puzzles, pattern, word);
    for (qsizetype i = 0; i < cells.size() && i < qsizetype(BackDC.size()); ++i) {
        const QPoint area = board::effectPos(cells[i]);
        BitBlt(*BackDC[i], 0, 0, board::kEffectSize, board::kEffectSize, Picture4->image(), area.x(), area.y());
    }
    ExplosionFrame = 0;
    Timer3->setInterval(33);
    ExplosionPattern = static_cast<qint16>(pattern);
    ExplosionWord = static_cast<qint16>(word);
    m_burstTaker = taker;
}

void Main::Timer3_Timer()
{
    if (ExplosionFrame == 0) {
        m_services.sound.playAsync(appFile(m_appDir, m_burstTaker != Taker::Cpu ? QStringLiteral("\\sound\\Boom.wav")
                                                                   : QStringLiteral("\\sound\\Boom2.wav")));
    }
    restoreExplosionAreas();
    Picture4->Refresh();
    const QList<int> cells = boardCells(m_module.puzzles, ExplosionPattern, ExplosionWord);
    const qsizetype count = qMin(cells.size(), qsizetype(BackDC.size()));
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
