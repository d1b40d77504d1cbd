#include "platform/module_sound.h"

#include "platform/game_module.h"
#include "platform/sound_back_end.h"

#include <QPluginLoader>
#include <cstdio>

ModuleSound::ModuleSound(QString moduleFile) : m_moduleFile(std::move(moduleFile)) {}

ModuleSound::~ModuleSound()
{
    // Left to the end of the process, the module's root object would be
    // deleted by Qt's own exit handlers after Qt Multimedia's sample cache,
    // and its sounds would crash on the way out.
    delete m_root.data();
}

SoundBackEnd* ModuleSound::backEnd()
{
    if (m_tried) {
        return qobject_cast<SoundBackEnd*>(m_root.data());
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
    SoundBackEnd* backEnd = qobject_cast<SoundBackEnd*>(root);
    if (root && !backEnd) {
        error = QStringLiteral("the module found is not the sound module");
    }
    if (!backEnd) {
        std::fprintf(stderr, "Tazumeki: playing without sound: %s\n", qPrintable(error));
        return nullptr;
    }
    m_root = root;
    return backEnd;
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
