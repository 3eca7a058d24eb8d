#include "app/Pages.h"

#include <array>

#include "app/ControlIds.h"
#include "cmdline/TrimCommand.h"

namespace trellimux {
namespace {

struct PageData {
  std::string_view title;
  int button;
  int lamp;
};

constexpr std::array<PageData, kPageCount> kPages = {{
    {" Information - About this application ", kInformationButton, kInformationLamp},
    {" Concat Files - With exact the same properties ( A/V-Codecs, Resolution, Aspect Ratio, "
     "FPS ... ) ",
     kConcatButton, kConcatLamp},
    {" Convert File - From one format / codec to another using the specified parameter ",
     kConvertButton, kConvertLamp},
    {" Trim File - Define multiple cuts and generate new file ", kTrimButton, kTrimLamp},
}};

}  // namespace

std::string_view PageTitle(Page page) { return kPages[static_cast<int>(page)].title; }

int PageButtonId(Page page) { return kPages[static_cast<int>(page)].button; }

int PageLampId(Page page) { return kPages[static_cast<int>(page)].lamp; }

std::optional<Page> PageOfButton(int controlId) {
  for (int page = 0; page < kPageCount; ++page) {
    if (kPages[page].button == controlId) return static_cast<Page>(page);
  }
  return std::nullopt;
}

bool TrimShowsParameterTable(bool trimExpertMode, std::optional<int> cutModeSelection) {
  return cutModeSelection && TrimReadsParameterTable(trimExpertMode, *cutModeSelection);
}

}  // namespace trellimux
