#pragma once

#include "platform/cp932.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class Random;

// The scrambled line container: a header with a random key table, then one
// record per line (empty line, or code page 932 bytes XOR-ed with one key
// row), then an end record. One instance holds one key table and at most one
// open container, for writing or for reading.
class GsxSeq {
public:
    static constexpr int kRows = 8;
    static constexpr int kRowLength = 128;
    static constexpr int kMaxLineBytes = 32767;
    using KeyTable = std::array<std::array<std::uint8_t, kRowLength>, kRows>;

    // Results of OpenForRead.
    static constexpr int OpenMissing = -1;
    static constexpr int OpenNotContainer = -2; // short file, wrong magic, or header cut off
    static constexpr int OpenBadVersion = -3;

    // Results of ReadLine.
    static constexpr int LineRead = 0;
    static constexpr int EndOfLines = 1;
    static constexpr int BadMarker = -1;
    static constexpr int BadRow = -2;
    static constexpr int Truncated = -4; // data ends inside a record, or an impossible length

    static constexpr char kMagic[] = "ABCDEFGHIJKL";
    static constexpr std::uint8_t kFormatVersion = 1;
    static constexpr std::uint8_t kMarkerEmpty = 3;
    static constexpr std::uint8_t kMarkerText = 5;
    static constexpr std::uint8_t kMarkerEnd = 9;
    static constexpr int kHeaderSize = 12 + 1 + kRows * kRowLength;

    explicit GsxSeq(Random& random);

    void MakeKeyTable();
    const KeyTable& keyTable() const { return m_keys; }

    // Writing: the container is built in memory and replaces the file whole
    // in CloseWrite, so a failed save never damages the previous file.
    int OpenForWrite(const QString& path);
    bool WriteLine(int handle, const QString& text, QString* error = nullptr);
    // A line already in code page 932, stored as it stands.
    bool WriteBytes(int handle, QByteArrayView bytes, QString* error = nullptr);
    bool CloseWrite(int handle, QString* error = nullptr);

    int OpenForRead(const QString& path);
    // Reading from bytes already in memory; the same codes as OpenForRead.
    int OpenForReadData(const QByteArray& data);
    int ReadLine(int handle, QString& text);
    // The same, giving the line's code page 932 bytes as stored.
    int ReadBytes(int handle, QByteArray& bytes);
    void CloseRead();

    // Direction 1: text to scrambled bytes (nullopt when the text cannot be
    // stored). Direction 2: scrambled bytes back to text.
    std::optional<QByteArray> LineCodec(const QString& text, int row, QString* error = nullptr) const;
    QString LineCodec(const QByteArray& data, int row) const;

    // The written container, for callers that keep it in memory.
    QByteArray takeWritten();

    // The converter the records are read and written with.
    const Cp932Codec& codec() const { return m_codec; }

private:
    QByteArray scramble(QByteArray bytes, int row) const;
    void scrambleInPlace(char* data, qsizetype size, int row) const;
    bool writing(int handle, QString* error) const;
    bool readByte(std::uint8_t& value);

    Random& m_random;
    KeyTable m_keys{};
    Cp932Codec m_codec; // kept open: a container converts line after line

    static constexpr int kHandle = 1;
    enum class Mode { Closed, Writing, Reading } m_mode = Mode::Closed;
    QString m_writePath;
    QByteArray m_buffer;
    qsizetype m_readPos = 0;
};
