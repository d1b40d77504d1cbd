#include "platform/module_sound.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The real back end plays files that exist and skips the rest, without a
// sound server too (as on a build machine).
TEST(ModuleSound, TheModulePlaysWhatExistsAndSkipsTheRest)
{
    ModuleSound sound(QStringLiteral(TAZUMEKI_SOUND_MODULE));
    ASSERT_TRUE(sound.available());
    const QString boom = QStringLiteral(TAZUMEKI_GAME_DIR "/sound/Boom.wav");
    ASSERT_TRUE(QFile::exists(boom));
    sound.prepare({boom, QStringLiteral("/nonexistent/Boom2.wav")});
    sound.playAsync(boom);
    sound.playAsync(QStringLiteral("/nonexistent/loose.wav"));
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.wav"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF not a wave at all");
    file.close();
    sound.playAsync(bad);
}

// Without its module, or with the wrong one, the game plays on in silence.
TEST(ModuleSound, AMissingOrWrongModuleMeansSilence)
{
    ModuleSound missing(QStringLiteral("/nonexistent/tazumeki-sound"));
    missing.prepare({QStringLiteral(TAZUMEKI_GAME_DIR "/sound/Boom.wav")});
    missing.playAsync(QStringLiteral(TAZUMEKI_GAME_DIR "/sound/Boom.wav"));
    EXPECT_FALSE(missing.available());

    ModuleSound wrong(QStringLiteral(TAZUMEKI_HISTORY_MODULE));
    wrong.playAsync(QStringLiteral(TAZUMEKI_GAME_DIR "/sound/Boom.wav"));
    EXPECT_FALSE(wrong.available());
}
