#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// Code page 932 at the file boundaries. Decoding never fails: a byte sequence
// that is not code page 932 becomes U+FFFD. Encoding is strict: text that would
// not decode back to itself is refused, with the offending character named.
QString decodeCp932(const QByteArray& bytes);
std::optional<QByteArray> encodeCp932(const QString& text, QString* error = nullptr);

// The same conversions with their converters kept open, for callers that
// convert line after line (opening one costs more than converting a line).
// Each conversion starts from a clean state; one instance per thread.
class Cp932Codec {
public:
    Cp932Codec();
    ~Cp932Codec();
    Cp932Codec(const Cp932Codec&);            // opens its own converters
    Cp932Codec& operator=(const Cp932Codec&); // keeps its own converters

    QString decode(const QByteArray& bytes) const;
    std::optional<QByteArray> encode(const QString& text, QString* error = nullptr) const;
    // The text of bytes that encode() would give back byte for byte; nullopt
    // for bad bytes, or for a second spelling of a character (code page 932
    // has a few). Text that passes needs no converting back to be written.
    std::optional<QString> decodeExact(const QByteArray& bytes) const;

private:
    struct Converters;
    std::unique_ptr<Converters> m_converters;
};
