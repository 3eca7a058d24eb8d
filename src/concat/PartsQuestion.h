// The " Confirmation" box that offers the other parts of a split recording
// when one of them is added: their names in order, the gaps in their
// numbering and the files left out, each with why.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "concat/RecordingParts.h"
#include "model/MessageRequest.h"

namespace trellimux {

inline constexpr std::string_view kPartsQuestionCaption = " Confirmation";

struct PartsQuestion {
  std::string text;

  MessageRequest Request() const {
    return {kPartsQuestionCaption, text, MessageIcon::Question, MessageButtons::YesNo};
  }
};

// Nothing to ask when `parts` holds no part besides `added`.
std::optional<PartsQuestion> AskForOtherParts(const RecordingParts& parts, std::string_view added);

}  // namespace trellimux
