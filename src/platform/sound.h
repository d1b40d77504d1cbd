#pragma once

#include <QString>

// Wave playback that never blocks the caller and never complains.
class Sound {
public:
    virtual ~Sound() = default;
    virtual void playAsync(const QString& path) = 0;
};
