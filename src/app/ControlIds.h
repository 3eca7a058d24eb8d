// The identifiers of the main window's controls, grouped by page.
#pragma once

namespace trellimux {

enum ControlId : int {
  // Common to every page.
  kTitleLine = 0x1000,
  kDownloadButton = 0x1010,
  kPageFrame = 0x1020,
  kInformationLamp = 0x2100,
  kConcatLamp = 0x2110,
  kConvertLamp = 0x2120,
  kTrimLamp = 0x2130,
  kInformationButton = 0x2200,
  kConcatButton = 0x2210,
  kConvertButton = 0x2220,
  kTrimButton = 0x2230,
  kProgressFrame = 0x2700,
  kProgressBar = 0x2800,
  kShowLogButton = 0x2805,
  kCancelJobButton = 0x2810,
  kStartButton = 0x2900,

  // Information page.
  kAboutBox = 0x2500,

  // Concat page.
  kConcatInputList = 0x3010,
  kConcatPlayButton = 0x3020,
  kConcatResetButton = 0x3030,
  kConcatRemoveButton = 0x3040,
  kConcatAddButton = 0x3050,
  kConcatUpButton = 0x3060,
  kConcatDownButton = 0x3070,
  kConcatOutputBox = 0x3100,
  kConcatPlayOutputButton = 0x3105,
  kConcatOutputButton = 0x3110,
  kConcatExpertLamp = 0x3150,
  kConcatExpertButton = 0x3160,
  kConcatContainerList = 0x3215,
  kConcatStreamSelectionList = 0x3216,
  kConcatSubtitleList = 0x3217,
  kConcatDataList = 0x3218,
  kConcatModeList = 0x3219,
  kConcatEditLamp = 0x3220,
  kConcatEditButton = 0x3230,
  kConcatCommandBox = 0x3500,

  // Convert page.
  kConvertInputBox = 0x4010,
  kConvertPlayInputButton = 0x4020,
  kConvertInputButton = 0x4030,
  kConvertSourceTable = 0x4050,
  kConvertOutputBox = 0x4100,
  kConvertPlayOutputButton = 0x4105,
  kConvertOutputButton = 0x4110,
  kConvertParameterTable = 0x4150,
  kFirstEasyList = 0x4221,      // first row 0x4221..0x4229, 0x4230
  kSecondRowEasyList = 0x4231,  // second row 0x4231..0x4239, 0x4240
  kConvertContainerList = 0x4270,
  kConvertStartTime = 0x4275,
  kConvertEndTime = 0x4276,
  kConvertEditLamp = 0x4280,
  kConvertEditButton = 0x4285,
  kConvertExpertLamp = 0x4288,
  kConvertExpertButton = 0x4290,
  kConvertCommandBox = 0x4500,

  // Trim page.
  kTrimInputBox = 0x5010,
  kTrimPlayInputButton = 0x5020,
  kTrimInputButton = 0x5030,
  kTrimOutputBox = 0x5100,
  kTrimPlayOutputButton = 0x5105,
  kTrimOutputButton = 0x5110,
  kTrimSourceTable = 0x5150,
  kTrimParameterTable = 0x5152,
  // The cut list shares 0x5150 with the source table in the design; controls
  // are looked up by identifier here, so it has one of its own.
  kCutList = 0x5155,
  kCutPlayButton = 0x5159,
  kCutResetButton = 0x5160,
  kCutRemoveButton = 0x5170,
  kCutUpButton = 0x5180,
  kCutDownButton = 0x5190,
  kCutAddButton = 0x5192,
  kCutModifyButton = 0x5200,
  kCutInTime = 0x5210,
  kCutOutTime = 0x5250,
  kCutClearTimesButton = 0x5260,
  kCutInMilliseconds = 0x145F,
  kCutInSpinner = 0x1464,
  kCutOutMilliseconds = 0x1487,
  kCutOutSpinner = 0x148C,
  kTrimContainerList = 0x5270,
  kTrimCutModeList = 0x5272,
  kTrimConcatModeList = 0x5274,
  kTrimEditLamp = 0x5280,
  kTrimEditButton = 0x5285,
  kTrimExpertLamp = 0x5288,
  kTrimExpertButton = 0x5290,
  kTrimCommandBox = 0x5500,
  kTrimPlaceholder = 0x5600,
  kTrimTrackbar = 0x5700,

  kInPlaceEditor = 0x1111,
};

// The easy-mode list in row 0 or 1 and column 0..9: the identifiers read like
// decimals, so column 9 of the first row is 0x4230, not 0x422A.
constexpr int EasyListId(int row, int column) {
  const int first = row == 0 ? kFirstEasyList : kSecondRowEasyList;
  return column < 9 ? first + column : first + 0xF;
}

// The easy-mode slot (row * 10 + column) of a list identifier, or -1.
constexpr int EasySlotOfId(int id) {
  for (int slot = 0; slot < 20; ++slot)
    if (EasyListId(slot / 10, slot % 10) == id) return slot;
  return -1;
}

}  // namespace trellimux
