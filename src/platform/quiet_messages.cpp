#include "platform/quiet_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstring>

namespace {

QtMessageHandler previous = nullptr;

void handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && isKnownChatter(message.toUtf8().constData())) {
        return;
    }
    if (previous) {
        previous(type, context, message);
    }
}

} // namespace

bool isKnownChatter(const char* message)
{
    static const char* const chatter[] = {
        "PulseAudioService: pa_context_connect() failed",
        "No audio device detected",
        "QStandardPaths: XDG_RUNTIME_DIR not set",
    };
    for (const char* prefix : chatter) {
        if (std::strncmp(message, prefix, std::strlen(prefix)) == 0) {
            return true;
        }
    }
    return false;
}

void quietKnownChatter()
{
    previous = qInstallMessageHandler(handler);
}
