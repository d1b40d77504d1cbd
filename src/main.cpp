#include "app/main_form.h"
#include "app/message_notifier.h"
#include "app/module1.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/first_frame.h"
#include "platform/fonts.h"
#include "platform/qt_sound.h"
#include "platform/random.h"
#include "platform/single_instance.h"
#include "store/gsx_seq.h"
#include "view/art.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
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

    // Two copies on one records folder would each overwrite the other's games.
    const GameFolders folders = gameFolders();
    QDir().mkpath(folders.records); // the lock lives with the records
    SingleInstance instance(folders.records);
    switch (instance.claim()) {
    case SingleInstance::Claim::Claimed:
        break;
    case SingleInstance::Claim::ShownRunning:
        return 0;
    case SingleInstance::Claim::AlreadyRunning:
        std::fputs("Tazumeki is already running.\n", stderr);
        QMessageBox::information(nullptr, QStringLiteral("Tazumeki"), QStringLiteral("Tazumeki はすでに起動しています。"));
        return 1;
    }

    auto module = std::make_unique<Module1>();
    SystemClock clock;
    StdRandom random;
    QtSound sound;
    StdRandom keyRandom;
    GsxSeq seq(keyRandom);
    MessageNotifier notifier;

    Main window(*module, Main::Services{clock, random, sound, seq, notifier}, folders);
    notifier.setParentWindow(&window);
    QObject::connect(&instance, &SingleInstance::showRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    // The audio back end costs milliseconds the first frame does not need;
    // the first burst sound plays 0.8 s later. The end-of-game sounds load
    // when first played: keeping them from the start only costs memory.
    afterFirstFrame(window, [&sound] {
        reportFirstFrameIfAsked();
        sound.prepare({appFile(AppDir(), QStringLiteral("\\sound\\Boom.wav")),
                       appFile(AppDir(), QStringLiteral("\\sound\\Boom2.wav"))});
    });
    window.show();
    return QApplication::exec();
}
