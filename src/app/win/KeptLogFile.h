// The file that keeps a log too large for the log window, in the platform's
// temporary folder, one per running program. It lives as long as the log it
// keeps: a new log and the program's end delete it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace trellimux {

class KeptLogFile {
 public:
  KeptLogFile();
  ~KeptLogFile();
  KeptLogFile(const KeptLogFile&) = delete;
  KeptLogFile& operator=(const KeptLogFile&) = delete;

  const std::string& Path() const { return path_; }
  // Adds at the end; the first write after a new log starts the file anew.
  // The file is open only meanwhile, so another program can always read it.
  bool Write(std::string_view text);
  // The log it kept is gone: so is the file.
  void Delete();

 private:
  std::string path_;
  bool started_ = false;
};

}  // namespace trellimux
