#include "platform/module_sound.h"

#include "platform/game_module.h"
#include "platform/sound_back_end.h"

#include <QPluginLoader>
#include <cstdio>

ModuleSound::ModuleSound(QString moduleFile) : m_moduleFile(std::move(moduleFile)) {}

SoundBackEnd* ModuleSound::backEnd()
{
    if (m_tried) {
        return m_backEnd;
    }
    m_tried = true;
    QString error;
    QObject* root = nullptr;
    if (m_moduleFile.isEmpty()) {
        root = loadGameModule(kSoundModule, &error);
    } else {
        QPluginLoader loader(m_moduleFile);
        root = loader.instance();
        error = loader.errorString();
    }
    m_backEnd = qobject_cast<SoundBackEnd*>(root);
    if (root && !m_backEnd) {
        error = QStringLiteral("the module found is not the sound module");
    }
    if (!m_backEnd) {
        std::fprintf(stderr, "Tazumeki: playing without sound: %s\n", qPrintable(error));
    }
    return m_backEnd;
}

bool ModuleSound::available()
{
    return backEnd() != nullptr;
}

void ModuleSound::prepare(const QStringList& paths)
{
    if (SoundBackEnd* sound = backEnd()) {
        sound->prepare(paths);
    }
}

void ModuleSound::playAsync(const QString& path)
{
    if (SoundBackEnd* sound = backEnd()) {
        sound->play(path);
    }
}
