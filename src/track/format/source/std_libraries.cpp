#include "track/format/source/std_libraries.h"

#include <array>
#include <utility>

namespace lyre {

namespace {

constexpr std::string_view kOrchestral = R"lib(# Meta

@title Orchestral Sounds
@author ambry

## Description

Acoustic-style instrument palette: mallets, winds, reed/sax, piano and pads

## Tags

orchestral

# Sounds

## lead
sine 1
sine@2 0.5
sine@1.5 0.15
@attack 0.01
@decay 0.8 ease-out
@volume 0.42

## marimba
sine 1
sine@2 0.4
@attack 0.004
@decay 0.5 ease-out
@volume 0.5

## glock
sine 1
sine@2 0.6
sine@4 0.25
@attack 0.002
@decay 1.8 ease-out
@volume 0.26

## pluck
triangle 1
sine@2 0.3
@attack 0.005
@decay 0.7 ease-out
@volume 0.4

## pad
sine 1
triangle@0.5 0.5
triangle 0.2
@attack 0.5 ease-in
@decay 3 ease-out
@volume 0.2

## bass
triangle 1
triangle@0.5 0.6
@attack 0.01
@decay 0.6 ease-out
@volume 0.5

## drone
triangle 1
triangle@0.5 0.7
soft_square 0.15
@distortion 1.5
@attack 0.3 ease-in
@decay 2.5 ease-out
@volume 0.3

## reed
soft_square 1
sine@2 0.3
sine@1.5 0.2
@distortion 1.2
@attack 0.04
@decay 1 ease-out
@volume 0.3

## flute
sine 1
sine@2 0.12
@attack 0.04
@decay 0.5 ease-out
@volume 0.4

## sax
sine 0.55
soft_square 0.3
sine@2 0.12
sine@1.5 0.12
@attack 0.05
@decay 0.7 ease-out
@volume 0.32

## piano
sine 0.7
triangle 0.2
sine@2 0.12
@attack 0.002
@decay 1.2 ease-out
@volume 0.4

## panflute
sine 1
sine@2 0.12
sine@3 0.06
@attack 0.03
@decay 0.3 ease-out
@volume 0.42

## horn
soft_square 0.8
sine@2 0.25
triangle@0.5 0.4
@distortion 1.4
@attack 0.08
@decay 0.4 ease-out
@sustain 0.85
@volume 0.38

## strings
saw 0.35
triangle 0.5
sine@2 0.2
@attack 0.25 ease-in
@decay 1.2 ease-out
@sustain 0.6
@volume 0.25

## timpani
sine@0.5 1
@attack 0.001
@decay 0.5 ease-out
@noise 0.15
@slide 8 0.12
@volume 0.8
)lib";

constexpr std::string_view kChiptune = R"lib(# Meta

@title Chiptune Sounds
@author ambry

## Description

8-bit style square/saw leads, bass and blips for retro or action tracks

## Tags

chiptune

# Sounds

## pulse1
soft_square 1
@decay 0.4 ease-out
@volume 0.3

## pulse2
soft_square 1
sine@2 0.2
@decay 0.3 ease-out
@volume 0.28

## tri_bass
triangle 1
triangle@0.5 0.5
@volume 0.5

## blip
soft_square 1
@decay 0.12 ease-out
@volume 0.3

## arp
saw 1
@decay 0.2 ease-out
@volume 0.25

## lead_saw
saw 1
sine@1.5 0.2
@decay 0.5 ease-out
@volume 0.28

## noise_hit
soft_square 0.2
@decay 0.1 ease-out
@noise 0.8
@volume 0.3
)lib";

constexpr std::string_view kDrums = R"lib(# Meta

@title Drum Sounds
@author ambry

## Description

Synthesized percussion kit: kick, snare, toms, hats, claps and rim

## Tags

drums

# Sounds

## kick
sine 1
@decay 0.25 ease-out
@slide 5 0.04
@volume 0.9

## tom
sine 1
@decay 0.35 ease-out
@slide 12 0.15
@volume 0.7

## snare
soft_square 0.5
@decay 0.18 ease-out
@noise 0.9
@volume 0.6

## clap
soft_square 0.2
@decay 0.14 ease-out
@noise 1
@volume 0.5

## rim
soft_square 0.4
@decay 0.06 ease-out
@noise 0.5
@volume 0.4

## hihat
soft_square 0.1
@decay 0.05 ease-out
@noise 1
@volume 0.35

## openhat
soft_square 0.1
@decay 0.3 ease-out
@noise 1
@volume 0.3
)lib";

constexpr std::string_view kElectronic = R"lib(# Meta

@title Electronic Sounds
@author ambry

## Description

Dark synth palette: pulse and grit bass, stabs, a razor lead, ping, sub boom and a riser

## Tags

electronic

# Sounds

## pulse
triangle 0.9
triangle@0.5 0.5
@attack 0.004
@decay 0.08 ease-out
@sustain 0.9
@volume 0.5

## grit
saw 0.85
triangle@0.5 0.4
@distortion 1.3
@attack 0.003
@decay 0.05 ease-out
@sustain 0.9
@volume 0.45

## stab
soft_square 0.7
saw 0.4
sine@2 0.2
@distortion 1.1
@attack 0.002
@decay 0.12 ease-out
@volume 0.42

## razor
saw 0.7
soft_square 0.25
sine@2 0.15
@distortion 0.6
@attack 0.01
@decay 0.3 ease-out
@sustain 0.8
@vibrato 6 0.06
@volume 0.38

## ping
sine 0.6
triangle 0.4
sine@2 0.25
@attack 0.001
@decay 0.16 ease-out
@volume 0.3

## boom
sine@0.5 1
triangle@0.5 0.45
@attack 0.005
@decay 1.4 ease-out
@noise 0.08
@volume 0.5

## riser
saw 0.3
@attack 3.2 ease-in
@decay 0.4 ease-out
@noise 0.8
@volume 0.32
)lib";

constexpr std::string_view kJapanese = R"lib(# Meta

@title Japanese Sounds
@author ambry

## Description

Koto, shamisen, shakuhachi, wind bell and taiko

## Tags

japanese

# Sounds

## koto
triangle 0.7
sine 0.4
sine@2 0.25
sine@4 0.08
@attack 0.002
@decay 1.1 ease-out
@volume 0.42

## shamisen
saw 0.5
soft_square 0.2
sine@2 0.2
@distortion 0.4
@attack 0.001
@decay 0.28 ease-out
@volume 0.4

## shaku
sine 1
sine@2 0.12
@attack 0.09
@decay 0.5 ease-out
@sustain 0.85
@noise 0.18
@vibrato 4.5 0.18
@volume 0.42

## furin
sine 1
sine@2.67 0.35
sine@4.2 0.18
@attack 0.001
@decay 3 ease-out
@volume 0.3

## taiko
sine@0.2 1
@attack 0.001
@decay 0.3 ease-out
@noise 0.1
@slide 10 0.09
@volume 0.85
)lib";

constexpr std::string_view kInstruments = R"lib(@import std:orchestral
@import std:chiptune
@import std:drums
@import std:electronic
@import std:japanese
)lib";

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kLibraries = {{
    {"std:orchestral", kOrchestral},
    {"std:chiptune", kChiptune},
    {"std:drums", kDrums},
    {"std:electronic", kElectronic},
    {"std:japanese", kJapanese},
    {"std:instruments", kInstruments},
}};

}  // namespace

std::optional<std::string_view> std_source(std::string_view name) {
  for (const auto& [library, text] : kLibraries) {
    if (library == name) return text;
  }
  return std::nullopt;
}

bool is_builtin_source(std::string_view name) { return std_source(name).has_value(); }

}  // namespace lyre
