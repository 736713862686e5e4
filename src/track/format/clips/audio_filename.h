// Audio file names, which note lines no longer accept as a sound.
#pragma once

#include <string_view>

namespace lyre {

// True when the text after the last '.' is wav, mp3, ogg or flac, ignoring
// ASCII case.
bool is_audio_filename(std::string_view name);

}  // namespace lyre
