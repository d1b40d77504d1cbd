#include "build_command.h"

#include "own_set_maker.h"
#include "word_list.h"

#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/quiet_messages.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>

namespace {

void say(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage()
{
    std::fputs("usage:\n", stderr);
    std::fputs(kBuildUsage, stderr);
    return 2;
}

// Says every problem of the list, then how many and what came of it; true when there were none.
bool listIsClean(const WordList& list, const QString& path, const QString& outcome)
{
    for (const QString& problem : list.problems) {
        say(problem);
    }
    if (list.skippedProblems > 0) {
        say(QStringLiteral("%1: %2 more problem(s) not listed").arg(path).arg(list.skippedProblems));
    }
    const qsizetype count = list.problems.size() + list.skippedProblems;
    if (count > 0) {
        say(QStringLiteral("%1: %2 problem(s)%3").arg(path).arg(count).arg(outcome));
    }
    return count == 0;
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

QString summary(const OwnSetBuild& build, const WordList& list)
{
    std::size_t least = kMaxWords;
    std::size_t most = 0;
    std::size_t words = 0;
    for (const Pattern& pattern : build.patterns) {
        least = std::min(least, pattern.words.size());
        most = std::max(most, pattern.words.size());
        words += pattern.words.size();
    }
    return QStringLiteral("%1 patterns of %2 to %3 words (%4 on average) from %5 words, read as %6")
        .arg(build.patterns.size())
        .arg(least)
        .arg(most)
        .arg(static_cast<double>(words) / static_cast<double>(build.patterns.size()), 0, 'f', 1)
        .arg(list.bank.entries.size())
        .arg(list.encoding);
}

} // namespace

std::unique_ptr<QCoreApplication> makeDataToolApplication(int& argc, char** argv)
{
    const bool measures = (argc > 1 && qstrcmp(argv[1], "build") == 0)
        || std::any_of(argv + 1, argv + argc, [](const char* arg) { return qstrcmp(arg, "--words") == 0; });
    if (!measures) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    quietKnownChatter(); // no runtime folder is needed to measure text
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    installFontSubstitutions();
    return app;
}

int buildCommand(const QStringList& args)
{
    QString listPath;
    QString outPath;
    QString name;
    OwnSetOptions options;
    bool checkOnly = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((arg == QLatin1String("-o") || arg == QLatin1String("--out")) && hasValue) {
            outPath = args[++i];
        } else if (arg == QLatin1String("--name") && hasValue) {
            name = args[++i];
        } else if (arg == QLatin1String("--patterns") && hasValue) {
            bool ok = false;
            options.patterns = args[++i].toInt(&ok);
            if (!ok || options.patterns < 1 || options.patterns > kPlayedPatterns) {
                say(QStringLiteral("--patterns takes a number from 1 to %1, not %2").arg(kPlayedPatterns).arg(args[i]));
                return 2;
            }
        } else if (arg == QLatin1String("--seed") && hasValue) {
            if (!parseSeed(args[++i].toStdString(), options.seed)) {
                say(QStringLiteral("--seed takes a number from 0 to 4294967295, not %1").arg(args[i]));
                return 2;
            }
        } else if (arg == QLatin1String("--check")) {
            checkOnly = true;
        } else if (!arg.startsWith(u'-') && listPath.isEmpty()) {
            listPath = arg;
        } else {
            return usage();
        }
    }
    if (listPath.isEmpty() || outPath.isEmpty() == !checkOnly) {
        return usage();
    }
    options.name = name.isNull() ? QFileInfo(listPath).completeBaseName() : name;
    if (!checkOnly && sameFile(listPath, outPath)) {
        say(QStringLiteral("%1: the set would replace its own word list; name another file").arg(outPath));
        return 1;
    }
    const WordList list = readWordList(listPath);
    if (!listIsClean(list, listPath, QStringLiteral("; nothing written"))) {
        return 1;
    }
    if (const QString why = setNameProblem(options.name); !why.isEmpty()) {
        say(QStringLiteral("%1: %2; give one with --name").arg(listPath, why));
        return 1;
    }
    const OwnSetBuild build = buildOwnSet(list.bank, options);
    if (!build.ok()) {
        say(QStringLiteral("%1: %2; nothing written").arg(listPath, build.problem));
        return 1;
    }
    if (checkOnly) {
        std::printf("%s: ok, would make %s\n", listPath.toUtf8().constData(), summary(build, list).toUtf8().constData());
        return 0;
    }
    QString error;
    if (!atomicReplace(outPath, build.bytes, &error)) {
        say(QStringLiteral("%1: not written: %2").arg(outPath, error));
        return 1;
    }
    std::printf("%s: \"%s\", %s\n", outPath.toUtf8().constData(), options.name.toUtf8().constData(),
                summary(build, list).toUtf8().constData());
    return 0;
}

int checkAgainstWordList(const QString& setPath, const QStringList& setLines, const QString& listPath)
{
    const WordList list = readWordList(listPath);
    if (!listIsClean(list, listPath, QString())) {
        return 1;
    }
    const QStringList problems = ownSetProblems(setLines, list.bank);
    for (const QString& problem : problems) {
        say(QStringLiteral("%1: %2").arg(setPath, problem));
    }
    if (!problems.isEmpty()) {
        say(QStringLiteral("%1 problem(s) against %2").arg(problems.size()).arg(listPath));
        return 1;
    }
    return 0;
}
