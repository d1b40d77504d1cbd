#include "platform/cp932.h"

#include <QList>

#include <bitset>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// An iconv descriptor; it carries shift state, so every use starts with reset().
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
    void reset() const { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_cd;
};

QString describe(char32_t ch)
{
    return QStringLiteral("'%1' (U+%2)")
        .arg(QString::fromUcs4(&ch, 1), QString::number(static_cast<uint>(ch), 16).toUpper().rightJustified(4, u'0'));
}

QString decodeWith(const Converter& cd, const QByteArray& bytes)
{
    if (!cd.valid()) {
        return QString(bytes.size(), QChar::ReplacementCharacter);
    }
    cd.reset();
    // Every byte or byte pair of code page 932 (and every bad byte) makes at
    // most one UTF-16 unit, so one buffer of the input's length holds it all
    // and iconv runs once over valid text: small output chunks make glibc
    // convert its internal buffer again and again.
    QString out(bytes.size(), Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = static_cast<size_t>(out.size()) * sizeof(char16_t);
    auto written = [&] { return static_cast<qsizetype>(outPtr - reinterpret_cast<char*>(out.data())) / 2; };
    while (inLeft > 0) {
        if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG || outLeft < sizeof(char16_t)) {
            // Not expected from code page 932; make room rather than lose text.
            const qsizetype done = written();
            out.resize(out.size() + static_cast<qsizetype>(inLeft) + 8);
            outPtr = reinterpret_cast<char*>(out.data()) + done * 2;
            outLeft = static_cast<size_t>(out.size() - done) * sizeof(char16_t);
            continue;
        }
        // Invalid or truncated sequence: replace one byte and go on.
        const char16_t replacement = QChar::ReplacementCharacter;
        std::memcpy(outPtr, &replacement, sizeof replacement);
        outPtr += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
        cd.reset();
    }
    out.truncate(written());
    return out;
}

// Converts with one descriptor; nullopt when the converter refuses some character.
std::optional<QByteArray> convertToCp932(const Converter& cd, const QString& text)
{
    cd.reset();
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

// The characters code page 932 writes and reads back as themselves: all that
// a valid byte sequence decodes to. Text made of these alone is encoded
// without decoding it back to check, which halves the cost of a save. Taken
// from the system's own converter, once, so it matches its tables; if the
// converter does not round-trip them all, the set stays empty and every
// text is checked.
class RoundTripSet {
public:
    static const RoundTripSet& instance()
    {
        static const RoundTripSet set;
        return set;
    }

    bool covers(const QString& text) const
    {
        for (const QChar ch : text) {
            if (!m_chars.test(ch.unicode())) {
                return false;
            }
        }
        return true;
    }

private:
    RoundTripSet()
    {
        // Every single byte and byte pair, each on its own line so that a bad
        // pair cannot swallow the lead byte of the next.
        QByteArray sequences;
        for (int b = 0; b < 0x100; ++b) {
            sequences.append(static_cast<char>(b));
            sequences.append('\n');
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead >= 0xA0 && lead < 0xE0) {
                continue;
            }
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                sequences.append(static_cast<char>(lead));
                sequences.append(static_cast<char>(trail));
                sequences.append('\n');
            }
        }
        const Converter toUtf16("UTF-16LE", "CP932");
        const Converter toCp932("CP932", "UTF-16LE");
        if (!toUtf16.valid() || !toCp932.valid()) {
            return;
        }
        std::bitset<0x10000> chars;
        QString distinct;
        for (const QChar ch : decodeWith(toUtf16, sequences)) {
            if (ch != QChar::ReplacementCharacter && !ch.isSurrogate() && !chars.test(ch.unicode())) {
                chars.set(ch.unicode());
                distinct.append(ch);
            }
        }
        const auto encoded = convertToCp932(toCp932, distinct);
        if (encoded && decodeWith(toUtf16, *encoded) == distinct) {
            m_chars = chars;
        }
    }

    std::bitset<0x10000> m_chars;
};

} // namespace

struct Cp932Codec::Converters {
    Converter toUtf16{"UTF-16LE", "CP932"};
    Converter toCp932{"CP932", "UTF-16LE"};
};

Cp932Codec::Cp932Codec() : m_converters(std::make_unique<Converters>()) {}
Cp932Codec::~Cp932Codec() = default;
Cp932Codec::Cp932Codec(const Cp932Codec&) : Cp932Codec() {}
Cp932Codec& Cp932Codec::operator=(const Cp932Codec&)
{
    return *this;
}

QString Cp932Codec::decode(const QByteArray& bytes) const
{
    return decodeWith(m_converters->toUtf16, bytes);
}

std::optional<QString> Cp932Codec::decodeExact(const QByteArray& bytes) const
{
    QString text = decode(bytes);
    if (text.contains(QChar::ReplacementCharacter) || !m_converters->toCp932.valid()) {
        return std::nullopt;
    }
    const auto back = convertToCp932(m_converters->toCp932, text);
    if (!back || *back != bytes) {
        return std::nullopt;
    }
    return text;
}

std::optional<QByteArray> Cp932Codec::encode(const QString& text, QString* error) const
{
    const Converter& cd = m_converters->toCp932;
    if (!cd.valid()) {
        if (error) {
            *error = QStringLiteral("code page 932 is not available on this system");
        }
        return std::nullopt;
    }
    if (RoundTripSet::instance().covers(text)) {
        if (auto whole = convertToCp932(cd, text)) {
            return whole;
        }
    }
    // The whole text at once; only a refusal needs the character-by-character search.
    if (auto whole = convertToCp932(cd, text); whole && decode(*whole) == text) {
        return whole;
    }
    for (char32_t ch : text.toUcs4()) {
        const QString piece = QString::fromUcs4(&ch, 1);
        const auto bytes = convertToCp932(cd, piece);
        // Refuse what the converter cannot write, and what it writes as a look-alike.
        if (!bytes || ch == 0xFFFD || decode(*bytes) != piece) {
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

QString decodeCp932(const QByteArray& bytes)
{
    return decodeWith(Converter("UTF-16LE", "CP932"), bytes);
}

std::optional<QByteArray> encodeCp932(const QString& text, QString* error)
{
    return Cp932Codec().encode(text, error);
}
