#include "platform/cp932.h"

#include <QList>

#include <cerrno>
#include <iconv.h>

namespace {

// One converter per call: iconv descriptors carry shift state.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

QString describe(char32_t ch)
{
    return QStringLiteral("'%1' (U+%2)")
        .arg(QString::fromUcs4(&ch, 1), QString::number(static_cast<uint>(ch), 16).toUpper().rightJustified(4, u'0'));
}

} // namespace

QString decodeCp932(const QByteArray& bytes)
{
    Converter cd("UTF-16LE", "CP932");
    if (!cd.valid()) {
        return QString(bytes.size(), QChar::ReplacementCharacter);
    }
    QString out;
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char16_t buffer[256];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar*>(buffer),
                   static_cast<qsizetype>((sizeof buffer - outLeft) / sizeof(char16_t)));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            // Invalid or truncated sequence: replace one byte and go on.
            out.append(QChar::ReplacementCharacter);
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

namespace {

// Converts with one descriptor; nullopt when the converter refuses some character.
std::optional<QByteArray> convertToCp932(const Converter& cd, const QString& text)
{
    QByteArray out(text.size() * 2 + 8, Qt::Uninitialized);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
    size_t inLeft = static_cast<size_t>(text.size()) * sizeof(char16_t);
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

} // namespace

std::optional<QByteArray> encodeCp932(const QString& text, QString* error)
{
    Converter cd("CP932", "UTF-16LE");
    if (!cd.valid()) {
        if (error) {
            *error = QStringLiteral("code page 932 is not available on this system");
        }
        return std::nullopt;
    }
    // The whole text at once; only a refusal needs the character-by-character search.
    if (auto whole = convertToCp932(cd, text); whole && decodeCp932(*whole) == text) {
        return whole;
    }
    for (char32_t ch : text.toUcs4()) {
        const QString piece = QString::fromUcs4(&ch, 1);
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        const auto bytes = convertToCp932(cd, piece);
        // Refuse what the converter cannot write, and what it writes as a look-alike.
        if (!bytes || ch == 0xFFFD || decodeCp932(*bytes) != piece) {
            if (error) {
                *error = QStringLiteral("character %1 cannot be written in code page 932").arg(describe(ch));
            }
            return std::nullopt;
        }
    }
    if (error) {
        *error = QStringLiteral("the text cannot be written in code page 932");
    }
    return std::nullopt;
}
