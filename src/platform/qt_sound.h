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

    // Brings the audio back end up and loads these wave files, so their
    // first play does not stall. Costs a few milliseconds: call it once the
    // window is on screen, not before. Missing files are left out.
    void prepare(const QStringList& paths);

private:
    QSoundEffect* effect(const QString& path);

    QHash<QString, QSoundEffect*> m_effects;
};
