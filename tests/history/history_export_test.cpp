#include "history/history_export.h"
#include "support/history_fakes.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

std::vector<PlayedGame> twoGames()
{
    PlayedGame single = singleGame(0, QDateTime(QDate(2026, 12, 9), QTime(12, 34, 56)), 15803);
    single.words = {wordPlay(0, QStringLiteral("あだな"), 1203, Taker::Player, 6),
                    wordPlay(1, QStringLiteral("い,\"ろ\""), 14600, Taker::Player, 9)};
    single.words[1].wrongEnters = 1;
    single.words[1].answerShown = true;
    PlayedGame battle = singleGame(2, QDateTime(QDate(2026, 12, 10), QTime(8, 0, 0)), 3000, false, Outcome::Aborted);
    battle.mode = GameMode::Battle;
    battle.rank = 0;
    battle.cpuLetters = 2;
    battle.words = {wordPlay(0, QStringLiteral("いぬ"), 2000, Taker::Cpu), wordPlay(1, QStringLiteral("ねこ"), 1000, Taker::Nobody)};
    return {single, battle};
}

} // namespace

TEST(HistoryExport, JsonHasTheDocumentedShape)
{
    const QJsonObject root = historyToJson(twoGames()).object();
    ASSERT_EQ(root.keys(), QStringList{QStringLiteral("games")});
    const QJsonArray games = root.value(QStringLiteral("games")).toArray();
    ASSERT_EQ(games.size(), 2);

    const QJsonObject single = games[0].toObject();
    EXPECT_EQ(single.keys(), (QStringList{"answer_shown", "completed", "cpu_letters", "id", "mode", "outcome", "pattern",
                                          "played_at", "player_letters", "questions", "raced_game", "rank", "set", "time_ms",
                                          "words"}));
    EXPECT_TRUE(single["raced_game"].isNull());
    EXPECT_EQ(single["played_at"].toString(), QStringLiteral("2026-12-09T12:34:56"));
    EXPECT_EQ(single["mode"].toString(), QStringLiteral("single"));
    EXPECT_TRUE(single["rank"].isNull());
    EXPECT_TRUE(single["questions"].toBool());
    EXPECT_FALSE(single["answer_shown"].toBool());
    EXPECT_TRUE(single["completed"].toBool());
    EXPECT_EQ(single["outcome"].toString(), QStringLiteral("completed"));
    EXPECT_EQ(single["time_ms"].toInteger(), 15803);
    const QJsonObject word = single["words"].toArray()[0].toObject();
    EXPECT_EQ(word.keys(), (QStringList{"answer", "keys", "ms", "slot", "taker", "wrong_enters"}));
    EXPECT_EQ(word["answer"].toString(), QStringLiteral("あだな"));
    EXPECT_EQ(word["ms"].toInteger(), 1203);
    EXPECT_EQ(word["taker"].toString(), QStringLiteral("player"));
    EXPECT_EQ(word["keys"].toInt(), 6);
    EXPECT_EQ(single["words"].toArray()[1].toObject()["wrong_enters"].toInt(), 1);

    const QJsonObject battle = games[1].toObject();
    EXPECT_EQ(battle["mode"].toString(), QStringLiteral("battle"));
    EXPECT_EQ(battle["rank"].toInt(-1), 0);
    EXPECT_FALSE(battle["completed"].toBool());
    EXPECT_EQ(battle["outcome"].toString(), QStringLiteral("aborted"));
    EXPECT_EQ(battle["cpu_letters"].toInt(), 2);
    EXPECT_EQ(battle["words"].toArray()[0].toObject()["taker"].toString(), QStringLiteral("cpu"));
    EXPECT_TRUE(battle["words"].toArray()[1].toObject()["taker"].isNull());

    PlayedGame race = twoGames()[0];
    race.mode = GameMode::Race;
    race.id = 12;
    race.racedGame = 7;
    const QJsonObject raced = historyToJson({race}).object()["games"].toArray()[0].toObject();
    EXPECT_EQ(raced["mode"].toString(), QStringLiteral("race"));
    EXPECT_EQ(raced["id"].toInteger(), 12);
    EXPECT_EQ(raced["raced_game"].toInteger(), 7);

    PlayedGame late = twoGames()[0];
    late.outcome = Outcome::TimedOut;
    EXPECT_EQ(historyToJson({late}).object()["games"].toArray()[0].toObject()["outcome"].toString(),
              QStringLiteral("timeout"));
}

TEST(HistoryExport, CsvHasOneQuotedLinePerWord)
{
    const QStringList lines = QString::fromUtf8(historyToCsv(twoGames())).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6) << "header, four words, and the empty rest after the last line end";
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("played_at,mode,pattern,rank,")));
    EXPECT_EQ(lines[1], QStringLiteral("2026-12-09T12:34:56,single,0,,true,false,completed,15803,0,0,"
                                       "0,あだな,1203,player,0,6,false,false,0,"));
    EXPECT_EQ(lines[2], QStringLiteral("2026-12-09T12:34:56,single,0,,true,false,completed,15803,0,0,"
                                       "1,\"い,\"\"ろ\"\"\",14600,player,1,9,false,true,0,"));
    EXPECT_EQ(lines[4], QStringLiteral("2026-12-10T08:00:00,battle,2,0,false,false,aborted,3000,0,2,"
                                       "1,ねこ,1000,,0,0,false,false,0,"));
    EXPECT_TRUE(lines[5].isEmpty());
}

TEST(HistoryExport, KeysGoOneLinePerKeyOrUnderTheirWord)
{
    std::vector<PlayedGame> games = twoGames();
    games[0].id = 7;
    KeyStroke comma;
    comma.ms = 40;
    comma.key = QStringLiteral(",");
    comma.kana = QStringLiteral("、");
    comma.missed = true;
    KeyStroke enter;
    enter.ms = 90;
    enter.key = QStringLiteral("Enter");
    games[0].words[1].strokes = {comma, enter};
    games[1].id = 8;
    KeyStroke committed;
    committed.ms = 500;
    committed.key = QStringLiteral("いぬ");
    committed.commit = true;
    games[1].words[0].strokes = {committed};
    games[1].words[0].inputMethod = true;

    const QString csv = QString::fromUtf8(keysToCsv(games));
    EXPECT_EQ(csv, QStringLiteral("game_id,word,ms,key,kana,missed,taker,input_method\r\n"
                                  "7,\"い,\"\"ろ\"\"\",40,\",\",、,true,player,false\r\n"
                                  "7,\"い,\"\"ろ\"\"\",90,Enter,,false,player,false\r\n"
                                  "8,いぬ,500,いぬ,,false,cpu,true\r\n"));

    const QJsonArray words = historyToJson(games, true).object()["games"].toArray()[0].toObject()["words"].toArray();
    EXPECT_TRUE(words[0].toObject()["strokes"].toArray().isEmpty());
    const QJsonObject second = words[1].toObject();
    EXPECT_FALSE(second["input_method"].toBool());
    const QJsonArray strokes = second["strokes"].toArray();
    ASSERT_EQ(strokes.size(), 2);
    EXPECT_EQ(strokes[0].toObject(), (QJsonObject{{"ms", 40}, {"key", ","}, {"kana", "、"}, {"missed", true}}));
    EXPECT_TRUE(strokes[1].toObject()["kana"].isNull());
    EXPECT_FALSE(historyToJson(games).object()["games"].toArray()[0].toObject()["words"].toArray()[1].toObject().contains(
        QStringLiteral("strokes")))
        << "without --keys the words are as before";
}
