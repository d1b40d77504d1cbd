#include "store/gsx_seq.h"

#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/random.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

bool fitsRecord(qsizetype size, QString* error)
{
    if (size <= GsxSeq::kMaxLineBytes) {
        return true;
    }
    if (error) {
        *error = QStringLiteral("a line of %1 bytes is longer than the %2 bytes a record can hold")
                     .arg(size)
                     .arg(GsxSeq::kMaxLineBytes);
    }
    return false;
}

} // namespace

GsxSeq::GsxSeq(Random& random) : m_random(random) {}

void GsxSeq::MakeKeyTable()
{
    // nearbyint rounds halves to even, as the format's writers always have.
    for (auto& row : m_keys) {
        for (auto& key : row) {
            key = static_cast<std::uint8_t>(std::nearbyint(m_random.next() * 250.0 + 3.0));
        }
    }
}

int GsxSeq::OpenForWrite(const QString& path)
{
    m_mode = Mode::Writing;
    m_writePath = path;
    m_buffer.clear();
    m_buffer.reserve(kHeaderSize + 4096);
    m_buffer.append(kMagic, 12);
    m_buffer.append(static_cast<char>(kFormatVersion));
    for (const auto& row : m_keys) {
        m_buffer.append(reinterpret_cast<const char*>(row.data()), kRowLength);
    }
    return kHandle;
}

bool GsxSeq::writing(int handle, QString* error) const
{
    if (handle != kHandle || m_mode != Mode::Writing) {
        if (error) {
            *error = QStringLiteral("the container is not open for writing");
        }
        return false;
    }
    return true;
}

bool GsxSeq::WriteLine(int handle, const QString& text, QString* error)
{
    if (!writing(handle, error)) {
        return false;
    }
    const auto bytes = m_codec.encode(text, error);
    return bytes && WriteBytes(handle, *bytes, error);
}

bool GsxSeq::WriteBytes(int handle, QByteArrayView bytes, QString* error)
{
    if (!writing(handle, error)) {
        return false;
    }
    if (bytes.isEmpty()) {
        m_buffer.append(static_cast<char>(kMarkerEmpty));
        return true;
    }
    const int row = static_cast<int>(std::nearbyint(m_random.next() * 7.0));
    if (!fitsRecord(bytes.size(), error)) {
        return false;
    }
    m_buffer.append(static_cast<char>(kMarkerText));
    m_buffer.append(static_cast<char>(row));
    m_buffer.append(static_cast<char>(bytes.size() / 256));
    m_buffer.append(static_cast<char>(bytes.size() % 256));
    // Scrambled in place at the end of the container: no copy per line.
    const qsizetype start = m_buffer.size();
    m_buffer.append(bytes);
    scrambleInPlace(m_buffer.data() + start, bytes.size(), row);
    return true;
}

bool GsxSeq::CloseWrite(int handle, QString* error)
{
    if (!writing(handle, error)) {
        return false;
    }
    m_buffer.append(static_cast<char>(kMarkerEnd));
    m_mode = Mode::Closed;
    if (m_writePath.isEmpty()) {
        return true; // kept in memory for takeWritten()
    }
    return atomicReplace(m_writePath, m_buffer, error);
}

QByteArray GsxSeq::takeWritten()
{
    return std::exchange(m_buffer, QByteArray());
}

int GsxSeq::OpenForRead(const QString& path)
{
    if (!fileExists(path)) {
        return OpenMissing;
    }
    bool ok = false;
    const QByteArray data = readWholeFile(path, &ok);
    if (!ok) {
        return OpenNotContainer;
    }
    return OpenForReadData(data);
}

int GsxSeq::OpenForReadData(const QByteArray& data)
{
    m_mode = Mode::Closed;
    if (data.size() < 12 || std::memcmp(data.constData(), kMagic, 12) != 0) {
        return OpenNotContainer;
    }
    if (data.size() < 13) {
        return OpenNotContainer;
    }
    if (static_cast<std::uint8_t>(data[12]) != kFormatVersion) {
        return OpenBadVersion;
    }
    if (data.size() < kHeaderSize) {
        return OpenNotContainer;
    }
    // The key table straight after the magic and the version.
    const QByteArrayView table = QByteArrayView(data).sliced(13, kRows * kRowLength);
    for (int r = 0; r < kRows; ++r) {
        const QByteArrayView row = table.sliced(r * kRowLength, kRowLength);
        std::copy(row.begin(), row.end(), m_keys[r].begin());
    }
    m_buffer = data;
    m_readPos = kHeaderSize;
    m_mode = Mode::Reading;
    return kHandle;
}

bool GsxSeq::readByte(std::uint8_t& value)
{
    if (m_readPos >= m_buffer.size()) {
        return false;
    }
    value = static_cast<std::uint8_t>(m_buffer[m_readPos++]);
    return true;
}

int GsxSeq::ReadLine(int handle, QString& text)
{
    QByteArray bytes;
    const int rc = ReadBytes(handle, bytes);
    if (rc == LineRead) {
        text = m_codec.decode(bytes);
    }
    return rc;
}

int GsxSeq::ReadBytes(int handle, QByteArray& bytes)
{
    if (handle != kHandle || m_mode != Mode::Reading) {
        return Truncated;
    }
    std::uint8_t marker = 0;
    if (!readByte(marker)) {
        return Truncated;
    }
    switch (marker) {
    case kMarkerEmpty:
        bytes.clear();
        return LineRead;
    case kMarkerEnd:
        CloseRead();
        return EndOfLines;
    case kMarkerText: {
        std::uint8_t row = 0;
        if (!readByte(row)) {
            return Truncated;
        }
        if (row >= kRows) {
            return BadRow;
        }
        std::uint8_t high = 0;
        std::uint8_t low = 0;
        if (!readByte(high) || !readByte(low)) {
            return Truncated;
        }
        const int length = high * 256 + low;
        // The writer never stores an empty text record or a length of 0x8000 or more.
        if (length == 0 || length > kMaxLineBytes || m_buffer.size() - m_readPos < length) {
            return Truncated;
        }
        // Into the caller's buffer: one reused across the lines costs no
        // allocation per line.
        bytes.resize(length);
        std::memcpy(bytes.data(), m_buffer.constData() + m_readPos, static_cast<std::size_t>(length));
        scrambleInPlace(bytes.data(), length, row);
        m_readPos += length;
        return LineRead;
    }
    default:
        return BadMarker;
    }
}

void GsxSeq::CloseRead()
{
    if (m_mode == Mode::Reading) {
        m_mode = Mode::Closed;
        m_buffer.clear();
        m_readPos = 0;
    }
}

QByteArray GsxSeq::scramble(QByteArray bytes, int row) const
{
    scrambleInPlace(bytes.data(), bytes.size(), row); // one detach, not one per byte
    return bytes;
}

void GsxSeq::scrambleInPlace(char* data, qsizetype size, int row) const
{
    const auto& key = m_keys[static_cast<std::size_t>(row & (kRows - 1))];
    for (qsizetype n = 0; n < size; ++n) {
        data[n] = static_cast<char>(static_cast<std::uint8_t>(data[n]) ^ key[static_cast<std::size_t>(n % kRowLength)]);
    }
}

std::optional<QByteArray> GsxSeq::LineCodec(const QString& text, int row, QString* error) const
{
    if (row < 0 || row >= kRows) {
        if (error) {
            *error = QStringLiteral("key row %1 is out of range").arg(row);
        }
        return std::nullopt;
    }
    auto bytes = m_codec.encode(text, error);
    if (!bytes || !fitsRecord(bytes->size(), error)) {
        return std::nullopt;
    }
    return scramble(std::move(*bytes), row);
}

QString GsxSeq::LineCodec(const QByteArray& data, int row) const
{
    return m_codec.decode(scramble(data, row));
}
