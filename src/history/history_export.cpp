#include "history/history_export.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

namespace {

QJsonValue orNull(const QString& text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

// RFC 4180: a field with a comma, quote or line break is quoted, quotes doubled.
QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString flag(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

QJsonArray strokesToJson(const std::vector<KeyStroke>& strokes)
{
    QJsonArray list;
    for (const KeyStroke& stroke : strokes) {
        list.append(QJsonObject{
            {QStringLiteral("ms"), double(stroke.ms)},
            {QStringLiteral("key"), stroke.key},
            {QStringLiteral("kana"), orNull(stroke.kana)},
            {QStringLiteral("missed"), stroke.missed},
        });
    }
    return list;
}

} // namespace

QJsonDocument historyToJson(const std::vector<PlayedGame>& games, bool keys)
{
    QJsonArray list;
    for (const PlayedGame& game : games) {
        QJsonArray words;
        for (const WordPlay& word : game.words) {
            QJsonObject fields{
                {QStringLiteral("slot"), word.slot},
                {QStringLiteral("answer"), word.answer},
                {QStringLiteral("ms"), double(word.ms)},
                {QStringLiteral("taker"), orNull(takerName(word.taker))},
                {QStringLiteral("wrong_enters"), word.wrongEnters},
                {QStringLiteral("keys"), word.keys},
            };
            if (keys) {
                fields.insert(QStringLiteral("input_method"), word.inputMethod);
                fields.insert(QStringLiteral("strokes"), strokesToJson(word.strokes));
            }
            words.append(fields);
        }
        list.append(QJsonObject{
            {QStringLiteral("id"), double(game.id)},
            {QStringLiteral("set"), orNull(game.setId)},
            {QStringLiteral("raced_game"), game.racedGame ? QJsonValue(double(*game.racedGame)) : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("played_at"), playedAtText(game.playedAt)},
            {QStringLiteral("mode"), modeName(game.mode)},
            {QStringLiteral("pattern"), game.pattern},
            {QStringLiteral("rank"), game.rank ? QJsonValue(*game.rank) : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("questions"), game.questions},
            {QStringLiteral("answer_shown"), game.answerShown},
            {QStringLiteral("completed"), game.completed()},
            {QStringLiteral("outcome"), outcomeName(game.outcome)},
            {QStringLiteral("time_ms"), double(game.timeMs)},
            {QStringLiteral("player_letters"), game.playerLetters},
            {QStringLiteral("cpu_letters"), game.cpuLetters},
            {QStringLiteral("words"), words},
        });
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("games"), list}});
}

QByteArray historyToCsv(const std::vector<PlayedGame>& games)
{
    QStringList lines{QStringLiteral("played_at,mode,pattern,rank,questions,answer_shown,outcome,time_ms,"
                                     "player_letters,cpu_letters,slot,answer,ms,taker,wrong_enters,keys,"
                                     "question_shown_on_word,answer_shown_on_word,game_id,raced_game")};
    for (const PlayedGame& game : games) {
        const QString gameFields = QStringList{
            playedAtText(game.playedAt),
            modeName(game.mode),
            QString::number(game.pattern),
            game.rank ? QString::number(*game.rank) : QString(),
            flag(game.questions),
            flag(game.answerShown),
            outcomeName(game.outcome),
            QString::number(game.timeMs),
            QString::number(game.playerLetters),
            QString::number(game.cpuLetters),
        }.join(u',');
        for (const WordPlay& word : game.words) {
            lines.append(gameFields + u',' +
                         QStringList{
                             QString::number(word.slot),
                             csvField(word.answer),
                             QString::number(word.ms),
                             takerName(word.taker),
                             QString::number(word.wrongEnters),
                             QString::number(word.keys),
                             flag(word.questionShown),
                             flag(word.answerShown),
                             QString::number(game.id),
                             game.racedGame ? QString::number(*game.racedGame) : QString(),
                         }.join(u','));
        }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QByteArray keysToCsv(const std::vector<PlayedGame>& games)
{
    QStringList lines{QStringLiteral("game_id,word,ms,key,kana,missed,taker,input_method")};
    for (const PlayedGame& game : games) {
        for (const WordPlay& word : game.words) {
            for (const KeyStroke& stroke : word.strokes) {
                lines.append(QStringList{
                    QString::number(game.id),
                    csvField(word.answer),
                    QString::number(stroke.ms),
                    csvField(stroke.key),
                    csvField(stroke.kana),
                    flag(stroke.missed),
                    takerName(word.taker),
                    flag(word.inputMethod),
                }.join(u','));
            }
        }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}
