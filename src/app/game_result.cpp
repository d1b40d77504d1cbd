// A finished game on the screen: the records it changed are saved, its sound
// plays and the result dialog shows it.

#include "app/main_form.h"
#include "app/module1.h"
#include "game/record_decision.h"
#include "game/result_texts.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/notifier.h"
#include "platform/number_format.h"
#include "platform/sound.h"
#include "view/result_dialog.h"

#include <QDir>
#include <QLabel>

void Main::showResult(const GameResult& result, const PlayedGame* played)
{
    Result dialog(this, m_appDir);
    dialog.Label18->setText(resultTimeText(double(result.timeMs)));
    const RecordDecision decision =
        decideRecord(result, m_module.singleRecords, m_module.battleRecords, m_services.clock.today());
    dialog.Label19->setText(decision.message);
    if (result.mode == GameMode::Race) {
        dialog.detailLine->setText(QStringLiteral("今回 %1 秒 / ベスト %2 秒")
                                       .arg(formatNumber(double(result.timeMs) / 1000, 1),
                                            formatNumber(double(m_raceTimeMs) / 1000, 1)));
    }
    if (played) {
        dialog.typingLine->setText(typingLine(*played));
    }
    applyRecord(decision, m_module.singleRecords, m_module.battleRecords);
    switch (decision.sound) {
    case RecordDecision::Sound::NewRecord:
        m_services.sound.playAsync(appFile(m_appDir, QStringLiteral("\\sound\\NewRecord.WAV")));
        break;
    case RecordDecision::Sound::Lost:
        m_services.sound.playAsync(appFile(m_appDir, QStringLiteral("\\sound\\loose.wav")));
        break;
    case RecordDecision::Sound::None:
        break;
    }
    saveRecords(decision);
    dialog.exec();
}

void Main::saveRecords(const RecordDecision& decision)
{
    if (decision.file == RecordDecision::File::None) {
        return;
    }
    const bool single = decision.file == RecordDecision::File::Single;
    const QString file = single ? QStringLiteral("data1.dat") : QStringLiteral("data3.dat");
    if (m_blockedSaves.contains(file)) {
        return; // the player was told at start-up
    }
    QString error;
    // An own set's folder is made with its first record.
    if (m_set && !QDir().mkpath(m_setRecordsDir)) {
        error = QStringLiteral("%1 を作れません").arg(QDir::toNativeSeparators(m_setRecordsDir));
    }
    const bool saved =
        error.isEmpty() && (single ? SaveSingleRecords(m_services.seq, m_setRecordsDir, m_module.singleRecords, &error)
                                   : SaveBattleRecords(m_services.seq, m_setRecordsDir, m_module.battleRecords, &error));
    if (saved) {
        m_saveWarned.remove(file);
        return;
    }
    // Once per file until a save succeeds again: the player knows, the game goes on.
    if (!m_saveWarned.contains(file)) {
        m_saveWarned.insert(file);
        m_services.notifier.warn(QStringLiteral("記録の保存"),
                                 QStringLiteral("記録を %1 に保存できませんでした（%2）。\n"
                                                "以前の記録はそのまま残っています。ゲームは続けられます。")
                                     .arg(file, error));
    }
}
