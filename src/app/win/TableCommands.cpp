#include "app/win/TableCommands.h"

#include "app/win/ConvertPage.h"

namespace trellimux {

void RebuildTablePageCommand(Page page) {
  // The Trim command has no builder yet; its page rebuilds nothing so far.
  if (page == Page::Convert) RebuildExpertCommand();
}

}  // namespace trellimux
