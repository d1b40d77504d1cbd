// Judging a finished game: records, sounds, and the result dialog.

#include "app/game_result.h"

#include "app/formats.h"
#include "app/main_form.h"
#include "app/module1.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/notifier.h"
#include "platform/sound.h"
#include "store/record_fields.h"
#include "view/result_dialog.h"

#include <QComboBox>
#include <QLabel>

QString resultTimeText(double milliseconds)
{
    const double seconds = milliseconds / 1000;
    return formatNumber(seconds > 180 ? 180 : seconds, 3) + QStringLiteral("秒");
}

QString battleResultText(int playerLetters, int cpuLetters)
{
    const QString player = formatNumber(playerLetters, 0);
    const QString cpu = formatNumber(cpuLetters, 0);
    if (playerLetters < cpuLetters) {
        return cpu + u':' + player + QStringLiteral("でＣＰＵの勝ち");
    }
    if (cpuLetters < playerLetters) {
        return player + u':' + cpu + QStringLiteral("であなたの勝ち");
    }
    return cpu + u':' + player + QStringLiteral("で引き分け");
}

void Main::showResult()
{
    const double ms = GameEndTime - GameStartTime;
    Result dialog(this, m_appDir);
    dialog.Label18->setText(resultTimeText(ms));
    dialog.Label19->clear();
    const QString newRecordSound = appFile(m_appDir, QStringLiteral("\\sound\\NewRecord.WAV"));
    const int p = qBound(0, int(PatternIndex), SingleRecordTable::kPatterns - 1);

    if (singlePractice()) {
        if (AnswerShownFlag.isEmpty()) {
            SingleRecordTable& t = m_module.singleRecords;
            const bool withQuestion = !QuestionShownFlag.isEmpty();
            qint16& count = withQuestion ? t.CountWithQuestion[p] : t.CountNoQuestion[p];
            double& best = withQuestion ? t.BestWithQuestion[p] : t.BestNoQuestion[p];
            double& date = withQuestion ? t.DateWithQuestion[p] : t.DateNoQuestion[p];
            if (count < 32767) {
                ++count; // a full count stays full instead of wrapping
            }
            if (best == 0 || ms < best) {
                best = ms;
                const QDate today = m_services.clock.today();
                date = dayNumber(today.year(), today.month(), today.day());
                dialog.Label19->setText(withQuestion ? kNewBestWithQuestion : kNewBestNoQuestion);
                m_services.sound.playAsync(newRecordSound);
            }
            saveRecords(QStringLiteral("data1.dat"),
                        [&](QString* error) { return SaveSingleRecords(m_services.seq, m_recordsDir, t, error); });
        }
    } else {
        const int r = qBound(0, Combo2->currentIndex(), BattleRecordTable::kRanks - 1);
        BattleRecordTable& t = m_module.battleRecords;
        dialog.Label19->setText(battleResultText(PlayerLetters, CpuLetters));
        if (PlayerLetters < CpuLetters) {
            t.Losses[p][r] += 1;
            m_services.sound.playAsync(appFile(m_appDir, QStringLiteral("\\sound\\loose.wav")));
        } else if (CpuLetters < PlayerLetters) {
            t.Wins[p][r] += 1;
            m_services.sound.playAsync(newRecordSound);
        }
        saveRecords(QStringLiteral("data3.dat"),
                    [&](QString* error) { return SaveBattleRecords(m_services.seq, m_recordsDir, t, error); });
    }
    dialog.exec();
}

void Main::saveRecords(const QString& file, const std::function<bool(QString*)>& save)
{
    if (m_blockedSaves.contains(file)) {
        return; // the player was told at start-up
    }
    QString error;
    if (save(&error)) {
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
