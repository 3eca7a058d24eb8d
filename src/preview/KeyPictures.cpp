#include "preview/KeyPictures.h"

#include <cstdint>
#include <optional>
#include <string>

#include "preview/CodedUnits.h"

namespace trellimux {
namespace {

// The SEI payload type of a recovery point (annex D.1).
constexpr int kRecoveryPointSei = 6;

// The NAL unit's payload without its emulation prevention bytes (00 00 03
// stands for 00 00, 7.4.1).
std::string RawBytes(std::string_view unit) {
  std::string raw;
  raw.reserve(unit.size());
  int zeros = 0;
  for (const char byte : unit) {
    if (zeros >= 2 && byte == 3) {
      zeros = 0;
      continue;
    }
    zeros = byte == 0 ? zeros + 1 : 0;
    raw += byte;
  }
  return raw;
}

// An unsigned Exp-Golomb number (9.1) from the start of `bytes`.
std::optional<std::uint32_t> ExpGolomb(std::string_view bytes) {
  std::size_t bit = 0;
  const auto next = [&]() -> std::optional<int> {
    if (bit / 8 >= bytes.size()) return std::nullopt;
    const int value = static_cast<unsigned char>(bytes[bit / 8]) >> (7 - bit % 8) & 1;
    ++bit;
    return value;
  };
  int zeros = 0;
  for (std::optional<int> value = next(); value != 1; value = next()) {
    if (!value || ++zeros > 31) return std::nullopt;
  }
  std::uint32_t suffix = 0;
  for (int i = 0; i < zeros; ++i) {
    const std::optional<int> value = next();
    if (!value) return std::nullopt;
    suffix = suffix << 1 | static_cast<std::uint32_t>(*value);
  }
  return (std::uint32_t{1} << zeros) - 1 + suffix;
}

// Whether the SEI NAL unit's payload (after its header byte) holds a
// recovery point with recovery_frame_cnt 0.
bool RecoversAtOnce(std::string_view unit) {
  const std::string raw = RawBytes(unit);
  std::string_view rest = raw;
  // sei_message: payload type and size, each in 0xFF steps (7.3.2.3.1).
  const auto number = [&]() -> std::optional<std::size_t> {
    std::size_t value = 0;
    while (!rest.empty()) {
      const auto byte = static_cast<unsigned char>(rest[0]);
      rest.remove_prefix(1);
      value += byte;
      if (byte != 0xff) return value;
    }
    return std::nullopt;
  };
  // The trailing bits (0x80) end the messages.
  while (rest.size() > 1) {
    const std::optional<std::size_t> type = number();
    const std::optional<std::size_t> size = number();
    if (!type || !size || *size > rest.size()) return false;
    if (*type == kRecoveryPointSei) return ExpGolomb(rest.substr(0, *size)) == 0u;
    rest.remove_prefix(*size);
  }
  return false;
}

bool IsH264KeyPicture(std::string_view elementary) {
  bool key = false, recovers = false;
  VisitCodedUnits(elementary, [&](std::string_view unit) {
    const int type = H264NalType(unit);
    if (type == kH264IdrSlice) {
      key = true;
      return false;
    }
    if (IsH264Slice(type)) {
      key = recovers;
      return false;
    }
    if (type == kH264Sei && RecoversAtOnce(unit.substr(1))) recovers = true;
    return true;
  });
  return key;
}

bool IsH264IdrPicture(std::string_view elementary) {
  bool idr = false;
  VisitCodedUnits(elementary, [&](std::string_view unit) {
    const int type = H264NalType(unit);
    idr = type == kH264IdrSlice;
    return !IsH264Slice(type) && !idr;
  });
  return idr;
}

bool IsMpeg2KeyPicture(std::string_view elementary) {
  std::optional<int> first;
  VisitCodedUnits(elementary, [&](std::string_view unit) {
    first = Mpeg2PictureCodingType(unit);
    return !first;
  });
  return first == kMpeg2IPicture;
}

}  // namespace

bool IsKeyPicture(std::string_view elementary, VideoCoding coding) {
  switch (coding) {
    case VideoCoding::H264:
      return IsH264KeyPicture(elementary);
    case VideoCoding::Mpeg2:
      return IsMpeg2KeyPicture(elementary);
    case VideoCoding::Other:
      break;
  }
  return false;
}

bool BeginsCopy(std::string_view elementary, VideoCoding coding) {
  return coding == VideoCoding::H264 ? IsH264IdrPicture(elementary)
                                     : IsKeyPicture(elementary, coding);
}

}  // namespace trellimux
