// The column headers of the four stream tables: a column dragged in one
// table of a page is dragged in its other table too, and a right-click on a
// header offers to put both back in the page's default order.
#pragma once

namespace trellimux {

// Routes the headers' notifications of the four stream tables. A list view
// passes its header's notifications on only in part, and not alike on every
// platform, so each list hands them over itself.
void InstallStreamListHeaders();

}  // namespace trellimux
