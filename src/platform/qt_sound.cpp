#include "platform/qt_sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSound::QtSound(QObject* parent) : QObject(parent) {}

void QtSound::playAsync(const QString& path)
{
    // A missing file plays nothing; checking first keeps the multimedia backend quiet.
    if (!QFileInfo(path).isFile()) {
        return;
    }
    QSoundEffect*& effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    effect->stop();
    effect->play();
}
