// A seeded track as an editor holds it: songs naming layers of note lines,
// then the sounds the notes play, kept line by line so that edits can be
// made as a client sends them and still leave a valid track.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "cli/server/text_change.h"

namespace lyre::bench {

// The sounds of the track; a line that starts with one of them and a space
// is a note line, as the harmonic lines of the sounds start with a waveform.
inline constexpr std::array<std::string_view, 8> kSounds = {"lead",  "keys", "bass",  "pad",
                                                            "pluck", "kick", "snare", "hat"};

class GeneratedTrack {
 public:
  // About `bytes` of text, the same for the same `seed`.
  GeneratedTrack(std::size_t bytes, std::uint32_t seed) : rng_(seed) {
    constexpr std::size_t kLayersPerSong = 25;
    std::vector<std::vector<std::string>> layers;
    std::size_t size = 0;
    while (size < bytes) {
      std::vector<std::string> body = {"## part" + std::to_string(layers.size()),
                                       "@volume 0.8 @pan -0.1", "@effect reverb 0.4 0.5 0.2"};
      for (std::size_t i = 0; i < 400; ++i) body.push_back(note_line(i));
      body.emplace_back();
      for (const std::string& line : body) size += line.size() + 1;
      layers.push_back(std::move(body));
    }
    lines_ = {"# Songs", ""};
    for (std::size_t first = 0; first < layers.size(); first += kLayersPerSong) {
      lines_.push_back("## movement" + std::to_string(first / kLayersPerSong));
      lines_.insert(lines_.end(), {"@tempo 132", "@signature 4 4", "@marker 0 top"});
      for (std::size_t i = first; i < std::min(layers.size(), first + kLayersPerSong); ++i) {
        lines_.push_back("@layer part" + std::to_string(i));
      }
      lines_.emplace_back();
    }
    lines_.insert(lines_.end(), {"# Layers", ""});
    for (const auto& body : layers) lines_.insert(lines_.end(), body.begin(), body.end());
    lines_.insert(lines_.end(), {"# Sounds", ""});
    for (std::string_view sound : kSounds) {
      lines_.push_back("## " + std::string(sound));
      lines_.insert(lines_.end(), {"sine 1", "triangle@2 0.3", "@attack 0.01",
                                   "@decay 0.4 ease-out", "@volume 0.5", ""});
    }
  }

  std::string text() const {
    std::string out;
    for (const std::string& line : lines_) out.append(line).push_back('\n');
    return out;
  }

  // The note lines, in order.
  std::vector<std::size_t> note_lines() const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (is_note(lines_[i])) found.push_back(i);
    }
    return found;
  }

  // Replaces the two-digit pitch of note line `line`: the text keeps its size.
  server::TextChange set_pitch(std::size_t line, unsigned pitch) {
    const std::size_t column = pitch_column(lines_[line]);
    std::string digits = std::to_string(36 + pitch % 48);
    lines_[line][column] = digits[0];
    lines_[line][column + 1] = digits[1];
    return {server::Range{{line, column}, {line, column + 2}}, std::move(digits)};
  }

  // A seeded edit of a random note line: a new pitch, a new note line after
  // it, or its removal, the last two equally often so the size stays near.
  server::TextChange random_edit() {
    std::size_t line = pick(lines_.size());
    while (!is_note(lines_[line])) line = pick(lines_.size());
    switch (pick(5)) {
      case 0:
      case 1: {
        const std::string added = note_line(pick(1600));
        const std::size_t end = lines_[line].size();
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(line) + 1, added);
        return {server::Range{{line, end}, {line, end}}, "\n" + added};
      }
      case 2:
      case 3:
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
        return {server::Range{{line, 0}, {line + 1, 0}}, ""};
      default:
        return set_pitch(line, static_cast<unsigned>(pick(48)));
    }
  }

 private:
  static bool is_note(std::string_view line) {
    for (std::string_view sound : kSounds) {
      if (line.size() > sound.size() && line.starts_with(sound) && line[sound.size()] == ' ') {
        return true;
      }
    }
    return false;
  }

  // Past the sound and the start.
  static std::size_t pitch_column(std::string_view line) {
    return line.find(' ', line.find(' ') + 1) + 1;
  }

  std::size_t pick(std::size_t count) { return rng_() % count; }

  // The note at quarter `quarter`: mostly plain, some with options.
  std::string note_line(std::size_t quarter) {
    constexpr std::array<std::string_view, 4> kFractions = {"", ".25", ".5", ".75"};
    constexpr std::array<std::string_view, 4> kLengths = {"0.25", "0.5", "1", "2"};
    std::string line = std::string(kSounds[pick(kSounds.size())]) + " " +
                       std::to_string(quarter / 4) + std::string(kFractions[quarter % 4]) + " " +
                       std::to_string(36 + pick(48)) + " " + std::string(kLengths[pick(4)]);
    switch (pick(20)) {
      case 0:
      case 1:
        return line + " volume 0.8";
      case 2:
      case 3:
        return line + " glide -2 ease-out";
      case 4:
        return line + " \"la la\"";
      case 5:
        return line + " arpeggio 0 4 7 rate 8";
      case 6:
        return line + " repeat 3 volume 0.7";
      default:
        return line;
    }
  }

  std::mt19937 rng_;  // its sequence is fixed by the standard, unlike the distributions'
  std::vector<std::string> lines_;
};

}  // namespace lyre::bench
