#include "own_set_maker.h"

#include "set_check.h"
#include "shipped_title.h"
#include "word_list.h"

#include "platform/random.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"

#include <QCryptographicHash>
#include <QtEndian>
#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>

namespace {

// Raw mt19937_64 output made into [0, 1) by hand: generate_canonical is not
// the same on every standard library, and a set must not depend on that.
class PortableRandom final : public Random {
public:
    explicit PortableRandom(quint64 seedValue) : m_engine(seedValue) {}
    void seed(quint64 value) override { m_engine.seed(value); }
    double next() override { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 m_engine;
};

// How many words of one script usually make a pattern: the learners' list's
// hiragana words cut down at random made one at 28 words nine times in ten,
// and always at 32.
constexpr int kWordsForOnePattern = 30;

QString tooFewWords(const Bank& bank, int minWords)
{
    std::map<Script, int> ofScript;
    for (const BankEntry& entry : bank.entries) {
        ++ofScript[answerScript(entry.answer)];
    }
    const auto largest = std::max_element(ofScript.begin(), ofScript.end(),
                                          [](const auto& a, const auto& b) { return a.second < b.second; });
    const int words = static_cast<int>(bank.entries.size());
    if (words < minWords) {
        return QStringLiteral("%1 word(s) make no pattern: a pattern holds at least %2 crossing words; add at least %3 more")
            .arg(words)
            .arg(minWords)
            .arg(minWords - words);
    }
    const int more = std::max(minWords - largest->second, kWordsForOnePattern - largest->second);
    return QStringLiteral("the %1 words make no pattern of %2 crossing words. A grid holds one script, and the largest "
                          "here (%3) has %4 words; about %5 of one script usually make a pattern: add about %6 more "
                          "(short words of common kana cross best)")
        .arg(words)
        .arg(minWords)
        .arg(QString::fromLatin1(scriptName(largest->first)))
        .arg(largest->second)
        .arg(kWordsForOnePattern)
        .arg(more);
}

// The word file of the builder's patterns, lines without their ends.
QStringList patternLines(const Bank& bank, const std::vector<Pattern>& patterns)
{
    return textToLines(QString::fromStdString(formatWordFile(bank, patterns)));
}

quint64 seedFromLines(const QStringList& lines)
{
    const QByteArray hash = QCryptographicHash::hash(linesToUtf8Text(lines), QCryptographicHash::Sha256);
    return qFromLittleEndian<quint64>(hash.constData());
}

} // namespace

QString setNameProblem(const QString& name)
{
    if (name.trimmed().isEmpty()) {
        return QStringLiteral("the set needs a name");
    }
    if (name != name.trimmed()) {
        return QStringLiteral("the set's name begins or ends with a space");
    }
    if (name.contains(u'"')) {
        return QStringLiteral("the set's name holds a double quote, which a set cannot store");
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return QStringLiteral("the set's name holds a control character");
        }
    }
    QString why;
    if (!encodeCp932(name, &why)) {
        return QStringLiteral("the set's name holds a %1").arg(why);
    }
    return QString();
}

QStringList titlePatternLines(const QString& setName)
{
    QStringList lines;
    for (const char* line : kShippedTitleLines) {
        lines.append(QString::fromUtf8(line));
    }
    // 99,1,LAST,0,0,"name","": the header keeps its numbers and takes the set's name.
    QString& header = lines.first();
    qsizetype at = 0;
    for (int comma = 0; comma < 5; ++comma) {
        at = header.indexOf(u',', at) + 1;
    }
    header = header.left(at) + QLatin1Char('"') + setName + QStringLiteral("\",\"\"");
    return lines;
}

OwnSetBuild buildOwnSet(const Bank& bank, const OwnSetOptions& options)
{
    OwnSetBuild build;
    build.problem = setNameProblem(options.name);
    if (!build.ok()) {
        return build;
    }
    if (options.patterns < 1) {
        build.problem = QStringLiteral("a set has at least one pattern");
        return build;
    }
    BuildOptions building;
    building.seed = options.seed;
    // An attempt weighs every word that could cross the grid, so a long list
    // takes longer per attempt and needs fewer to fill a grid: 5,000 words
    // would otherwise take a minute.
    const int words = static_cast<int>(bank.entries.size());
    building.attemptsPerPattern = std::clamp(160'000 / std::max(1, words), 40, building.attemptsPerPattern);
    building.patterns = options.patterns;
    building.minWords = kOwnSetMinWords;
    building.nameFits = ownSetNameFits;
    building.setName = options.name.toStdString();
    try {
        build.patterns = bank.entries.empty() ? std::vector<Pattern>{} : buildPatterns(bank, building);
    } catch (const std::runtime_error& error) {
        build.problem = QString::fromStdString(error.what());
        return build;
    }
    if (build.patterns.empty()) {
        build.problem = tooFewWords(bank, kOwnSetMinWords);
        return build;
    }
    build.lines = patternLines(bank, build.patterns) + titlePatternLines(options.name);
    PortableRandom random(seedFromLines(build.lines));
    GsxSeq seq(random);
    QString error;
    const std::optional<QByteArray> bytes = packData(seq, build.lines, &error);
    if (!bytes) {
        build.problem = error;
        return build;
    }
    build.bytes = *bytes;
    return build;
}

QStringList ownSetProblems(const QStringList& lines, const Bank& bank)
{
    QStringList problems;
    auto set = std::make_unique<PuzzleSet>();
    ReadWordFile(lines, *set);
    const QString name = set->PatternName[PuzzleSet::kTitlePattern];
    if (const QString why = setNameProblem(name); !why.isEmpty()) {
        problems.append(QStringLiteral("pattern %1: %2").arg(PuzzleSet::kTitlePattern).arg(why));
    }
    QStringList title;
    const QString titlePrefix = QString::number(PuzzleSet::kTitlePattern) + u',';
    for (const QString& line : lines) {
        if (line.startsWith(titlePrefix)) {
            title.append(line);
        }
    }
    if (title != titlePatternLines(name)) {
        problems.append(QStringLiteral("pattern %1: not the game's title pattern").arg(PuzzleSet::kTitlePattern));
    }
    SetRules rules;
    rules.minWords = kOwnSetMinWords;
    rules.nameFits = ownSetNameFits;
    // An empty name is told above; the rules still need a set of one's own.
    rules.setName = name.isEmpty() ? std::string("?") : name.toStdString();
    for (const std::string& problem : wordFileProblems(bank, {}, linesToUtf8Text(lines).toStdString(), rules)) {
        problems.append(QString::fromStdString(problem));
    }
    return problems;
}
