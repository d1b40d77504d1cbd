#include "platform/game_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

QObject* loadGameModule(const QString& name, QString* error)
{
    const QDir exeDir(QCoreApplication::applicationDirPath());
    QStringList errors;
    for (const QString& file : {exeDir.filePath(name), exeDir.filePath(QStringLiteral("../lib/tazumeki/") + name)}) {
        QPluginLoader loader(file);
        if (QObject* root = loader.instance()) {
            return root;
        }
        errors.append(loader.errorString());
    }
    if (error) {
        *error = errors.join(QStringLiteral("; "));
    }
    return nullptr;
}
