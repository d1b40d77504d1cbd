#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class GsxSeq;

// Reading a whole container. Damaged data never loses the lines before it.
struct UnpackResult {
    enum class Status {
        Ok,           // every line up to the end record
        Missing,      // no file at the path
        NotContainer, // not a container of this format (or its header is cut off)
        BadVersion,   // a container of another format version
        Damaged,      // the lines stop early; `lines` holds those read before the damage
        Unreadable,   // the file exists but could not be read
    };
    Status status = Status::Missing;
    QStringList lines;
    QString error; // for a person, when status is not Ok or Missing

    bool ok() const { return status == Status::Ok; }
};

// How much of a container is read: a file of the game has a known size, and a
// huge or endless one must not take the memory or the time of the game.
struct ReadLimits {
    qint64 bytes = -1;    // the file's first bytes only; -1: all of it
    qsizetype lines = -1; // lines beyond these make the file damaged; -1: any number
};

UnpackResult unpackLines(GsxSeq& seq, const QString& containerPath, ReadLimits limits = {});
UnpackResult unpackData(GsxSeq& seq, const QByteArray& data, qsizetype maxLines = -1);

// Builds a container from lines with a fresh key table and replaces the file
// whole. Fails, leaving the old file, when a line cannot be stored or the
// file cannot be written.
bool packLines(GsxSeq& seq, const QStringList& lines, const QString& containerPath, QString* error = nullptr);
std::optional<QByteArray> packData(GsxSeq& seq, const QStringList& lines, QString* error = nullptr);

// The plain text form: code page 932, every line followed by CR LF.
QByteArray linesToText(const QStringList& lines, QString* error = nullptr, bool* ok = nullptr);
QByteArray linesToUtf8Text(const QStringList& lines);
// Splits text into lines at CR LF (also a lone LF or CR); a final line end
// does not make an extra empty line.
QStringList textToLines(const QString& text);

// Copies between a container and its plain text file (code page 932, CR LF).
// UnpackToText's result carries the status and the error; its lines stay
// empty, for they are in the text file. A damaged container gives the lines
// before the damage; a file that is no container leaves the text file alone.
UnpackResult UnpackToText(GsxSeq& seq, const QString& containerPath, const QString& textPath);
bool PackFromText(GsxSeq& seq, const QString& textPath, const QString& containerPath, QString* error = nullptr);
