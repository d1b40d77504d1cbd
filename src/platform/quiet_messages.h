#pragma once

// Qt's multimedia back end (and Qt itself, without a runtime folder) speak on
// every start of a machine without a sound server: "PulseAudioService:
// pa_context_connect() failed", "No audio device detected" three times.
// They come in Qt's default category, which logging rules cannot silence
// without silencing everything, so a message handler drops exactly these and
// passes every other message on.
void quietKnownChatter();

// True for a message quietKnownChatter drops.
bool isKnownChatter(const char* message);
