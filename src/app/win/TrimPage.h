// The Trim page: its cut list, its three choices (container, cut mode,
// concat mode) with the easy and expert views, and the command text they
// make, shown in the command box.
#pragma once

#include <string>

#include "cmdline/SmartCopyCommand.h"
#include "trim/KeyframeSearch.h"

namespace trellimux {

// Rewrites the command box from the page (emptied when there is nothing to
// cut or no concat mode).
void RebuildTrimCommand();

// The Trim text for the page as it stands; "Copy" cuts seek to and stop at
// `copies` (the keyframe search's) instead of their Ins and Outs.
std::string TrimCommandText(const CopyCutTimes& copies = {});

// The "Smart Copy" text for the page as it stands, the cuts made as the
// lookup's `facts` say.
SmartCopyCommand SmartTrimCommand(const SmartCopyFacts& facts);

// The cut-list buttons; each ends by rebuilding the command.
void AddCut();
void ModifyCut();
void RemoveCut();
void MoveCutUp();
void MoveCutDown();
void ResetCuts();

// A click on the cut list: the row's times go into the time fields; a click
// beside the rows (row -1) changes nothing.
void LoadCut(int row);

// A new input: normal view, expert mode off, the container recognised from
// the input's extension and the cut and concat modes set to its defaults.
// The probe of the input follows separately.
void PrepareTrimInput(const std::string& path);

// The list and button handlers of the choices.
void OnTrimContainerChange();
void OnCutModeChange();
void ToggleTrimExpertMode();

}  // namespace trellimux
