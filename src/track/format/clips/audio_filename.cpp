#include "track/format/clips/audio_filename.h"

#include <algorithm>
#include <array>

namespace lyre {

namespace {

bool equals_ascii_folded(std::string_view text, std::string_view lower) {
  return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

}  // namespace

bool is_audio_filename(std::string_view name) {
  // No extension is longer than four letters, so only the last five bytes
  // can hold the dot: a long sound name is not scanned from its end.
  constexpr std::size_t kLongest = 5;
  const std::string_view tail = name.substr(name.size() > kLongest ? name.size() - kLongest : 0);
  const std::size_t dot = tail.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string_view extension = tail.substr(dot + 1);
  constexpr std::array<std::string_view, 4> kAudio = {"wav", "mp3", "ogg", "flac"};
  return std::any_of(kAudio.begin(), kAudio.end(),
                     [&](std::string_view audio) { return equals_ascii_folded(extension, audio); });
}

}  // namespace lyre
