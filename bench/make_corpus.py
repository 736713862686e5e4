#!/usr/bin/env python3
"""Writes the benchmark corpora: seeded, realistic .track files.

  notes/notes.track   one note-heavy file of layers of note lines (--notes-mb)
  project/            a game project: 50 folders of 100 files of about 4 KB
  scaling/<what>/{small,large}.track
                      pairs whose large file holds ten times the entries of one
                      kind (sounds, layers, song layer names, markers, ...)

Every file passes the checker except scaling/preamble, whose first stray line
is the failure that the check has to reach.

usage: make_corpus.py [--seed N] [--notes-mb MB] [--only SHAPE] OUT_DIR
"""

import argparse
import os
import random

# Sounds of std:instruments, grouped by role.
MELODIC = ["lead", "marimba", "glock", "pluck", "pad", "reed", "flute", "sax", "piano", "horn",
           "strings", "koto", "shamisen", "shaku", "pulse1", "arp", "lead_saw", "stab", "razor"]
BASS = ["bass", "tri_bass", "boom", "drone", "timpani"]
DRUMS = ["kick", "snare", "hihat", "openhat", "clap", "rim", "tom", "taiko"]
# Built-in waveforms, which need no sound entry.
WAVEFORMS = ["sine", "triangle", "saw", "soft_square", "hard_square", "hill"]
CURVES = ["ease-in", "ease-out", "linear", "ease"]
WORDS = ["la", "ooh", "ahh", "hey", "go", "rise", "fall", "one", "two", "three", "now", "again"]


def beat(value):
    """A start or duration as a composer writes it: 12, 12.5, 12.25."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return text or "0"


class NoteWriter:
    """Note lines of one voice, with options and curve lines mixed in."""

    def __init__(self, rng, sounds):
        self.rng = rng
        self.sounds = sounds
        self.time = 0.0

    def lines(self, count):
        rng = self.rng
        out = []
        while len(out) < count:
            sound = rng.choice(self.sounds)
            length = rng.choice([0.25, 0.25, 0.5, 0.5, 1, 2])
            head = f"{sound} {beat(self.time)} {rng.randint(36, 84)} {beat(length)}"
            self.time += rng.choice([0.25, 0.5, 0.5, 1])
            roll = rng.random()
            if roll < 0.55:
                out.append(head)
            elif roll < 0.65:
                out.append(f"{head} volume {rng.choice(['0.5', '0.6', '0.75', '0.8', '0.9'])}")
            elif roll < 0.73:
                out.append(f"{head} glide {rng.choice(['-2', '-1', '1', '2', '5', '12'])} "
                           f"{rng.choice(CURVES)}")
            elif roll < 0.77:
                text = " ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 3)))
                mark = "'" if rng.random() < 0.2 else ""
                out.append(f'{head} "{mark}{text}"')
            elif roll < 0.81:
                out.append(f"{head} arpeggio 0 {rng.choice(['3 7', '4 7', '4 7 12', '5 9'])} "
                           f"rate {rng.choice([4, 6, 8, 12])}")
            elif roll < 0.85:
                out.append(f"{head} vol-ramp {rng.choice(['0', '0.3', '0.5'])} {rng.choice(CURVES)}")
            elif roll < 0.90:
                out.append(f"{head} repeat {rng.randint(1, 15)} volume 0.7")
            elif roll < 0.95:
                out.append(head)
                out.append("  volume 0 0, 0.1 1, 0.6 0.8 ease-out, 1 0")
            else:
                out.append(head)
                out.append(f"  pitch 0 0, 0.5 {rng.choice(['1', '2', '-1'])} ease, 1 0")
        return out


def layer_head(rng):
    return [f"@volume {rng.choice(['0.6', '0.7', '0.8', '0.9'])} @pan {rng.choice(['-0.2', '0', '0.1', '0.3'])}",
            f"@effect reverb {rng.choice(['0.3', '0.4', '0.6'])} 0.5 0.2"]


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
        f.write("\n")


def make_notes(out, rng, megabytes):
    """One file of layers of note lines, about `megabytes` MB."""
    target = megabytes * 1_000_000
    layers = []
    size = 0
    sounds = MELODIC + BASS + DRUMS
    while size < target:
        name = f"part{len(layers):04d}"
        body = [f"## {name}"] + layer_head(rng)
        writer = NoteWriter(rng, rng.sample(sounds, 6))
        body += writer.lines(rng.randint(1000, 3000))
        body.append("")
        size += sum(len(line) + 1 for line in body)
        layers.append((name, body))
    lines = ["@import std:instruments", "", "# Songs", ""]
    per_song = 100
    for s in range(0, len(layers), per_song):
        lines += [f"## movement{s // per_song}", "@tempo 132", "@signature 4 4", "@marker 0 top"]
        lines += [f"@layer {name}" for name, _ in layers[s:s + per_song]]
        lines.append("")
    lines += ["# Layers", ""]
    for _, body in layers:
        lines += body
    write(os.path.join(out, "notes", "notes.track"), lines)


KIT = """# Meta
@title Shared Kit
@author audio team

# Sounds

## kick
sine@0.5 1
triangle@0.25 0.4
@attack 0.001 linear
@decay 0.25 ease-out
@volume 0.9

## snare
triangle 0.5
@noise 0.7
@attack 0.001
@decay 0.18 ease-out
@volume 0.7

## shaker
@noise 1
@filter 6000 0.2 0.05
@attack 0.002
@decay 0.06 ease-out
@volume 0.3
"""


def project_file(rng, folder, index):
    """About 4 KB: a song, its layers, a motif, and sounds when no library is imported."""
    with_std = index % 2 == 0
    with_kit = index % 10 == 0
    lines = []
    if with_std:
        lines.append("@import std:instruments")
    if with_kit:
        lines.append("@import ../zone00/kit.track as kit")
    if lines:
        lines.append("")
    lines += ["# Meta", f"@title Zone {folder} cue {index}", "@author audio team", "",
              "## Tags", "cue", f"zone{folder}", ""]
    if with_std:
        melodic, drums = rng.sample(MELODIC, 3), ["snare", "hihat", "tom"]
        if with_kit:
            drums = ["kit::kick", "kit::snare", "shaker", "hihat"]
    else:
        melodic, drums = ["voice", "keys", "sine"], ["thump", "saw"]
    song = f"cue{index:03d}"
    layer_names = ["melody", "harmony", "beat", "fill"]
    lines += ["# Songs", "", f"## {song}", f"@tempo {rng.choice([90, 110, 128, 140])}",
              "@signature 4 4", "@param intensity 0.5", "@marker 0 intro", "@marker 16 loop"]
    lines += [f"@layer {name}" for name in layer_names[:3]]
    lines += ["@jump-at 32 loop if intensity > 0.3", ""]
    lines += ["# Layers", ""]
    writer = NoteWriter(rng, melodic)
    lines += ["## melody"] + layer_head(rng) + writer.lines(48)
    lines += [f"motif hook {rng.choice([4, 8, 12])} {melodic[0]} transpose 12", "  note 1 volume 0.8", ""]
    writer = NoteWriter(rng, melodic[1:])
    lines += ["## harmony", "@volume 0.6"] + writer.lines(42) + [""]
    writer = NoteWriter(rng, drums)
    lines += ["## beat", "@volume 0.9"] + writer.lines(46) + ["subtrack fill 28", ""]
    writer = NoteWriter(rng, drums)
    lines += ["## fill"] + writer.lines(8) + [""]
    lines += ["# Motifs", "", "## hook", "0 0 0.25", "0.5 3 0.25", "1 7 0.5 glide 5", "1.5 10 0.5", ""]
    if not with_std:
        lines += ["# Sounds", "",
                  "## voice", "sine 1", "triangle@2 0.3", "@attack 0.01", "@decay 0.4 ease-out",
                  "@volume 0.5", "",
                  "## keys", "triangle 1", "sine@2 0.25", "@attack 0.005", "@decay 0.8 ease-out",
                  "@volume 0.45", "",
                  "## thump", "sine@0.5 1", "@attack 0.001", "@decay 0.2 ease-out", "@volume 0.8", ""]
    return lines


def make_project(out, rng):
    root = os.path.join(out, "project")
    for folder in range(50):
        for index in range(100):
            name = os.path.join(root, f"zone{folder:02d}", f"cue{index:03d}.track")
            if folder == 0 and index == 0:
                write(name.replace("cue000", "kit"), KIT.splitlines())
                continue
            write(name, project_file(rng, folder, index))


# Scaling: each kind of entry at `n` (small) and `10 * n` (large).
def scale_sounds(n):
    lines = ["# Songs", "", "## song", "@layer main", "", "# Layers", "", "## main"]
    lines += [f"s{i} {i} 60 1" for i in range(0, n, max(1, n // 100))]
    lines += ["", "# Sounds", ""]
    for i in range(n):
        lines += [f"## s{i}", "sine 1", "triangle@2 0.3", "@attack 0.01", "@decay 0.4 ease-out", ""]
    return lines


def scale_layers(n):
    lines = ["# Songs", "", "## song"] + [f"@layer l{i}" for i in range(0, n, 10)]
    lines += ["", "# Layers", ""]
    for i in range(n):
        lines += [f"## l{i}", f"sine {i} 60 1", "saw 0.5 62 0.5 volume 0.8", ""]
    return lines


def scale_song_layers(n):
    lines = ["# Songs", "", "## song"] + [f"@layer l{i % 50}" for i in range(n)]
    lines += ["", "# Layers", ""]
    for i in range(50):
        lines += [f"## l{i}", "sine 0 60 1", ""]
    return lines


def scale_markers(n):
    lines = ["# Songs", "", "## song", "@layer main"]
    lines += [f"@marker {i * 4} m{i}" for i in reversed(range(n))]
    lines += [f"@jump-at m{i} m{i + 1}" for i in range(0, n - 1, 10)]
    return lines + ["", "# Layers", "", "## main", "sine 0 60 1"]


def scale_params(n):
    lines = ["# Songs", "", "## song", "@layer main"]
    lines += [f"@param p{(i * 7919) % n} 0.{i % 10}" for i in range(n)]
    return lines + ["", "# Layers", "", "## main", "sine 0 60 1"]


def scale_imports(n, directory):
    """The top file imports `n` small files; the files go into `directory`."""
    for i in range(n):
        write(os.path.join(directory, "lib", f"kit{i}.track"),
              ["# Sounds", "", f"## k{i}", "sine 1", "@decay 0.2 ease-out", "", "## shared", "saw 1"])
    lines = [f"@import lib/kit{i}.track" + (" as k" if i % 2 else "") for i in range(n)]
    lines += ["", "# Songs", "", "## song", "@layer main", "", "# Layers", "", "## main"]
    return lines + [f"k{i} {i} 60 1 " for i in range(0, n, max(1, n // 100))] + ["shared 0 60 1"]


def scale_aliased(n, directory):
    """An import `as lib` of `n` sounds and `n` layers, each colliding with one of the top file."""
    def entries(prefix):
        lines = ["# Sounds", ""]
        for i in range(n):
            lines += [f"## s{i}", "sine 1", "@decay 0.2 ease-out", ""]
        lines += ["# Layers", ""]
        for i in range(n):
            lines += [f"## l{i}", f"{prefix}s{i} 0 60 1", ""]
        return lines
    write(os.path.join(directory, "lib", "all.track"), entries(""))
    return (["@import lib/all.track as lib", "", "# Songs", "", "## song"]
            + [f"@layer lib::l{i}" for i in range(0, n, max(1, n // 100))] + [""] + entries(""))


def scale_subtracks(n):
    lines = ["# Songs", "", "## song", "@layer c0", "", "# Layers", ""]
    for i in range(n):
        lines += [f"## c{i}", f"sine {i % 16} 60 1"]
        if i + 1 < n:
            lines.append(f"subtrack c{i + 1} 4 transpose 1")
        lines.append("")
    return lines


def scale_header(n):
    lines = ["@import std:drums"]
    lines += [f"Notes for the arranger, line {i}: keep the kick on the beat." for i in range(n)]
    return lines + ["", "# Songs", "", "## song", "@layer main", "", "# Layers", "", "## main",
                    "kick 0 36 1"]


def scale_preamble(n):
    lines = ["# Songs", "", "## song", "@layer main", "", "# Layers", ""]
    lines += [f"old note {i} about the layers below" for i in range(n)]
    return lines + ["", "## main", "sine 0 60 1"]


def scale_notes(n, rng):
    lines = ["@import std:instruments", "", "# Songs", "", "## song", "@layer main", "",
             "# Layers", "", "## main"] + layer_head(rng)
    return lines + NoteWriter(rng, MELODIC[:8]).lines(n)


SCALING = {
    # kind: (small count, writer)
    "sounds": (20_000, scale_sounds),
    "layers": (20_000, scale_layers),
    "song_layers": (50_000, scale_song_layers),
    "markers": (20_000, scale_markers),
    "params": (20_000, scale_params),
    "imports": (500, None),
    "aliased": (20_000, None),
    "subtracks": (20_000, scale_subtracks),
    "header": (50_000, scale_header),
    "preamble": (50_000, scale_preamble),
    "notes": (50_000, None),
}


def make_scaling(out, rng):
    for kind, (n, writer) in SCALING.items():
        for label, count in (("small", n), ("large", 10 * n)):
            directory = os.path.join(out, "scaling", kind, label)
            if kind == "imports":
                lines = scale_imports(count, directory)
            elif kind == "aliased":
                lines = scale_aliased(count, directory)
            elif kind == "notes":
                lines = scale_notes(count, rng)
            else:
                lines = writer(count)
            write(os.path.join(directory, "main.track"), lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--seed", type=int, default=20240601)
    parser.add_argument("--notes-mb", type=int, default=100)
    parser.add_argument("--only", choices=["notes", "project", "scaling"])
    args = parser.parse_args()
    shapes = {"notes": lambda rng: make_notes(args.out, rng, args.notes_mb),
              "project": lambda rng: make_project(args.out, rng),
              "scaling": lambda rng: make_scaling(args.out, rng)}
    for name, make in shapes.items():
        if args.only in (None, name):
            make(random.Random(f"{args.seed}:{name}"))


if __name__ == "__main__":
    main()
