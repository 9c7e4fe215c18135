#!/usr/bin/env python3
"""Writes the MIDI file of one generated dance song and its ground truth.

    make-song-midi.py NAME OUT.mid OUT.truth [SEED]

NAME is one of the songs below. The truth file has one beat a line: the
beat's time in seconds from the MIDI's own tempo map, and its place in the
bar ("1" on a bar's first beat). The notes are humanised: each is moved by a
random amount (standard deviation 12 ms, at most 25 ms) and its loudness
varied, so no two beats are alike; the tempo map itself stays exact.

The arrangements follow each style's usual parts, for a General MIDI
synthesiser (drums on channel 10):
  salsa      192 a minute, son clave 2-3, piano montuno, bass tumbao,
             congas, bongo bell on the beat, maracas
  bachata    128, requinto guitar, rhythm guitar, bass, bongos, guira
  hiphop     92, swung sixteenths, boom-bap kick and snare, electric piano
  waltz      87 in 3/4: bass on one, chords on two and three, a melody
  house      124, four on the floor, claps, off-beat open hi-hat, bass
  tempochange  100 a minute for 32 bars, then 126: drums, bass, piano
  quietintro   104, eight bars of soft piano, then the band
  drumbreak    112, funk: 24 bars, 8 bars without drums, 24 bars
Only the standard library: the MIDI bytes are written here.
"""
import random
import struct
import sys

PPQ = 960
DRUMS = 9


class Song:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.sections = []  # (first bar, bars, bpm, beats a bar)
        self.notes = []  # (beat, channel, key, velocity, length in beats)
        self.programs = {}  # channel -> GM program

    def section(self, bars, bpm, meter=4):
        first = sum(s[1] for s in self.sections)
        start = sum(s[1] * s[3] for s in self.sections)
        self.sections.append((first, bars, bpm, meter))
        return start

    def program(self, channel, number):
        self.programs[channel] = number

    def note(self, beat, channel, key, velocity, length=0.25):
        self.notes.append((beat, channel, key, velocity, length))

    # -- time: beats to seconds through the tempo map
    def tempo_points(self):
        points, beat, seconds = [], 0.0, 0.0
        for _first, bars, bpm, meter in self.sections:
            points.append((beat, seconds, bpm))
            beat += bars * meter
            seconds += bars * meter * 60.0 / bpm
        return points, beat, seconds

    def seconds_at(self, beat):
        points, _, _ = self.tempo_points()
        at = points[0]
        for p in points:
            if p[0] <= beat:
                at = p
        return at[1] + (beat - at[0]) * 60.0 / at[2]

    def beat_at(self, seconds):
        points, _, _ = self.tempo_points()
        at = points[0]
        for p in points:
            if p[1] <= seconds:
                at = p
        return at[0] + (seconds - at[1]) * at[2] / 60.0

    def truth(self):
        lines, beat = [], 0
        for _first, bars, _bpm, meter in self.sections:
            for _ in range(bars):
                for place in range(meter):
                    lines.append("%.6f %d" % (self.seconds_at(beat), place + 1))
                    beat += 1
        return "\n".join(lines) + "\n"

    # -- the MIDI file: one track, tempo and meter changes included
    def midi(self):
        events = []  # (tick, order, bytes)
        for first, bars, bpm, meter in self.sections:
            tick = round(sum(s[1] * s[3] for s in self.sections if s[0] < first) * PPQ)
            events.append((tick, 0, b"\xff\x51\x03" + struct.pack(">I", round(60e6 / bpm))[1:]))
            events.append((tick, 0, b"\xff\x58\x04" + bytes([meter, 2, 24, 8])))
        for channel, number in self.programs.items():
            events.append((0, 1, bytes([0xC0 | channel, number])))
        for beat, channel, key, velocity, length in self.notes:
            # Humanised: the onset moved in seconds, then back to ticks.
            shift = max(-0.025, min(0.025, self.rng.gauss(0.0, 0.012)))
            start = self.beat_at(max(0.0, self.seconds_at(beat) + shift))
            vel = max(1, min(127, int(velocity + self.rng.randint(-8, 8))))
            on, off = round(start * PPQ), round((start + length) * PPQ)
            events.append((on, 3, bytes([0x90 | channel, key, vel])))
            events.append((max(on + 1, off), 2, bytes([0x80 | channel, key, 0])))
        events.sort(key=lambda e: (e[0], e[1]))
        track, last = bytearray(), 0
        for tick, _order, data in events:
            track += varlen(tick - last) + data
            last = tick
        track += varlen(PPQ) + b"\xff\x2f\x00"
        header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, PPQ)
        return header + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def chord(song, beat, channel, root, kind, velocity, length):
    for step in {"maj": (0, 4, 7), "min": (0, 3, 7), "dom": (0, 4, 7, 10), "m7": (0, 3, 7, 10)}[kind]:
        song.note(beat, channel, root + step, velocity, length)


# -- the songs ---------------------------------------------------------------


def salsa(song):
    start = song.section(120, 192)
    song.program(0, 0)  # piano
    song.program(1, 32)  # acoustic bass
    song.program(2, 61)  # brass section
    progression = [(60, "maj"), (65, "maj"), (67, "dom"), (65, "maj")]  # I IV V IV, a bar each
    clave = [[2, 3], [0, 1.5, 3]]  # 2-3 son clave, beats within each bar
    montuno = [0, 0.5, 1.5, 2, 2.5, 3.5]  # the piano's eighths
    for bar in range(120):
        b = start + bar * 4
        root, kind = progression[bar % 4]
        for hit in clave[bar % 2]:
            song.note(b + hit, DRUMS, 75, 100)
        for q in range(4):
            song.note(b + q, DRUMS, 56, 90 if q in (0, 2) else 70)  # bongo bell
        for e in range(8):
            song.note(b + e / 2, DRUMS, 70, 55 if e % 2 else 65)  # maracas
        # Conga tumbao: slap on two, open tones on four and its "and".
        song.note(b + 1, DRUMS, 62, 95)
        song.note(b + 3, DRUMS, 63, 100)
        song.note(b + 3.5, DRUMS, 63, 95)
        for e in (0, 0.5, 2, 2.5):
            song.note(b + e, DRUMS, 64, 45)
        # Bass tumbao: anticipates the chord on two-and and four.
        nxt = progression[(bar + 1) % 4][0]
        song.note(b + 1.5, 1, root - 24 + 7, 100, 1.5)
        song.note(b + 3, 1, nxt - 24, 105, 1.0)
        for i, e in enumerate(montuno):
            chord_tone = [0, 4, 7, 12][i % 4] if kind != "min" else [0, 3, 7, 12][i % 4]
            song.note(b + e, 0, root + chord_tone, 80, 0.4)
            song.note(b + e, 0, root + 12 + chord_tone, 70, 0.4)
        if (bar // 16) % 2 == 1 and bar % 2 == 0:  # mambo: brass hits
            for hit in (0, 1.5, 2.5):
                chord(song, b + hit, 2, root, kind, 95, 0.4)


def bachata(song):
    start = song.section(80, 128)
    song.program(0, 25)  # steel guitar: requinto
    song.program(1, 24)  # nylon guitar: rhythm
    song.program(2, 33)  # bass
    progression = [(62, "min"), (67, "min"), (69, "maj"), (62, "min")]
    for bar in range(80):
        b = start + bar * 4
        root, kind = progression[bar % 4]
        for e in range(8):
            song.note(b + e / 2, DRUMS, 69, 75 if e % 2 == 0 else 55)  # guira
        for s in range(16):
            if s % 4 != 3:
                song.note(b + s / 4, DRUMS, 60 if s % 2 == 0 else 61, 70 if s % 4 == 0 else 50)  # bongo
        song.note(b + 3, DRUMS, 61, 100)  # the bongo's accent on four
        for q in range(4):
            chord(song, b + q, 1, root - 12, kind, 75, 0.45)
        song.note(b, 2, root - 24, 100, 1.0)
        song.note(b + 1.5, 2, root - 24 + 7, 90, 0.5)
        song.note(b + 2, 2, root - 24 + 7, 95, 1.0)
        third = 3 if kind == "min" else 4
        for s in range(16):
            song.note(b + s / 4, 0, root + [0, third, 7, 12][s % 4], 60 + (20 if s % 4 == 0 else 0), 0.25)


def hiphop(song):
    start = song.section(56, 92)
    song.program(0, 4)  # electric piano
    song.program(1, 38)  # synth bass
    swing = 0.62  # the second sixteenth of each eighth, late

    def sixteenth(i):
        return (i // 2) * 0.5 + (0.5 * swing if i % 2 else 0.0)

    progression = [(57, "m7"), (62, "m7"), (55, "dom"), (60, "maj")]
    for bar in range(56):
        b = start + bar * 4
        root, kind = progression[(bar // 2) % 4]
        for i in (0, 3, 5, 10):  # kick: one, the "a" of one, two-and... (boom bap)
            song.note(b + sixteenth(i), DRUMS, 36, 110 if i == 0 else 95)
        for q in (1, 3):
            song.note(b + q, DRUMS, 38, 110)
        for i in range(16):
            song.note(b + sixteenth(i), DRUMS, 42, 70 if i % 2 == 0 else 45)
        if bar % 2 == 0:
            chord(song, b, 0, root, kind, 70, 3.5)
        song.note(b + sixteenth(0), 1, root - 24, 100, 0.75)
        song.note(b + sixteenth(10), 1, root - 24 + 7, 90, 0.5)


def waltz(song):
    start = song.section(64, 87, 3)
    song.program(0, 48)  # strings
    song.program(1, 43)  # contrabass
    song.program(2, 73)  # flute
    progression = [(60, "maj"), (67, "dom"), (67, "dom"), (60, "maj"), (65, "maj"), (60, "maj"), (67, "dom"), (60, "maj")]
    melody = [76, 74, 72, 71, 72, 74, 76, 79]
    for bar in range(64):
        b = start + bar * 3
        root, kind = progression[bar % 8]
        song.note(b, 1, root - 24, 105, 0.9)
        for q in (1, 2):
            chord(song, b + q, 0, root, kind, 65, 0.6)
        song.note(b, 2, melody[bar % 8], 80, 2.0 if bar % 2 == 0 else 1.0)
        if bar % 2 == 1:
            song.note(b + 2, 2, melody[(bar + 1) % 8] - 2, 70, 1.0)


def house(song):
    start = song.section(64, 124)
    song.program(0, 81)  # saw lead as chord stabs
    song.program(1, 38)  # synth bass
    song.program(2, 89)  # warm pad
    progression = [(57, "min"), (53, "maj"), (60, "maj"), (55, "maj")]
    for bar in range(64):
        b = start + bar * 4
        root, kind = progression[(bar // 2) % 4]
        for q in range(4):
            song.note(b + q, DRUMS, 36, 115)
            song.note(b + q + 0.5, DRUMS, 46, 95)  # open hat on the off-beat
            song.note(b + q + 0.5, 1, root - 24, 95, 0.4)  # bass off the beat
        for q in (1, 3):
            song.note(b + q, DRUMS, 39, 100)
        for s in range(16):
            song.note(b + s / 4, DRUMS, 42, 50 if s % 2 else 40)
        if bar % 2 == 0:
            chord(song, b, 2, root, kind, 55, 8.0)
        for hit in (1.5, 3.5):
            chord(song, b + hit, 0, root, kind, 60, 0.3)


def rock_bar(song, b, root, kind, drums=True):
    if drums:
        for q in range(4):
            song.note(b + q, DRUMS, 36 if q in (0, 2) else 38, 110 if q in (0, 2) else 105)
        song.note(b + 2.5, DRUMS, 36, 90)
        for e in range(8):
            song.note(b + e / 2, DRUMS, 42, 75 if e % 2 == 0 else 55)
    for e in range(8):
        song.note(b + e / 2, 1, root - 24, 95 if e % 2 == 0 else 80, 0.45)
    for q in range(4):
        chord(song, b + q, 0, root, kind, 70, 0.5)


def tempochange(song):
    song.program(0, 0)
    song.program(1, 34)  # picked bass
    progression = [(64, "min"), (60, "maj"), (55, "maj"), (62, "maj")]
    first = song.section(32, 100)
    second = song.section(32, 126)
    for bar in range(64):
        b = (first if bar < 32 else second - 32 * 4) + bar * 4
        root, kind = progression[bar % 4]
        rock_bar(song, b, root, kind)
        if bar % 8 == 0:
            song.note(b, DRUMS, 49, 100)


def quietintro(song):
    song.program(0, 0)
    song.program(1, 33)
    song.program(2, 89)
    start = song.section(56, 104)
    progression = [(62, "maj"), (57, "maj"), (59, "min"), (55, "maj")]
    for bar in range(56):
        b = start + bar * 4
        root, kind = progression[bar % 4]
        if bar < 8:  # soft piano alone: a chord on each beat, the bass note on one
            song.note(b, 0, root - 12, 45, 3.5)
            for q in range(4):
                chord(song, b + q, 0, root, kind, 30 if q else 40, 0.9)
            continue
        rock_bar(song, b, root, kind)
        if bar % 4 == 0:
            chord(song, b, 2, root, kind, 50, 4.0)


def drumbreak(song):
    song.program(0, 4)
    song.program(1, 36)  # slap bass
    song.program(2, 62)  # synth brass
    start = song.section(56, 112)
    progression = [(57, "m7"), (57, "m7"), (62, "dom"), (64, "m7")]
    for bar in range(56):
        b = start + bar * 4
        root, kind = progression[bar % 4]
        in_break = 24 <= bar < 32
        if not in_break:
            for i in (0, 6, 10):
                song.note(b + i / 4, DRUMS, 36, 110)
            for q in (1, 3):
                song.note(b + q, DRUMS, 38, 110)
            for s in range(16):
                song.note(b + s / 4, DRUMS, 42, 70 if s % 2 == 0 else 45)
            for i in (0, 3, 6, 8, 10, 14):
                song.note(b + i / 4, 1, root - 24 + (12 if i == 6 else 0), 100, 0.2)
            for q in (1, 3):
                chord(song, b + q + 0.5, 0, root, kind, 70, 0.2)
        else:  # the break: bass and keys on the beat, no drums
            for q in range(4):
                song.note(b + q, 1, root - 24 + (7 if q % 2 else 0), 90, 0.4)
            chord(song, b, 2, root, kind, 60, 1.5)
            chord(song, b + 2, 2, root, kind, 55, 1.5)


SONGS = {f.__name__: f for f in (salsa, bachata, hiphop, waltz, house, tempochange, quietintro, drumbreak)}


def main():
    if len(sys.argv) < 4 or sys.argv[1] not in SONGS:
        sys.exit("usage: make-song-midi.py {%s} OUT.mid OUT.truth [SEED]" % ",".join(SONGS))
    song = Song(int(sys.argv[4]) if len(sys.argv) > 4 else 7)
    SONGS[sys.argv[1]](song)
    with open(sys.argv[2], "wb") as f:
        f.write(song.midi())
    with open(sys.argv[3], "w") as f:
        f.write(song.truth())


if __name__ == "__main__":
    main()
