#include "word_list.h"

#include "clue_rules.h"

#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "store/line_file.h"
#include "view/question_layout.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QStringDecoder>
#include <algorithm>
#include <map>

namespace {

// A problem of the whole file, or of one line of it.
class Problems {
public:
    Problems(WordList& list, const QString& path) : m_list(list), m_path(path) {}

    void file(const QString& what) { add(QStringLiteral("%1: %2").arg(m_path, what)); }
    void line(int number, const QString& what) { add(QStringLiteral("%1:%2: %3").arg(m_path).arg(number).arg(what)); }

private:
    void add(const QString& text)
    {
        if (m_list.problems.size() < kMostListedProblems) {
            m_list.problems.append(text);
        } else {
            ++m_list.skippedProblems;
        }
    }

    WordList& m_list;
    QString m_path;
};

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool isControl(char32_t c)
{
    return c < 0x20 || c == 0x7F;
}

// A character for a person: as it looks and its code point, a control
// character by its code point alone.
QString describe(char32_t c)
{
    const QString code = QStringLiteral("U+") + QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0');
    return isControl(c) ? code : QStringLiteral("\"%1\" (%2)").arg(QString::fromUcs4(&c, 1), code);
}

// The lines of the raw file, split at LF, without their CR.
QList<QByteArray> rawLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    return lines;
}

bool validUtf8(const QByteArray& line)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(line);
    return !decoder.hasError();
}

bool plainAscii(const QByteArray& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text of the file, or none when it is no text (and then why, said).
std::optional<QString> decodeList(const QByteArray& bytes, WordList& list, Problems& problems)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // A spreadsheet's "Unicode text" is UTF-16 with its byte-order mark.
        const bool little = bytes.startsWith("\xFF\xFE");
        QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString text = decoder(bytes.mid(2));
        if (decoder.hasError() || !text.isValidUtf16() || text.contains(QChar::ReplacementCharacter)
            || text.contains(QChar(0))) {
            problems.file(QStringLiteral("not a text file: it begins as UTF-16 but does not read as it"));
            return std::nullopt;
        }
        list.encoding = QStringLiteral("UTF-16");
        return text;
    }
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    const QList<QByteArray> lines = rawLines(body);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains('\0')) {
            problems.line(static_cast<int>(i + 1), QStringLiteral("not a text file: the line holds NUL bytes"));
            return std::nullopt;
        }
    }
    // Lines of Japanese in UTF-8 against lines that are not UTF-8: code page
    // 932 text is hardly ever valid UTF-8, a UTF-8 list with a stray byte
    // mostly is, and should be mended rather than read as another code.
    int utf8Lines = 0;
    int otherLines = 0;
    qsizetype firstOther = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (plainAscii(lines[i])) {
            continue;
        }
        if (validUtf8(lines[i])) {
            ++utf8Lines;
        } else {
            ++otherLines;
            firstOther = firstOther < 0 ? i : firstOther;
        }
    }
    if (otherLines == 0) {
        list.encoding = QStringLiteral("UTF-8");
        return QString::fromUtf8(body);
    }
    if (utf8Lines > otherLines || bytes.startsWith("\xEF\xBB\xBF")) {
        problems.line(static_cast<int>(firstOther + 1),
                      QStringLiteral("not valid UTF-8, though %1 other line(s) are: save the list again as UTF-8")
                          .arg(utf8Lines));
        return std::nullopt;
    }
    const Cp932Codec codec;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (codec.decode(lines[i]).contains(QChar::ReplacementCharacter)) {
            problems.line(static_cast<int>(i + 1),
                          QStringLiteral("not a text file: the line is neither UTF-8 nor code page 932 (Shift_JIS)"));
            return std::nullopt;
        }
    }
    list.encoding = QStringLiteral("CP932");
    return codec.decode(body);
}

// A field as a spreadsheet quotes it: "…" with "" for a quote inside.
QString unquoted(const QString& field)
{
    const QString text = field.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) {
        return text.mid(1, text.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\"")).trimmed();
    }
    return text;
}

bool isKanaLetter(char32_t c)
{
    return (c >= U'ぁ' && c <= U'ゖ') || (c >= U'ァ' && c <= U'ヺ') || c == U'ー';
}

bool isAsciiLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

QStringList answerProblems(const std::u32string& answer, const QString& text)
{
    QStringList problems;
    if (answer.size() > static_cast<std::size_t>(kBoardSide)) {
        problems.append(QStringLiteral("the answer %1 has %2 characters; at most %3 fit the board")
                            .arg(quoted(text))
                            .arg(answer.size())
                            .arg(kBoardSide));
    } else if (answer.size() < 2) {
        problems.append(QStringLiteral("the answer %1 has one character; a word of the board has two or more").arg(quoted(text)));
    }
    const auto kanji = std::find_if(answer.begin(), answer.end(), isKanji);
    const auto other = std::find_if(answer.begin(), answer.end(),
                                    [](char32_t c) { return !isKanaLetter(c) && !isAsciiLetter(c); });
    if (kanji != answer.end()) {
        problems.append(QStringLiteral("the answer %1 holds the kanji %2: write the answer in kana, and the usual "
                                       "written form in the fourth column")
                            .arg(quoted(text), describe(*kanji)));
    } else if (other != answer.end()) {
        problems.append(QStringLiteral("the answer %1 holds %2, which is neither kana nor a letter A to Z")
                            .arg(quoted(text), describe(*other)));
    } else if (answerScript(answer) == Script::Mixed) {
        problems.append(QStringLiteral("the answer %1 mixes hiragana, katakana or letters: a grid holds one script, "
                                       "so write the word in one")
                            .arg(quoted(text)));
    }
    return problems;
}

// A text the set stores: in code page 932, without the double quote that
// ends a field of the word file or a character that breaks a line.
QString unstorable(const QString& text)
{
    if (text.contains(u'"')) {
        return QStringLiteral("a double quote, which a set cannot store: use ' or 「」 instead");
    }
    for (const char32_t c : text.toUcs4()) {
        if (isControl(c)) {
            return QStringLiteral("the control character %1").arg(describe(c));
        }
    }
    if (encodeCp932(text)) {
        return QString();
    }
    const Cp932Codec codec;
    for (const char32_t c : text.toUcs4()) {
        if (!codec.encode(QString::fromUcs4(&c, 1))) {
            return QStringLiteral("%1, which a set cannot store: code page 932 has no such character").arg(describe(c));
        }
    }
    return QStringLiteral("text that code page 932 cannot hold");
}

QString widthProblem(const QString& clue)
{
    const QuestionLayout layout = layoutQuestion(clue);
    if (layout.fits()) {
        return QString();
    }
    if (layout.linesNeeded > kQuestionLines) {
        return QStringLiteral("the clue needs %1 lines of the question box, %2 fit: about %3 characters too long")
            .arg(layout.linesNeeded)
            .arg(kQuestionLines)
            .arg(layout.overflowChars);
    }
    return QStringLiteral("a line of the clue is %1 px too wide for the question box").arg(layout.widestPx - layout.width);
}

} // namespace

bool ownSetNameFits(const std::string& name)
{
    // The caption of the main screen, where a played pattern's name shows.
    static const QFontMetrics metrics(windowsFont(kPGothic, 11.25, true));
    static const int room = metrics.horizontalAdvance(QString(kNameFits, QChar(0x56FD))); // 国
    return metrics.horizontalAdvance(QString::fromStdString(name)) <= room;
}

WordList parseWordList(const QByteArray& bytes, const QString& shownPath)
{
    WordList list;
    Problems problems(list, shownPath);
    const std::optional<QString> text = decodeList(bytes, list, problems);
    if (!text) {
        return list;
    }
    std::map<std::u32string, int> lineOfAnswer; // folded, so that ねこ and ネコ are one word
    const QStringList lines = textToLines(*text);
    const auto isWord = [](const QString& line) { return !line.trimmed().isEmpty() && !line.startsWith(u'#'); };
    if (const auto words = std::count_if(lines.begin(), lines.end(), isWord); words > kMostWords) {
        problems.file(QStringLiteral("%1 words; a set is made from %2 at most: split the list").arg(words).arg(kMostWords));
        return list;
    }
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const int number = static_cast<int>(index + 1);
        const QString& line = lines[index];
        if (!isWord(line)) {
            continue;
        }
        QStringList fields = line.split(u'\t');
        for (QString& field : fields) {
            field = unquoted(field);
        }
        // A spreadsheet pads short rows with empty columns.
        while (fields.size() > 2 && fields.last().isEmpty()) {
            fields.removeLast();
        }
        const auto say = [&](const QString& what) { problems.line(number, what); };
        if (fields.size() > 4) {
            say(QStringLiteral("%1 columns; a word list has four at most: answer, clue, tag, written form").arg(fields.size()));
            continue;
        }
        if (fields.size() == 1) {
            say(line.contains(u',') ? QStringLiteral("no tab: the columns of a word list are separated by tabs, not commas")
                                    : QStringLiteral("no clue: a tab must follow the answer, then the clue"));
            continue;
        }
        const QString& answerText = fields[0];
        const QString& clueText = fields[1];
        const QString tagText = fields.value(2);
        const QString writtenText = fields.value(3);
        const qsizetype before = list.problems.size() + list.skippedProblems;
        if (answerText.isEmpty()) {
            say(QStringLiteral("the answer is empty"));
        }
        if (clueText.isEmpty()) {
            say(QStringLiteral("the clue is empty"));
        }
        if (answerText.isEmpty() || clueText.isEmpty()) {
            continue;
        }
        BankEntry entry;
        entry.answer = answerText.toStdU32String();
        entry.answerText = answerText.toStdString();
        entry.clue = clueText.toStdU32String();
        entry.question = clueText.toStdString();
        entry.tag = tagText.toStdString();
        // Without a written form the answer stands for it, which no rule reads as more.
        entry.written = writtenText.isEmpty() ? entry.answer : writtenText.toStdU32String();
        entry.line = number;
        deriveEntry(entry);

        const QStringList wrongAnswer = answerProblems(entry.answer, answerText);
        for (const QString& problem : wrongAnswer) {
            say(problem);
        }
        if (const QString why = unstorable(answerText); wrongAnswer.isEmpty() && !why.isEmpty()) {
            say(QStringLiteral("the answer holds ") + why);
        }
        if (const QString why = unstorable(clueText); !why.isEmpty()) {
            say(QStringLiteral("the clue holds ") + why);
        } else if (const QString wide = widthProblem(clueText); !wide.isEmpty()) {
            say(wide);
        }
        for (const std::string& giveaway : answerGiveaways(entry)) {
            say(QString::fromStdString(giveaway).replace(QStringLiteral("the question"), QStringLiteral("the clue")));
        }
        if (!tagText.isEmpty()) {
            if (const QString why = unstorable(tagText); !why.isEmpty()) {
                say(QStringLiteral("the tag holds ") + why);
            } else if (!ownSetNameFits(entry.tag)) {
                say(QStringLiteral("the tag %1 is too wide to name a pattern: shorten it").arg(quoted(tagText)));
            }
        }
        if (const auto [earlier, fresh] = lineOfAnswer.emplace(entry.kana, number); !fresh) {
            say(QStringLiteral("the answer %1 is already on line %2").arg(quoted(answerText)).arg(earlier->second));
        }
        if (list.problems.size() + list.skippedProblems == before) {
            list.bank.entries.push_back(std::move(entry));
        }
    }
    if (list.problems.isEmpty() && list.bank.entries.empty()) {
        problems.file(QStringLiteral("no words in it: each line holds an answer and its clue, separated by a tab"));
    }
    return list;
}

WordList readWordList(const QString& path)
{
    WordList list;
    Problems problems(list, path);
    if (!QFileInfo::exists(path)) {
        problems.file(QStringLiteral("no such file"));
        return list;
    }
    bool ok = false;
    bool cut = false;
    QString error;
    const QByteArray bytes = readWholeFile(path, &ok, &error, kMostWordListBytes, &cut);
    if (!ok) {
        problems.file(QStringLiteral("cannot read: ") + error);
        return list;
    }
    if (cut) {
        problems.file(QStringLiteral("larger than %1 MiB, which no word list is").arg(kMostWordListBytes >> 20));
        return list;
    }
    return parseWordList(bytes, path);
}
