#pragma once

// Pattern names: each names a theme, a set of bank tags, and a pattern may
// carry it only when the theme covers at least half of its words.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct Bank;

// Whether a pattern name fits where the screens show it. The shipped set
// counts characters (all of them full width): at most kNameFits. A set of
// one's own may measure its names in the screens' font instead.
using NameFits = std::function<bool(const std::string& name)>;
bool fitsNameCell(const std::string& name);

struct Theme {
    std::string title;
    std::vector<std::string> tags;
};

// Reads theme lines (title, then its tags, tab-separated; blank lines and
// lines starting with # are skipped). Every problem names its line: a title
// too wide for the record screens, a title twice, a tag the bank lacks.
std::vector<std::string> parseThemes(std::string_view text, const Bank& bank, std::vector<Theme>& themes);

// The listed themes, then every tag of the bank that fits as a name as a
// theme of its own, unless a listed theme already has that title.
std::vector<Theme> withTagThemes(const Bank& bank, std::vector<Theme> listed, const NameFits& nameFits = fitsNameCell);
