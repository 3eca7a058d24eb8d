// The four pages of the main window, their titles, lamps and buttons, and
// the rule that picks the visible stream table of the Trim page.
#pragma once

#include <optional>
#include <string_view>

namespace trellimux {

enum class Page { Information = 0, Concat = 1, Convert = 2, Trim = 3 };
inline constexpr int kPageCount = 4;

// The page frame's caption while the page is shown.
std::string_view PageTitle(Page page);

int PageButtonId(Page page);
int PageLampId(Page page);
std::optional<Page> PageOfButton(int controlId);

// The Trim page shows its parameter table instead of its source table only in
// expert mode with "Reencode" (item 1) chosen as the cut mode.
bool TrimShowsParameterTable(bool trimExpertMode, std::optional<int> cutModeSelection);

}  // namespace trellimux
