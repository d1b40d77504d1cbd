#pragma once

#include "platform/sound.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

class QtSound final : public QObject, public Sound {
    Q_OBJECT
public:
    explicit QtSound(QObject* parent = nullptr);
    void playAsync(const QString& path) override;

private:
    QHash<QString, QSoundEffect*> m_effects;
};
