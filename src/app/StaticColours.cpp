#include "app/StaticColours.h"

#include "app/ControlIds.h"

namespace trellimux {
namespace {

struct Entry {
  int id;
  StaticColours colours;
};

constexpr StaticColours kOnTitle{kBlack, TextureBrush::Title};
constexpr StaticColours kLamp{kWhite, TextureBrush::Background};
constexpr StaticColours kOnPanel{kBlack, TextureBrush::Panel};

constexpr Entry kEntries[] = {
    {kTitleLine, kOnTitle},

    {kInformationLamp, kLamp},    {kConcatLamp, kLamp},        {kConvertLamp, kLamp},
    {kTrimLamp, kLamp},           {kConcatExpertLamp, kLamp},  {kConcatEditLamp, kLamp},
    {kConvertEditLamp, kLamp},    {kConvertExpertLamp, kLamp}, {kTrimEditLamp, kLamp},
    {kTrimExpertLamp, kLamp},

    {kProgressFrame, kOnPanel},   {kPageFrame, kOnPanel},      {kAboutBox, kOnPanel},
    {kTrimPlaceholder, kOnPanel},
};

}  // namespace

std::optional<StaticColours> StaticColoursOf(int controlId) {
  for (const Entry& entry : kEntries) {
    if (entry.id == controlId) return entry.colours;
  }
  return std::nullopt;
}

}  // namespace trellimux
