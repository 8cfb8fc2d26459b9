#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the game's sounds into assets/sounds/ (the build only embeds the WAVE files;
# it never needs sox or espeak-ng).
#
# Game cues are synthesised with sox: short tones, plucks, sweeps and noise bursts. Chatter
# sounds are spoken with espeak-ng where they are words, and synthesised where they are
# noises (cough, snoring, applause, honk, razzberry). Every file ends up 22050 Hz, mono,
# 16-bit PCM, trimmed of leading/trailing silence and normalised to -1 dBFS so nothing clips.
#
# Usage: tools/make-sounds.sh [OUTPUT_DIR]
#   default: assets/sounds/, and assets/sounds.qrc is rewritten to list them
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../assets/sounds"}
mkdir -p "$out"
for tool in sox espeak-ng; do
  command -v "$tool" >/dev/null || { echo "make-sounds: $tool is needed" >&2; exit 1; }
done

# Repeatable noise and dither, so regenerating gives the same files.
sox() { command sox -R "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT


RATE=22050  # the files we ship
WORK=44100  # clips are made at this rate (sox's pluck needs it), then converted
# A fresh name in the work folder.
tmp() { mktemp -p "$work" --suffix=.wav; }
# synth FILE ARGS...: a mono clip from sox's synthesiser.
# The oscillators run at full scale, so effects that follow them (filters, mixing) get 10 dB
# of headroom first; the final level is set by finish alone.
synth() {
  local f=$1 gen=() fx=(); shift
  while [ $# -gt 0 ]; do
    case $1 in fade|lowpass|highpass|bandpass|tremolo|gain) break ;; esac
    gen+=("$1"); shift
  done
  fx=("$@")
  sox -r $WORK -n -r $WORK -c 1 -b 16 "$f" synth "${gen[@]}" gain -10 "${fx[@]}"
}
# silence FILE SECONDS
silence() { sox -r $WORK -n -r $WORK -c 1 -b 16 "$1" trim 0 "$2"; }
# say FILE VOICE PITCH SPEED TEXT: spoken words.
say() {
  local raw; raw=$(tmp)
  espeak-ng -v "$2" -p "$3" -s "$4" -w "$raw" "$5"
  sox "$raw" -r $WORK "$1"
}
# finish NAME INPUT [EFFECTS...]: the final file, trimmed, faded at the edges, normalised to a
# peak of LEVEL dBFS (default -1; buzzy square waves sound much louder than speech at the same
# peak, so those cues ask for less).
finish() {
  local name=$1 in=$2 trimmed; shift 2
  trimmed=$(tmp)
  sox "$in" -r $RATE -c 1 -b 16 "$trimmed" gain -6 "$@" \
    silence 1 0.005 0.2% reverse silence 1 0.005 0.2% reverse
  sox "$trimmed" "$out/$name.wav" fade t 0.003 0 0.01 gain -n "${LEVEL:--1}"
}
# knock FILE FREQ: one die hitting the board: a damped tone inside a burst of noise.
knock() {
  local a b; a=$(tmp); b=$(tmp)
  synth "$a" 0.045 sine "$2" fade p 0 0.045 0.043
  synth "$b" 0.03 pinknoise fade p 0 0.03 0.029 highpass 900
  sox -m -v 0.6 "$a" -v 0.4 "$b" "$1"
}
# note FILE WAVE FREQ SECONDS: an instrument-like note with a quick decay.
note() { synth "$1" "$4" "$2" "$3" fade p 0.005 "$4" "$(awk "BEGIN{print $4*0.85}")"; }

# --- Game cues -------------------------------------------------------------------------------

# dice: a short rattle of dice on wood.
parts=()
i=0
for f in 1400 1100 1650 950 1250 1500 1050; do
  k=$(tmp); knock "$k" $f; parts+=("$k")
  g=$(tmp); silence "$g" "0.0$((2 + (i * 37) % 5))"; parts+=("$g")
  i=$((i + 1))
done
t=$(tmp); sox "${parts[@]}" "$t"; finish dice "$t"

# select: a soft upward blip.
a=$(tmp); note "$a" sine 660 0.07; b=$(tmp); note "$b" sine 990 0.12
t=$(tmp); sox "$a" "$b" "$t"; LEVEL=-5 finish select "$t"

# turn (Classic): a two-tone door chime.
a=$(tmp); synth "$a" 0.45 pluck 659 fade p 0 0.45 0.4
b=$(tmp); synth "$b" 0.7 pluck 523 fade p 0 0.7 0.6
t=$(tmp); sox "$a" "$b" "$t"; finish turn "$t"

# turn_new (the "New" turn sound): a bright rising marimba figure.
a=$(tmp); note "$a" triangle 523 0.1; b=$(tmp); note "$b" triangle 659 0.1
c=$(tmp); note "$c" triangle 784 0.1; d=$(tmp); synth "$d" 0.45 pluck 1047 fade p 0 0.45 0.4
t=$(tmp); sox "$a" "$b" "$c" "$d" "$t"; finish turn_new "$t"

# error: two low, muffled buzzes.
a=$(tmp); synth "$a" 0.13 square 160 square 163 fade q 0.005 0.13 0.02 lowpass 1200
g=$(tmp); silence "$g" 0.06
t=$(tmp); sox "$a" "$g" "$a" "$t"; LEVEL=-8 finish error "$t"

# bramble: a quick arpeggio up to a held chord, for the straight.
parts=()
for f in 523 659 784 1047 1319; do k=$(tmp); note "$k" triangle $f 0.07; parts+=("$k"); done
c1=$(tmp); synth "$c1" 0.6 triangle 523 fade p 0 0.6 0.5
c2=$(tmp); synth "$c2" 0.6 triangle 659 fade p 0 0.6 0.5
c3=$(tmp); synth "$c3" 0.6 triangle 784 fade p 0 0.6 0.5
chord=$(tmp); sox -m "$c1" "$c2" "$c3" "$chord"
t=$(tmp); sox "${parts[@]}" "$chord" "$t"; finish bramble "$t"

# gotpoints: a coin-like "ka-ching".
a=$(tmp); synth "$a" 0.07 square 988 lowpass 3000
b=$(tmp); synth "$b" 0.35 square 1319 fade p 0 0.35 0.3 lowpass 3000
t=$(tmp); sox "$a" "$b" "$t"; LEVEL=-8 finish gotpoints "$t"

# nopoints: a short sad slide down.
a=$(tmp); note "$a" triangle 392 0.18; b=$(tmp); note "$b" triangle 370 0.18
c=$(tmp); synth "$c" 0.5 triangle 349-262 fade p 0 0.5 0.35 tremolo 6 30
t=$(tmp); sox "$a" "$b" "$c" "$t"; finish nopoints "$t"

# enterbonus: a shimmering sweep up.
t=$(tmp); synth "$t" 0.55 sine 400-1600 fade q 0.02 0.55 0.1 tremolo 22 40; LEVEL=-5 finish enterbonus "$t"

# gotbonus: a little sparkle.
a=$(tmp); synth "$a" 0.09 pluck 1568; b=$(tmp); synth "$b" 0.09 pluck 2093
c=$(tmp); synth "$c" 0.3 pluck 2637 fade p 0 0.3 0.25
t=$(tmp); sox "$a" "$b" "$c" "$t"; finish gotbonus "$t"

# exitbonus: the sweep going back down.
t=$(tmp); synth "$t" 0.5 sine 1600-350 fade q 0.01 0.5 0.15 tremolo 22 40; LEVEL=-5 finish exitbonus "$t"

# winner: a small fanfare ending on a chord.
parts=()
for step in "392 0.12" "523 0.12" "659 0.12" "784 0.25" "659 0.12"; do
  set -- $step; k=$(tmp); note "$k" triangle "$1" "$2"; parts+=("$k")
done
c1=$(tmp); synth "$c1" 0.9 triangle 523 fade p 0 0.9 0.7
c2=$(tmp); synth "$c2" 0.9 triangle 659 fade p 0 0.9 0.7
c3=$(tmp); synth "$c3" 0.9 triangle 784 fade p 0 0.9 0.7
c4=$(tmp); synth "$c4" 0.9 triangle 1047 fade p 0 0.9 0.7
chord=$(tmp); sox -m "$c1" "$c2" "$c3" "$c4" "$chord"
t=$(tmp); sox "${parts[@]}" "$chord" "$t"; finish winner "$t"

# entered: a single bright bell strike (someone came in).
a=$(tmp); synth "$a" 0.6 sine 1047 fade p 0 0.6 0.58
b=$(tmp); synth "$b" 0.4 sine 2637 fade p 0 0.4 0.39
t=$(tmp); sox -m -v 0.7 "$a" -v 0.3 "$b" "$t"; finish entered "$t"

# set / unset: a die picked up (higher click) or put back (lower click).
t=$(tmp); knock "$t" 1800; finish set "$t"
t=$(tmp); knock "$t" 700; finish unset "$t"

# --- Chatter sounds wave1..wave20 ------------------------------------------------------------

t=$(tmp); say "$t" en-us+m3 30 130 "D'oh!"; finish wave1 "$t"

# wave2 Cough: two chesty bursts.
a=$(tmp); synth "$a" 0.2 brownnoise fade p 0.01 0.2 0.17 bandpass 700 900
b=$(tmp); synth "$b" 0.16 brownnoise fade p 0.01 0.16 0.14 bandpass 600 800 gain -3
g=$(tmp); silence "$g" 0.09
t=$(tmp); sox "$a" "$g" "$b" "$t"; finish wave2 "$t"

t=$(tmp); say "$t" en-us+f3 55 150 "Hello!"; finish wave3 "$t"
t=$(tmp); say "$t" en-us+m2 50 150 "Thank you!"; finish wave4 "$t"
t=$(tmp); say "$t" en-us+f2 60 150 "Where have you been?"; finish wave5 "$t"

# wave6 Snoring: a rattling breath in, a soft breath out, twice.
a=$(tmp); synth "$a" 0.9 pinknoise fade q 0.35 0.9 0.3 lowpass 500 tremolo 32 85
b=$(tmp); synth "$b" 0.6 whitenoise fade q 0.1 0.6 0.4 lowpass 1400 gain -20
g=$(tmp); silence "$g" 0.15
t=$(tmp); sox "$a" "$b" "$g" "$a" "$b" "$t"; finish wave6 "$t"

t=$(tmp); say "$t" en-us+m1 60 120 "Ah... ah... CHOO!"; finish wave7 "$t"
t=$(tmp); say "$t" en-us+f3 45 130 "Sorry!"; finish wave8 "$t"
t=$(tmp); say "$t" en-us+m3 50 140 "Welcome!"; finish wave9 "$t"
t=$(tmp); say "$t" en-us+m4 85 160 "Yee haw!"; finish wave10 "$t"
t=$(tmp); say "$t" en-us+f4 90 170 "Yippee!"; finish wave11 "$t"
t=$(tmp); say "$t" en-us+m2 40 110 "Oh no!"; finish wave12 "$t"

# wave13 Applause: eight people clapping, each at their own pace, with a little jitter.
# (awk's fixed seed keeps the file the same from run to run.)
clappers=()
for person in 1 2 3 4 5 6 7 8; do
  parts=()
  # First line: the person's start delay; then one "band gap" line per clap.
  mapfile -t plan < <(awk -v s=$person 'BEGIN{
    srand(s * 7919); for (i = 0; i < s; i++) rand();
    printf "%.3f\n", 0.01 + rand()*0.2; pace = 0.12 + rand()*0.08;
    for (i = 0; i < 14; i++) printf "%d %.3f\n", 900 + rand()*1800, pace + rand()*0.05 }')
  g=$(tmp); silence "$g" "${plan[0]}"; parts+=("$g")
  for line in "${plan[@]:1}"; do
    read -r band gap <<<"$line"
    k=$(tmp); synth "$k" 0.035 whitenoise fade p 0 0.035 0.033 bandpass "$band" 1200; parts+=("$k")
    g=$(tmp); silence "$g" "$gap"; parts+=("$g")
  done
  c=$(tmp); sox "${parts[@]}" "$c" trim 0 2.0; clappers+=("$c")
done
t=$(tmp); sox -m "${clappers[@]}" "$t" fade t 0.1 2.0 0.7; finish wave13 "$t"

# wave14 Honk: two squeezes of a bicycle horn.
a=$(tmp); synth "$a" 0.22 sawtooth 370 sawtooth 377 fade q 0.01 0.22 0.03 lowpass 2200
g=$(tmp); silence "$g" 0.08
t=$(tmp); sox "$a" "$g" "$a" "$t"; finish wave14 "$t"

# wave15 Oooh: an impressed "ooh" from two voices.
a=$(tmp); say "$a" en-us+f2 70 70 "Ooooooh!"; b=$(tmp); say "$b" en-us+m3 40 70 "Ooooooh!"
t=$(tmp); sox -m "$a" "$b" "$t"; finish wave15 "$t"

# wave16 Razzberry: a buzzing blow with lip noise.
a=$(tmp); synth "$a" 0.9 sawtooth 95 fade q 0.03 0.9 0.2 tremolo 27 70 lowpass 1800
b=$(tmp); synth "$b" 0.9 pinknoise fade q 0.03 0.9 0.2 tremolo 27 90 bandpass 1200 1000
t=$(tmp); sox -m -v 0.65 "$a" -v 0.35 "$b" "$t"; finish wave16 "$t"

# wave17 Cheer: a couple of voices shouting hooray over a little crowd noise.
a=$(tmp); say "$a" en-us+m3 60 150 "Hooray!"; b=$(tmp); say "$b" en-us+f3 80 150 "Hooray!"
c=$(tmp); synth "$c" 1.0 pinknoise fade q 0.1 1.0 0.5 bandpass 1000 1500 gain -22
t=$(tmp); sox -m "$a" "$b" "$c" "$t"; finish wave17 "$t"

t=$(tmp); say "$t" en-us+f4 85 190 "Ha ha ha ha ha!"; finish wave18 "$t"
t=$(tmp); say "$t" en-us+m1 20 160 "Ho ho ho ha ha ha!"; finish wave19 "$t"
t=$(tmp); say "$t" en-us+f2 70 110 "Boo hoo hoo hoo!"; finish wave20 "$t" tremolo 5 40

# The resource list that embeds them (only for the project's own folder).
if [ -z "${1:-}" ]; then
  {
    echo '<!DOCTYPE RCC>'
    echo '<RCC version="1.0">'
    echo '<qresource prefix="/">'
    for f in $(cd "$out/.." && ls sounds/*.wav | sort -V); do echo "    <file>$f</file>"; done
    echo '</qresource>'
    echo '</RCC>'
  } >"$out/../sounds.qrc"
fi

echo "make-sounds: wrote $(ls "$out"/*.wav | wc -l) files to $out"
