// Sets of the player's own: the set given at start-up or dropped on the
// window replaces the shipped one, with records of its own.

#include "app/main_form.h"
#include "app/module1.h"
#include "platform/notifier.h"
#include "puzzle/puzzle_set.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QStandardItemModel>

namespace {

// The one set file a drag carries, or nothing.
QString droppedSet(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().first().isLocalFile()) {
        return QString();
    }
    const QString file = mime->urls().first().toLocalFile();
    return QFileInfo(file).suffix().compare(kOwnSetSuffix, Qt::CaseInsensitive) == 0 ? file : QString();
}

} // namespace

void Main::useGameData(const GameDataLoad& data)
{
    m_set = data.set;
    m_setRecordsDir = data.recordsDir;
    m_blockedSaves.clear();
    m_saveWarned.clear();
    m_history.reset(); // the history shown is the set's
    m_gameLog.playSet(setId());
    if (m_recordsDir.isEmpty() || m_setRecordsDir.isEmpty()) {
        m_blockedSaves = {QStringLiteral("data1.dat"), QStringLiteral("data3.dat")};
    }
    if (!data.setProblem.isEmpty()) {
        warnLater(QStringLiteral("パズルセット"),
                  QStringLiteral("パズルセットを開けませんでした（%1）。\nいつものパズルで始めます。").arg(data.setProblem));
    }
    if (!data.recordsProblem.isEmpty()) {
        warnLater(QStringLiteral("記録の保存先"),
                  QStringLiteral("このパズルセットの記録を保存できません：%1。\nこのまま遊べますが、記録は保存されません。")
                      .arg(data.recordsProblem));
    }
    warnAboutRecords(data.single, QStringLiteral("data1.dat"));
    warnAboutRecords(data.battle, QStringLiteral("data3.dat"));
    if (!m_set) {
        warnAboutShippedPuzzles(data.puzzles);
    }
    setWindowTitle(m_set ? QStringLiteral("Tazumeki － %1").arg(m_set->name) : QStringLiteral("Tazumeki"));

    // An own set offers its own patterns only; a shipped pattern without
    // words stays in the list, greyed: it cannot be chosen.
    const std::vector<int> playable = playablePatterns(m_module.puzzles);
    const int offered = m_set && !playable.empty() ? playable.back() + 1 : PuzzleSet::kPlayablePatterns;
    const QSignalBlocker quiet(Combo1);
    Combo1->clear();
    for (int p = 0; p < offered; ++p) {
        Combo1->addItem(QString::number(p));
    }
    if (auto* items = qobject_cast<QStandardItemModel*>(Combo1->model())) {
        for (int p = 0; p < offered; ++p) {
            if (!isPlayable(m_module.puzzles, p)) {
                items->item(p)->setEnabled(false);
            }
        }
    }
    Combo1->setCurrentIndex(0);
}

void Main::warnAboutShippedPuzzles(const UnpackResult& puzzles)
{
    if (playablePatterns(m_module.puzzles).empty()) {
        // Said once: Enter then starts nothing.
        const QString why = puzzles.status == UnpackResult::Status::Missing ? QStringLiteral("ファイルがありません")
                            : puzzles.ok()                                    ? QStringLiteral("遊べるパターンがありません")
                                                                              : puzzles.error;
        warnLater(QStringLiteral("パズルファイルの読み込み"),
                  QStringLiteral("パズルファイル data2.dat を読めませんでした（%1）。遊べるパターンがないため、"
                                 "ゲームを始められません。\nゲームを入れ直すと元に戻ります。")
                      .arg(why));
    } else if (!puzzles.ok()) {
        warnLater(QStringLiteral("パズルファイルの読み込み"),
                  QStringLiteral("パズルファイル data2.dat を最後まで読めませんでした（%1）。\n"
                                 "読めたパターンだけで遊べます。ゲームを入れ直すと元に戻ります。")
                      .arg(puzzles.error));
    }
}

QString Main::setId() const
{
    return m_set ? m_set->id : QString();
}

QString Main::titleLine() const
{
    return m_set ? QStringLiteral("セット：%1").arg(m_set->name) : QString();
}

bool Main::openSet(const QString& file)
{
    const QString name = QFileInfo(file).fileName();
    if (game().PlayState != PlayState::Idle || m_session->titleHeld()) {
        m_services.notifier.inform(QStringLiteral("パズルセット"),
                                   QStringLiteral("ゲーム中はパズルセット %1 に切り替えられません。").arg(name));
        return false;
    }
    // Read aside first: a set that cannot be played leaves this one as it is.
    auto trial = std::make_unique<PuzzleSet>();
    const OwnSetLoad check = loadOwnSet(m_services.seq, file, *trial);
    if (!check.set) {
        m_services.notifier.warn(QStringLiteral("パズルセット"),
                                 QStringLiteral("パズルセット %1 を開けませんでした（%2）。").arg(name, check.problem));
        return false;
    }
    if (m_set && m_set->id == check.set->id) {
        return false; // already in play
    }
    if (!m_services.notifier.ask(QStringLiteral("パズルセット"),
                                 QStringLiteral("パズルセット「%1」（%2）に切り替えますか？\n記録はセットごとに別々に保存されます。")
                                     .arg(check.set->name, name))) {
        return false;
    }
    useGameData(loadGameData(m_services.seq, m_appDir, m_recordsDir, m_module, file));
    ShowTitle();
    return true;
}

void Main::dragEnterEvent(QDragEnterEvent* event)
{
    // Only while no game runs: a switch in the middle of one would lose it.
    if (!droppedSet(event->mimeData()).isEmpty() && game().PlayState == PlayState::Idle && !m_session->titleHeld()) {
        event->acceptProposedAction();
    }
}

void Main::dropEvent(QDropEvent* event)
{
    const QString file = droppedSet(event->mimeData());
    if (file.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    openSet(file);
}
