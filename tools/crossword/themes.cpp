#include "themes.h"

#include "crossword.h"

#include <algorithm>
#include <set>

std::vector<std::string> parseThemes(std::string_view text, const Bank& bank, std::vector<Theme>& themes)
{
    std::vector<std::string> errors;
    themes.clear();
    std::set<std::string> bankTags;
    for (const BankEntry& entry : bank.entries) {
        bankTags.insert(entry.tag);
    }
    std::set<std::string> titles;
    for (const auto& [lineNumber, line] : textLines(text)) {
        if (line.front() == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const std::vector<std::string_view> fields = splitTabs(line);
        std::u32string title;
        if (!decodeUtf8(line, title)) {
            errors.push_back(where + "not valid UTF-8");
            continue;
        }
        decodeUtf8(fields[0], title);
        if (fields.size() < 2 || title.empty()) {
            errors.push_back(where + "expected a title and at least one tag, tab-separated");
            continue;
        }
        Theme theme{std::string(fields[0]), {}};
        if (static_cast<int>(title.size()) > kNameFits || theme.title.find('"') != std::string::npos) {
            errors.push_back(where + "title \"" + theme.title + "\" does not fit the name cell ("
                             + std::to_string(kNameFits) + " characters, no double quote)");
        }
        if (!titles.insert(theme.title).second) {
            errors.push_back(where + "title \"" + theme.title + "\" is listed twice");
        }
        for (std::size_t f = 1; f < fields.size(); ++f) {
            const std::string tag(fields[f]);
            if (!bankTags.count(tag)) {
                errors.push_back(where + "no bank entry has the tag \"" + tag + "\"");
            }
            theme.tags.push_back(tag);
        }
        themes.push_back(std::move(theme));
    }
    return errors;
}

std::vector<Theme> withTagThemes(const Bank& bank, std::vector<Theme> listed, const NameFits& nameFits)
{
    std::set<std::string> titles;
    for (const Theme& theme : listed) {
        titles.insert(theme.title);
    }
    for (const BankEntry& entry : bank.entries) {
        if (!entry.tag.empty() && nameFits(entry.tag) && titles.insert(entry.tag).second) {
            listed.push_back({entry.tag, {entry.tag}});
        }
    }
    return listed;
}
