#include "input/romaji_table.h"



namespace {

// Lower-case keys; the composer folds capitals. Doubled consonants (っ) and the
// lone n before a consonant (ん) are rules of the composer, not rows here.
constexpr RomajiRule kRules[] = {
    // The plain rows.
    {"a", u"あ"}, {"i", u"い"}, {"u", u"う"}, {"e", u"え"}, {"o", u"お"},
    {"yi", u"い"}, {"wu", u"う"}, {"whu", u"う"},
    {"ka", u"か"}, {"ki", u"き"}, {"ku", u"く"}, {"ke", u"け"}, {"ko", u"こ"},
    {"ca", u"か"}, {"cu", u"く"}, {"co", u"こ"}, {"qu", u"く"},
    {"sa", u"さ"}, {"si", u"し"}, {"shi", u"し"}, {"su", u"す"}, {"se", u"せ"}, {"so", u"そ"},
    {"ci", u"し"}, {"ce", u"せ"},
    {"ta", u"た"}, {"ti", u"ち"}, {"chi", u"ち"}, {"tu", u"つ"}, {"tsu", u"つ"}, {"te", u"て"}, {"to", u"と"},
    {"na", u"な"}, {"ni", u"に"}, {"nu", u"ぬ"}, {"ne", u"ね"}, {"no", u"の"},
    {"ha", u"は"}, {"hi", u"ひ"}, {"hu", u"ふ"}, {"fu", u"ふ"}, {"he", u"へ"}, {"ho", u"ほ"},
    {"ma", u"ま"}, {"mi", u"み"}, {"mu", u"む"}, {"me", u"め"}, {"mo", u"も"},
    {"ya", u"や"}, {"yu", u"ゆ"}, {"yo", u"よ"},
    {"ra", u"ら"}, {"ri", u"り"}, {"ru", u"る"}, {"re", u"れ"}, {"ro", u"ろ"},
    {"wa", u"わ"}, {"wo", u"を"}, {"wyi", u"ゐ"}, {"wye", u"ゑ"},
    {"nn", u"ん"}, {"n'", u"ん"}, {"xn", u"ん"},
    // Voiced and semi-voiced rows.
    {"ga", u"が"}, {"gi", u"ぎ"}, {"gu", u"ぐ"}, {"ge", u"げ"}, {"go", u"ご"},
    {"za", u"ざ"}, {"zi", u"じ"}, {"ji", u"じ"}, {"zu", u"ず"}, {"ze", u"ぜ"}, {"zo", u"ぞ"},
    {"da", u"だ"}, {"di", u"ぢ"}, {"du", u"づ"}, {"de", u"で"}, {"do", u"ど"},
    {"ba", u"ば"}, {"bi", u"び"}, {"bu", u"ぶ"}, {"be", u"べ"}, {"bo", u"ぼ"},
    {"pa", u"ぱ"}, {"pi", u"ぴ"}, {"pu", u"ぷ"}, {"pe", u"ぺ"}, {"po", u"ぽ"},
    {"vu", u"ゔ"}, {"va", u"ゔぁ"}, {"vi", u"ゔぃ"}, {"ve", u"ゔぇ"}, {"vo", u"ゔぉ"},
    {"vya", u"ゔゃ"}, {"vyi", u"ゔぃ"}, {"vyu", u"ゔゅ"}, {"vye", u"ゔぇ"}, {"vyo", u"ゔょ"},
    // Yōon.
    {"kya", u"きゃ"}, {"kyi", u"きぃ"}, {"kyu", u"きゅ"}, {"kye", u"きぇ"}, {"kyo", u"きょ"},
    {"gya", u"ぎゃ"}, {"gyi", u"ぎぃ"}, {"gyu", u"ぎゅ"}, {"gye", u"ぎぇ"}, {"gyo", u"ぎょ"},
    {"sha", u"しゃ"}, {"shu", u"しゅ"}, {"she", u"しぇ"}, {"sho", u"しょ"},
    {"sya", u"しゃ"}, {"syi", u"しぃ"}, {"syu", u"しゅ"}, {"sye", u"しぇ"}, {"syo", u"しょ"},
    {"ja", u"じゃ"}, {"ju", u"じゅ"}, {"je", u"じぇ"}, {"jo", u"じょ"},
    {"jya", u"じゃ"}, {"jyi", u"じぃ"}, {"jyu", u"じゅ"}, {"jye", u"じぇ"}, {"jyo", u"じょ"},
    {"zya", u"じゃ"}, {"zyi", u"じぃ"}, {"zyu", u"じゅ"}, {"zye", u"じぇ"}, {"zyo", u"じょ"},
    {"cha", u"ちゃ"}, {"chu", u"ちゅ"}, {"che", u"ちぇ"}, {"cho", u"ちょ"},
    {"cya", u"ちゃ"}, {"cyi", u"ちぃ"}, {"cyu", u"ちゅ"}, {"cye", u"ちぇ"}, {"cyo", u"ちょ"},
    {"tya", u"ちゃ"}, {"tyi", u"ちぃ"}, {"tyu", u"ちゅ"}, {"tye", u"ちぇ"}, {"tyo", u"ちょ"},
    {"dya", u"ぢゃ"}, {"dyi", u"ぢぃ"}, {"dyu", u"ぢゅ"}, {"dye", u"ぢぇ"}, {"dyo", u"ぢょ"},
    {"nya", u"にゃ"}, {"nyi", u"にぃ"}, {"nyu", u"にゅ"}, {"nye", u"にぇ"}, {"nyo", u"にょ"},
    {"hya", u"ひゃ"}, {"hyi", u"ひぃ"}, {"hyu", u"ひゅ"}, {"hye", u"ひぇ"}, {"hyo", u"ひょ"},
    {"bya", u"びゃ"}, {"byi", u"びぃ"}, {"byu", u"びゅ"}, {"bye", u"びぇ"}, {"byo", u"びょ"},
    {"pya", u"ぴゃ"}, {"pyi", u"ぴぃ"}, {"pyu", u"ぴゅ"}, {"pye", u"ぴぇ"}, {"pyo", u"ぴょ"},
    {"mya", u"みゃ"}, {"myi", u"みぃ"}, {"myu", u"みゅ"}, {"mye", u"みぇ"}, {"myo", u"みょ"},
    {"rya", u"りゃ"}, {"ryi", u"りぃ"}, {"ryu", u"りゅ"}, {"rye", u"りぇ"}, {"ryo", u"りょ"},
    // Sounds of loanwords.
    {"ye", u"いぇ"},
    {"tsa", u"つぁ"}, {"tsi", u"つぃ"}, {"tse", u"つぇ"}, {"tso", u"つぉ"},
    {"fa", u"ふぁ"}, {"fi", u"ふぃ"}, {"fe", u"ふぇ"}, {"fo", u"ふぉ"},
    {"fya", u"ふゃ"}, {"fyi", u"ふぃ"}, {"fyu", u"ふゅ"}, {"fye", u"ふぇ"}, {"fyo", u"ふょ"},
    {"fwa", u"ふぁ"}, {"fwi", u"ふぃ"}, {"fwu", u"ふぅ"}, {"fwe", u"ふぇ"}, {"fwo", u"ふぉ"},
    {"hwa", u"ふぁ"}, {"hwi", u"ふぃ"}, {"hwe", u"ふぇ"}, {"hwo", u"ふぉ"},
    {"tha", u"てゃ"}, {"thi", u"てぃ"}, {"thu", u"てゅ"}, {"the", u"てぇ"}, {"tho", u"てょ"},
    {"dha", u"でゃ"}, {"dhi", u"でぃ"}, {"dhu", u"でゅ"}, {"dhe", u"でぇ"}, {"dho", u"でょ"},
    {"twa", u"とぁ"}, {"twi", u"とぃ"}, {"twu", u"とぅ"}, {"twe", u"とぇ"}, {"two", u"とぉ"},
    {"dwa", u"どぁ"}, {"dwi", u"どぃ"}, {"dwu", u"どぅ"}, {"dwe", u"どぇ"}, {"dwo", u"どぉ"},
    {"wi", u"うぃ"}, {"we", u"うぇ"},
    {"wha", u"うぁ"}, {"whi", u"うぃ"}, {"whe", u"うぇ"}, {"who", u"うぉ"},
    {"kwa", u"くぁ"}, {"kwi", u"くぃ"}, {"kwu", u"くぅ"}, {"kwe", u"くぇ"}, {"kwo", u"くぉ"},
    {"qa", u"くぁ"}, {"qi", u"くぃ"}, {"qe", u"くぇ"}, {"qo", u"くぉ"},
    {"qwa", u"くぁ"}, {"qwi", u"くぃ"}, {"qwu", u"くぅ"}, {"qwe", u"くぇ"}, {"qwo", u"くぉ"},
    {"gwa", u"ぐぁ"}, {"gwi", u"ぐぃ"}, {"gwu", u"ぐぅ"}, {"gwe", u"ぐぇ"}, {"gwo", u"ぐぉ"},
    {"swa", u"すぁ"}, {"swi", u"すぃ"}, {"swu", u"すぅ"}, {"swe", u"すぇ"}, {"swo", u"すぉ"},
    {"zwa", u"ずぁ"}, {"zwi", u"ずぃ"}, {"zwu", u"ずぅ"}, {"zwe", u"ずぇ"}, {"zwo", u"ずぉ"},
    {"hwyu", u"ふゅ"},
    {"t'i", u"てぃ"}, {"t'u", u"とぅ"}, {"d'i", u"でぃ"}, {"d'u", u"どぅ"}, {"t'yu", u"てゅ"}, {"d'yu", u"でゅ"},
    // Small kana, with x and with l.
    {"xa", u"ぁ"}, {"xi", u"ぃ"}, {"xu", u"ぅ"}, {"xe", u"ぇ"}, {"xo", u"ぉ"},
    {"la", u"ぁ"}, {"li", u"ぃ"}, {"lu", u"ぅ"}, {"le", u"ぇ"}, {"lo", u"ぉ"},
    {"xyi", u"ぃ"}, {"xye", u"ぇ"}, {"lyi", u"ぃ"}, {"lye", u"ぇ"},
    {"xya", u"ゃ"}, {"xyu", u"ゅ"}, {"xyo", u"ょ"}, {"lya", u"ゃ"}, {"lyu", u"ゅ"}, {"lyo", u"ょ"},
    {"xtu", u"っ"}, {"ltu", u"っ"}, {"xtsu", u"っ"}, {"ltsu", u"っ"},
    {"xwa", u"ゎ"}, {"lwa", u"ゎ"},
    {"xka", u"ゕ"}, {"lka", u"ゕ"}, {"xke", u"ゖ"}, {"lke", u"ゖ"},
    // Punctuation as the input methods map it.
    {"-", u"ー"}, {",", u"、"}, {".", u"。"}, {"[", u"「"}, {"]", u"」"}, {"/", u"・"}, {"~", u"～"},
};

} // namespace

std::span<const RomajiRule> romajiRules()
{
    return kRules;
}

QString symbolKana(QChar c)
{
    // The input methods type other symbols and digits in full width.
    if (c.unicode() > 0x20 && c.unicode() < 0x7f) {
        return QString(QChar(c.unicode() + 0xfee0));
    }
    return QString(c);
}
