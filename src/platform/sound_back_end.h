#pragma once

#include <QString>
#include <QStringList>
#include <QtPlugin>

// The audio back end, in a module of its own: Qt Multimedia and the two
// dozen libraries it brings would cost every start-up milliseconds before
// the first frame, so the game loads it once the window is on screen.
class SoundBackEnd {
public:
    virtual ~SoundBackEnd() = default;
    // Plays a wave file without blocking; a missing or bad file plays nothing.
    virtual void play(const QString& path) = 0;
    // Brings the back end up with these wave files loaded, so that their
    // first play does not stall. Missing files are left out.
    virtual void prepare(const QStringList& paths) = 0;
};

#define TazumekiSoundBackEnd_iid "org.tazumeki.SoundBackEnd/1"
Q_DECLARE_INTERFACE(SoundBackEnd, TazumekiSoundBackEnd_iid)

// The module's file name without its platform suffix.
inline const QString kSoundModule = QStringLiteral("tazumeki-sound");
