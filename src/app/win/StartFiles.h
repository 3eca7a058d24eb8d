// The disk steps of a job start: clearing the way for the output, the list
// file of the concat demuxer, the emptied temporary folder. Each reports a
// failure to the user itself and answers whether the start goes on.
#pragma once

#include <string>

namespace trellimux {

bool PathIsFolder(const std::string& path);

// An existing output is deleted only after the user agreed. One that another
// program has open is reported and left as it is; a deletion that fails
// otherwise shows the platform's text. True when the path is free.
bool ClearOutputPath(const std::string& path);

// Creates the file anew (others may read it) and writes `text` in one write;
// a failure shows the platform's text.
bool WriteListFile(const std::string& path, const std::string& text);

// Deletes for good every file directly in `folder`, not its subfolders,
// without asking; a missing folder is made. A folder without files is empty
// already. A failure shows the note; a file another program has open (its
// name stays) is reported by name.
bool EmptyTemporaryFolder(const std::string& folder);

}  // namespace trellimux
