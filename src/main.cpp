#include "app/game_data.h"
#include "app/main_form.h"
#include "app/message_notifier.h"
#include "app/module1.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/first_frame.h"
#include "platform/fonts.h"
#include "platform/module_sound.h"
#include "platform/quiet_messages.h"
#include "platform/random.h"
#include "platform/records_claim.h"
#include "store/gsx_seq.h"
#include "view/stored_art.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <functional>
#include <future>
#include <malloc.h>
#include <memory>
#include <thread>

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

#ifdef __GLIBC__
    // The few threads of the start-up and the sound allocate little: an
    // allocator arena each would only hold memory the game never reuses.
    mallopt(M_ARENA_MAX, 1);
#endif
    // Reading the font configuration takes milliseconds; a second core does
    // it while the display connection is made. Fontconfig keeps whichever
    // copy is ready first, and Qt reads the same configuration.
    const std::jthread fontConfiguration(FcInit);

    quietKnownChatter();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tazumeki"));
    QApplication::setApplicationVersion(QStringLiteral(TAZUMEKI_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TAZUMEKI_APP_ID));
    installFontSubstitutions();

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Tazumeki, a crossword-typing trainer."));
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument(QStringLiteral("set"),
                                  QStringLiteral("A puzzle set of your own (.tazumeki) to play instead of the shipped one."),
                                  QStringLiteral("[SET.tazumeki]"));
    options.process(app);
    const QStringList given = options.positionalArguments();
    if (given.size() > 1) {
        std::fputs("Tazumeki: give at most one puzzle set.\n", stderr);
        return 2;
    }
    const QString setFile = given.isEmpty() ? QString() : QFileInfo(given.first()).absoluteFilePath();

    // Two copies on one records folder would each overwrite the other's games:
    // nothing is written there before this copy knows it is the only one.
    QString userDataProblem;
    const QString userData = userDataFolder(&userDataProblem);
    // A copy already running is handed the set to open.
    RecordsClaim records = claimRecordsFolder(chooseGameFolders(AppDir(), userData, userDataProblem), setFile);
    switch (records.claim) {
    case SingleInstance::Claim::ShownRunning:
        return 0;
    case SingleInstance::Claim::AlreadyRunning: {
        const QString lock = QDir::toNativeSeparators(records.instance->lockPath());
        std::fprintf(stderr, "Tazumeki is already running (lock file %s).\n", qPrintable(lock));
        QMessageBox::information(nullptr, QStringLiteral("Tazumeki"),
                                 QStringLiteral("Tazumeki はすでに起動しています。\n"
                                                "起動していないのにこの表示が続くときは、%1 を削除してください。")
                                     .arg(lock));
        return 1;
    }
    case SingleInstance::Claim::Claimed:
    case SingleInstance::Claim::CannotLock: // no folder for records: the game says so and keeps none
    case SingleInstance::Claim::NotAFile:   // the game says so
        break;
    }
    const GameFolders& folders = records.folders;

    auto module = std::make_unique<Module1>();
    SystemClock clock;
    StdRandom random;
    ModuleSound sound;
    StdRandom keyRandom;
    GsxSeq seq(keyRandom);
    // The data files load, and the image plugins the first paint needs, on a
    // second core while the window is being made.
    std::future<GameDataLoad> loading = std::async(std::launch::async, loadGameData, std::ref(seq), folders.files,
                                                   folders.records, std::ref(*module), setFile);
    const std::future<void> imagePlugins = std::async(std::launch::async, loadImagePlugins);
    MessageNotifier notifier;

    Main window(*module, Main::Services{clock, random, sound, seq, notifier}, folders, std::move(loading));
    window.tellAboutRecordsFolder(records.copied, records.bothHoldRecords,
                                  records.claim == SingleInstance::Claim::NotAFile
                                      ? notAFileReason(records.instance->lockPath())
                                      : QString());
    notifier.setParentWindow(&window);
    if (records.instance) {
        QObject::connect(records.instance.get(), &SingleInstance::showRequested, &window, [&window](const QString& set) {
            window.showNormal();
            window.raise();
            window.activateWindow();
            if (!set.isEmpty()) {
                window.openSet(set);
            }
        });
    }
    // The sound module, its back end and the window icon cost milliseconds
    // the first frame does not need; the first burst sound plays 0.8 s
    // later. The end-of-game sounds load when first played: keeping them
    // from the start only costs memory.
    afterFirstFrame(window, [&sound] {
        reportFirstFrameIfAsked();
        QApplication::setWindowIcon(art::windowIcon());
        sound.prepare({appFile(AppDir(), QStringLiteral("\\sound\\Boom.wav")),
                       appFile(AppDir(), QStringLiteral("\\sound\\Boom2.wav"))});
    });
    window.show();
    return QApplication::exec();
}
