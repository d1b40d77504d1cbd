#include "game_harness.h"

#include "history/history_viewer.h"
#include "view/board.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRadioButton>
#include <QTimer>
#include <stdexcept>

namespace {

// Data, images and sounds of the built game folder; not the executable or records.
void copyGameFolder(const QString& from, const QString& to)
{
    const QDir source(from);
    QDirIterator it(from, {QStringLiteral("data2.dat"), QStringLiteral("*.bmp"), QStringLiteral("*.wav"),
                           QStringLiteral("*.WAV")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
    if (!QFile::exists(QDir(to).filePath(QStringLiteral("data2.dat")))) {
        throw std::runtime_error("the built game folder has no data2.dat: build the game first");
    }
}

} // namespace

GameHarness::GameHarness(const QString& parentDir)
    : m_dir(parentDir.isEmpty() ? std::make_unique<QTemporaryDir>()
                                : std::make_unique<QTemporaryDir>(parentDir + QStringLiteral("/tazumeki-bench-XXXXXX")))
{
    if (!m_dir->isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    copyGameFolder(QStringLiteral(TAZUMEKI_GAME_FOLDER), m_dir->path());
}

GameHarness::~GameHarness() = default;

HistoryViewer* GameHarness::historyViewer()
{
    if (!m_viewerLoader.isLoaded()) {
        m_viewerLoader.setFileName(QDir(QStringLiteral(TAZUMEKI_GAME_FOLDER)).filePath(kHistoryViewerModule));
    }
    return qobject_cast<HistoryViewer*>(m_viewerLoader.instance());
}

void GameHarness::createMain()
{
    m_main = std::make_unique<Main>(*m_module, Main::Services{m_clock, m_random, m_sound, m_seq, m_notifier, nullptr, historyViewer(), &m_historyOpener}, GameFolders{m_dir->path(), m_dir->path(), {}, {}});
    m_main->show();
    m_main->Timer2->setInterval(0);
    QCoreApplication::processEvents();
    for (int i = 0; i < 8; ++i) {
        m_main->Timer2_Timer();
    }
    stopTimers();
    QCoreApplication::processEvents();
}

void GameHarness::destroyMain()
{
    m_main.reset();
}

void GameHarness::stopTimers()
{
    for (Timer* timer : {m_main->Timer1, m_main->Timer2, m_main->Timer3, m_main->Timer4}) {
        timer->setInterval(0);
    }
}

void GameHarness::startGame(int pattern)
{
    m_main->Option5->setChecked(true);
    m_main->Option2->setChecked(true);
    m_main->Combo1->setCurrentIndex(pattern);
    m_main->Form_KeyDown(vbKeyReturn);
    m_clock.advance(3000);
    m_main->Timer4_Timer();
    stopTimers();
    QCoreApplication::processEvents();
}

void GameHarness::abandonGame()
{
    if (m_main->game().PlayState != PlayState::Idle) {
        m_main->Form_KeyDown(vbKeyEscape);
    }
    stopTimers();
}

bool GameHarness::findWord(int cells, int& pattern, int& slot) const
{
    for (int p = 0; p < PuzzleSet::kPlayablePatterns; ++p) {
        for (int s = 0; s <= m_module->puzzles.lastSlot(p); ++s) {
            if (boardCells(m_module->puzzles, p, s).size() == cells) {
                pattern = p;
                slot = s;
                return true;
            }
        }
    }
    return false;
}

void closeNextDialog()
{
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->done(0);
        }
    });
}
