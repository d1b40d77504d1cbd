#pragma once

#include "platform/sound.h"

#include <QString>
#include <QStringList>

class SoundBackEnd;

// The game's sound: plays through the sound module, loaded at the first
// prepare or play. Without the module the game plays on in silence and
// says why once on stderr.
class ModuleSound final : public Sound {
public:
    // moduleFile: the module to load; empty for the game's own places.
    explicit ModuleSound(QString moduleFile = {});

    void prepare(const QStringList& paths);
    void playAsync(const QString& path) override;
    bool available();

private:
    SoundBackEnd* backEnd();

    QString m_moduleFile;
    SoundBackEnd* m_backEnd = nullptr;
    bool m_tried = false;
};
