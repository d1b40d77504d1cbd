#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Code page 932 at the file boundaries. Decoding never fails: a byte sequence
// that is not code page 932 becomes U+FFFD. Encoding is strict: text that would
// not decode back to itself is refused, with the offending character named.
QString decodeCp932(const QByteArray& bytes);
std::optional<QByteArray> encodeCp932(const QString& text, QString* error = nullptr);
