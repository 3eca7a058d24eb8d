#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "media/ToolRunner.h"

namespace trellimux::test {
namespace {

// Splits the argument text as the Windows C runtime splits a command line, so
// that the Linux tools get the arguments the Windows tools get: blanks
// separate outside double quotes, quotes group, and backslashes are literal
// unless they precede a quote (2n backslashes and a quote: n backslashes, the
// quote toggles; 2n+1: n backslashes and a literal quote). No shell reads the
// text, so "(", "*" and "?" of filter expressions and stream maps stay as
// they are.
std::vector<std::string> SplitLikeWindows(std::string_view text) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    inArgument = true;
    if (c == '\\') {
      std::size_t count = 0;
      for (; i < text.size() && text[i] == '\\'; ++i) ++count;
      const bool beforeQuote = i < text.size() && text[i] == '"';
      current.append(beforeQuote ? count / 2 : count, '\\');
      if (beforeQuote && count % 2 == 1) {
        current += '"';
        ++i;
      }
    } else {
      if (c == '"')
        quoted = !quoted;
      else
        current += c;
      ++i;
    }
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

}  // namespace

ToolRun RunTool(FfmpegTool tool, std::string_view arguments) {
  std::vector<std::string> words = SplitLikeWindows(arguments);
  words.insert(words.begin(), tool == FfmpegTool::Ffmpeg ? "ffmpeg" : "ffprobe");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  ToolRun run;
  int ends[2];
  if (pipe(ends) != 0) return run;
  // The child reads nothing and writes standard output and error to the pipe.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
  posix_spawn_file_actions_adddup2(&actions, ends[1], 2);
  posix_spawn_file_actions_addclose(&actions, ends[0]);
  posix_spawn_file_actions_addclose(&actions, ends[1]);
  pid_t child = -1;
  const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  char buffer[4096];
  ssize_t count;
  while ((count = read(ends[0], buffer, sizeof buffer)) > 0)
    run.output.append(buffer, static_cast<std::size_t>(count));
  close(ends[0]);
  int status = 0;
  if (failed != 0 || waitpid(child, &status, 0) != child) return run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ToolSidePath(const std::string& hostPath) { return hostPath; }

}  // namespace trellimux::test
