#pragma once

// Pattern names: each names a theme, a set of bank tags, and a pattern may
// carry it only when the theme covers at least half of its words.

#include <string>
#include <string_view>
#include <vector>

struct Bank;

struct Theme {
    std::string title;
    std::vector<std::string> tags;
};

// Reads theme lines (title, then its tags, tab-separated; blank lines and
// lines starting with # are skipped). Every problem names its line: a title
// too wide for the record screens, a title twice, a tag the bank lacks.
std::vector<std::string> parseThemes(std::string_view text, const Bank& bank, std::vector<Theme>& themes);

// The listed themes, then every tag of the bank as a theme of its own unless
// a listed theme already has that title.
std::vector<Theme> withTagThemes(const Bank& bank, std::vector<Theme> listed);
