// Keeping every game that reached answering in the play history, and
// opening the history windows.

#include "app/main_form.h"
#include "app/module1.h"
#include "history/history_viewer.h"
#include "history/history_store_module.h"
#include "platform/clock.h"
#include "platform/game_module.h"
#include "platform/notifier.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTimer>

HistoryStore& Main::historyStore()
{
    if (m_services.history) {
        return *m_services.history;
    }
    if (!m_ownHistory && m_recordsDir.isEmpty()) {
        m_ownHistory = std::make_unique<UnavailableHistoryStore>(m_recordsProblem);
    }
    if (!m_ownHistory) {
        QString error;
        HistoryStoreOpener* opener = m_services.historyOpener;
        if (!opener) {
            opener = qobject_cast<HistoryStoreOpener*>(loadGameModule(kHistoryStoreModule, &error));
        }
        m_ownHistory = opener ? opener->open(m_recordsDir) : std::make_unique<UnavailableHistoryStore>(error);
    }
    return *m_ownHistory;
}

std::optional<PlayedGame> Main::keepGameInHistory()
{
    std::optional<PlayedGame> game = m_gameLog.takeFinished();
    if (!game) {
        return game; // no game reached answering: the countdown, the title
    }
    // A game the history could not take (another program held history.db)
    // waits for the next game's end; a few hundred at most.
    m_unsavedGames.push_back(*game);
    if (m_unsavedGames.size() > kMostUnsavedGames) {
        m_unsavedGames.erase(m_unsavedGames.begin());
    }
    HistoryStore& store = historyStore();
    QString error;
    bool saved = true;
    while (saved && !m_unsavedGames.empty()) {
        saved = store.append(m_unsavedGames.front(), &error);
        if (saved || !store.failedForNow()) {
            m_unsavedGames.erase(m_unsavedGames.begin());
        }
    }
    QStringList tell;
    if (const QString notice = store.takeNotice(); !notice.isEmpty()) {
        tell.append(notice);
    }
    if (!saved && !m_historyWarned) {
        m_historyWarned = true;
        tell.append(QStringLiteral("プレイ履歴を history.db に保存できませんでした（%1）。\n"
                                   "記録ファイルはこれまで通り保存されます。ゲームは続けられ、"
                                   "保存できなかったゲームは次に保存できたときに書き込みます。")
                        .arg(error));
    }
    if (!tell.isEmpty()) {
        tellAboutHistory(tell.join(u'\n'));
    }
    return game;
}

void Main::tellAboutHistory(const QString& text)
{
    // After the result dialog has opened, not in front of it.
    QTimer::singleShot(0, this, [this, text] { m_services.notifier.warn(QStringLiteral("プレイ履歴"), text); });
}

void Main::showHistory(QWidget* owner, int pattern, bool battle)
{
    HistoryViewer* viewer = historyViewer();
    if (!viewer) {
        return; // the player has been told
    }
    viewer->showHistory(owner, history(), m_module.puzzles, m_module.ranks, pattern, battle, m_services.clock.today());
}

HistoryViewer* Main::historyViewer()
{
    if (m_services.historyViewer) {
        return m_services.historyViewer;
    }
    QString error;
    auto* viewer = qobject_cast<HistoryViewer*>(loadGameModule(kHistoryViewerModule, &error));
    if (!viewer && !m_historyViewerWarned) {
        m_historyViewerWarned = true;
        m_services.notifier.warn(QStringLiteral("プレイ履歴"),
                                 QStringLiteral("履歴の画面を開けませんでした（%1）。ゲームを入れ直すと元に戻ります。")
                                     .arg(error));
    }
    return viewer;
}
