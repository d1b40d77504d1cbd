#pragma once

#include "platform/sound_back_end.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// The sound module's back end: one QSoundEffect per wave file.
class QtSound final : public QObject, public SoundBackEnd {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TazumekiSoundBackEnd_iid)
    Q_INTERFACES(SoundBackEnd)
public:
    explicit QtSound(QObject* parent = nullptr);
    void play(const QString& path) override;
    void prepare(const QStringList& paths) override;

private:
    QSoundEffect* effect(const QString& path);
    void sayIfSilent();
    bool m_deviceChecked = false;

    QHash<QString, QSoundEffect*> m_effects;
};
