#include "platform/module_sound.h"

#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The back end's sound effects by file name, with the load status each has
// reached. Waits for every load to end: a test that quits while the
// multimedia loader thread still reads a file would leave its buffers behind.
QMap<QString, QString> settledEffects()
{
    QObject* root = QPluginLoader(QStringLiteral(TAZUMEKI_SOUND_MODULE)).instance();
    QMap<QString, QString> statuses;
    if (!root) {
        return statuses;
    }
    const auto loading = [root] {
        for (QObject* child : root->children()) {
            if (child->property("status").toInt() == 1) {  // QSoundEffect::Loading
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !loading(); }, 10000)) << "the loads did not end";
    for (QObject* child : root->children()) {
        const QString name = child->property("source").toUrl().fileName();
        static const QStringList names{QStringLiteral("Null"), QStringLiteral("Loading"),
                                       QStringLiteral("Ready"), QStringLiteral("Error")};
        statuses[name] = names.value(child->property("status").toInt());
    }
    return statuses;
}

}  // namespace

// The real back end plays files that exist and skips the rest, without a
// sound server too (as on a build machine). Its sounds go with it, while the
// application still runs: left to the exit handlers they crashed the process
// on its way out.
TEST(ModuleSound, TheModulePlaysWhatExistsAndSkipsTheRest)
{
    QPointer<QObject> root;
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
        // A whole header of another RIFF kind: a file shorter than a wave's
        // header can leave the decoder waiting for bytes that never come.
        QByteArray notAWave("RIFF\x38\0\0\0AVI LIST", 16);
        notAWave.append(48, '\0');
        file.write(notAWave);
        file.close();
        sound.playAsync(bad);

        const QMap<QString, QString> effects = settledEffects();
        EXPECT_EQ(effects.value(QStringLiteral("Boom.wav")), QStringLiteral("Ready"));
        EXPECT_EQ(effects.value(QStringLiteral("bad.wav")), QStringLiteral("Error"));
        EXPECT_FALSE(effects.contains(QStringLiteral("Boom2.wav")));
        EXPECT_FALSE(effects.contains(QStringLiteral("loose.wav")));
        root = QPluginLoader(QStringLiteral(TAZUMEKI_SOUND_MODULE)).instance();
        ASSERT_FALSE(root.isNull());
    }
    EXPECT_TRUE(root.isNull());
    // A later one brings the back end up afresh.
    ModuleSound again(QStringLiteral(TAZUMEKI_SOUND_MODULE));
    EXPECT_TRUE(again.available());
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
