// A modal message box as the core asks for it; the window shows it and
// hands back the answer, the tests answer it from a script.
#pragma once

#include <string_view>

namespace trellimux {

enum class MessageIcon { Information, Warning, Error, Question };
// Yes/No/Cancel questions default to Cancel, which changes nothing.
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Closed };

struct MessageRequest {
  std::string_view caption;
  std::string_view text;
  MessageIcon icon;
  MessageButtons buttons;
  // Yes/No questions default to No: a careless Enter must not agree.
};

}  // namespace trellimux
