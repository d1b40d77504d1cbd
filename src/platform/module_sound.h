#pragma once

#include "platform/sound.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class SoundBackEnd;

// The game's sound: plays through the sound module, loaded at the first
// prepare or play. Without the module the game plays on in silence and
// says why once on stderr. The back end lives as long as this object, so
// that its sounds are gone before the application and Qt Multimedia are:
// one per process.
class ModuleSound final : public Sound {
public:
    // moduleFile: the module to load; empty for the game's own places.
    explicit ModuleSound(QString moduleFile = {});
    ~ModuleSound() override;
    ModuleSound(const ModuleSound&) = delete;
    ModuleSound& operator=(const ModuleSound&) = delete;

    void prepare(const QStringList& paths);
    void playAsync(const QString& path) override;
    bool available();

private:
    SoundBackEnd* backEnd();

    QString m_moduleFile;
    QPointer<QObject> m_root;
    bool m_tried = false;
};
