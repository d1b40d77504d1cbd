// tazumeki-assets: writes the button images and the sounds into a game folder,
// and with a second folder the menu icons in the hicolor theme's layout.
// With --stored-art it writes the pictures the program carries in its
// resources instead, and the resource list naming them.

#include "platform/fonts.h"
#include "synth.h"
#include "view/art.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
           file.flush();
}

int writeStoredArt(const QDir& folder)
{
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tazumeki-assets: cannot make %s\n", qPrintable(folder.path()));
        return 1;
    }
    QStringList files;
    for (art::Piece piece : art::kPieces) {
        for (int ratio : art::kStoredRatios) {
            const QString file = art::storedFile(piece, ratio);
            if (!writeFile(folder.filePath(file), art::packPixels(art::draw(piece, ratio)))) {
                std::fprintf(stderr, "tazumeki-assets: cannot write %s\n", qPrintable(folder.filePath(file)));
                return 1;
            }
            files.append(file);
        }
    }
    for (int size : art::kWindowIconSizes) {
        const QString file = art::windowIconFile(size);
        if (!writeFile(folder.filePath(file), art::packPixels(art::appIcon(size)))) {
            std::fprintf(stderr, "tazumeki-assets: cannot write %s\n", qPrintable(folder.filePath(file)));
            return 1;
        }
        files.append(file);
    }
    QString list = QStringLiteral("<RCC>\n  <qresource prefix=\"/art\">\n");
    for (const QString& file : files) {
        list += QStringLiteral("    <file>%1</file>\n").arg(file);
    }
    list += QStringLiteral("  </qresource>\n</RCC>\n");
    const QString qrc = folder.filePath(QStringLiteral("stored_art.qrc"));
    if (!writeFile(qrc, list.toUtf8())) {
        std::fprintf(stderr, "tazumeki-assets: cannot write %s\n", qPrintable(qrc));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // Only images are drawn: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool storedArt = argc == 3 && qstrcmp(argv[1], "--stored-art") == 0;
    if (argc != 2 && argc != 4 && !storedArt) {
        std::fputs("usage: tazumeki-assets GAME_FOLDER [ICON_FOLDER APP_ID]\n"
                   "       tazumeki-assets --stored-art FOLDER\n", stderr);
        return 2;
    }
    installFontSubstitutions();
    if (storedArt) {
        return writeStoredArt(QDir(QString::fromLocal8Bit(argv[2])));
    }
    const QDir game(QString::fromLocal8Bit(argv[1]));
    if (!game.mkpath(QStringLiteral("image")) || !game.mkpath(QStringLiteral("sound"))) {
        std::fprintf(stderr, "tazumeki-assets: cannot make the image and sound folders in %s\n", argv[1]);
        return 1;
    }

    struct Face {
        const char* name;
        QString caption;
        bool hasDown;
    };
    const Face faces[] = {
        {"start", QStringLiteral("スタート"), true}, {"quit", QStringLiteral("中断"), false},
        {"record", QStringLiteral("記録"), true},    {"close", QStringLiteral("閉じる"), true},
        {"ok", QStringLiteral("ＯＫ"), true},
    };
    const std::pair<const char*, art::ButtonState> states[] = {
        {"init", art::ButtonState::Init}, {"over", art::ButtonState::Over}, {"down", art::ButtonState::Down}};
    for (const Face& face : faces) {
        for (const auto& [state, look] : states) {
            if (!face.hasDown && look == art::ButtonState::Down) {
                continue;
            }
            const QString file = game.filePath(QStringLiteral("image/button_%1_%2.bmp").arg(QLatin1String(face.name), QLatin1String(state)));
            // The 77 × 26 file every program of this format reads, and beside it the same face for 2× screens.
            const QString sharp = QString(file).replace(QStringLiteral(".bmp"), QStringLiteral("@2x.bmp"));
            if (!art::button(face.caption, look).save(file, "BMP") || !art::button(face.caption, look, 2).save(sharp, "BMP")) {
                std::fprintf(stderr, "tazumeki-assets: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }

    const std::pair<const char*, synth::Samples> sounds[] = {
        {"sound/Boom.wav", synth::playerBurst()},
        {"sound/Boom2.wav", synth::cpuBurst()},
        {"sound/NewRecord.WAV", synth::fanfare()},
        {"sound/loose.wav", synth::lostJingle()},
    };
    for (const auto& [name, samples] : sounds) {
        std::string error;
        if (!synth::writeWav(game.filePath(QString::fromLatin1(name)).toStdString(), samples, &error)) {
            std::fprintf(stderr, "tazumeki-assets: cannot write %s: %s\n", name, error.c_str());
            return 1;
        }
    }
    if (argc == 4) {
        const QDir icons(QString::fromLocal8Bit(argv[2]));
        for (int size : {48, 64, 128, 256}) {
            const QString folder = QStringLiteral("%1x%1/apps").arg(size);
            const QString file = icons.filePath(folder + QStringLiteral("/%1.png").arg(QString::fromLocal8Bit(argv[3])));
            if (!icons.mkpath(folder) || !art::appIcon(size).save(file, "PNG")) {
                std::fprintf(stderr, "tazumeki-assets: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
