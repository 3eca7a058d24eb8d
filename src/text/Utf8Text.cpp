#include "text/Utf8Text.h"

namespace trellimux {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length a lead byte announces; 1 for ASCII and for bytes that cannot
// begin a sequence.
std::size_t SequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

std::size_t WholeUtf8Length(std::string_view text) {
  // A sequence is at most four bytes, so only the last three can belong to
  // an unfinished one.
  const std::size_t size = text.size();
  for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
    const auto byte = static_cast<unsigned char>(text[size - back]);
    if (IsContinuation(byte)) continue;
    const std::size_t length = SequenceLength(byte);
    return length > back ? size - back : size;
  }
  return size;
}

}  // namespace trellimux
