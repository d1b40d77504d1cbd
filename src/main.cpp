#include "app/main_form.h"
#include "app/message_notifier.h"
#include "app/module1.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/qt_sound.h"
#include "platform/random.h"
#include "store/gsx_seq.h"
#include "view/art.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    // Without a display Qt would abort; say so plainly instead.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
#ifndef Q_OS_WIN
        std::fputs("Tazumeki: no display found (DISPLAY is not set); start it from a desktop session.\n", stderr);
        return 2;
#endif
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tazumeki"));
    QApplication::setApplicationVersion(QStringLiteral(TAZUMEKI_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TAZUMEKI_APP_ID));
    installFontSubstitutions();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(art::appIcon(size)));
    }
    QApplication::setWindowIcon(icon);

    auto module = std::make_unique<Module1>();
    SystemClock clock;
    StdRandom random;
    QtSound sound;
    StdRandom keyRandom;
    GsxSeq seq(keyRandom);
    MessageNotifier notifier;

    Main window(*module, Main::Services{clock, random, sound, seq, notifier}, gameFolders());
    notifier.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
