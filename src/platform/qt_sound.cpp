#include "platform/qt_sound.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSound::QtSound(QObject* parent) : QObject(parent) {}

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
    QSoundEffect* sound = effect(path);
    sound->stop();
    sound->play();
}

void QtSound::prepare(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (QFileInfo(path).isFile()) {
            effect(path);
        }
    }
}
