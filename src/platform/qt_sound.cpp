#include "platform/qt_sound.h"

#include <QDir>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <cstdio>

QtSound::QtSound(QObject* parent) : QObject(parent) {}

void QtSound::sayIfSilent()
{
    // One line of ours in place of the back end's repeated complaints.
    if (!m_deviceChecked) {
        m_deviceChecked = true;
        if (QMediaDevices::audioOutputs().isEmpty()) {
            std::fputs("Tazumeki: no sound device found; the game plays in silence.\n", stderr);
        }
    }
}

QSoundEffect* QtSound::effect(const QString& path)
{
    // One effect per file, however the path was spelled.
    QSoundEffect*& effect = m_effects[QDir::cleanPath(QFileInfo(path).absoluteFilePath())];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    return effect;
}

void QtSound::play(const QString& path)
{
    // A missing file plays nothing; checking first keeps the multimedia backend quiet.
    if (!QFileInfo(path).isFile()) {
        return;
    }
    sayIfSilent();
    QSoundEffect* sound = effect(path);
    sound->stop();
    sound->play();
}

void QtSound::prepare(const QStringList& paths)
{
    sayIfSilent();
    for (const QString& path : paths) {
        if (QFileInfo(path).isFile()) {
            effect(path);
        }
    }
}
