#include "app/win/TableCommands.h"

#include "app/win/ConvertPage.h"
#include "app/win/TrimPage.h"

namespace trellimux {

void RebuildTablePageCommand(Page page) {
  if (page == Page::Convert) RebuildExpertCommand();
  if (page == Page::Trim) RebuildTrimCommand();
}

}  // namespace trellimux
