# The level is won: a festive loop in F major. 16 bars at 120 beats per minute (32 s) of
# brass tune, bell arpeggios, bass and a marching beat. The last bar (C) leads back to F.
channels 2
tempo 120
length 64
loop
quality 0.3
gain 0.8

instrument brass
  osc saw 0.6 -6
  osc saw 0.6 6
  env 0.02 0.3 0.65 0.2
  filter lowpass 1300 1
  sweep 2200 0.12
  gain 0.4
  pan -0.2
  echo 0.375 0.25 0.2
end
instrument bell
  fm 3.5 1.6 0.25
  env 0.001 0.4 0 0.25
  gain 0.28
  pan 0.35
end
instrument bass
  osc pluck 1 0 -1 0.6
  osc sine 0.6 0 -1
  env 0.002 0.4 0.4 0.1
  filter lowpass 800
  gain 0.55
end
instrument kick
  osc sine 1
  pitch 24 0.03
  env 0.001 0.14 0 0.08
  gain 0.5
end
instrument snare
  osc noise 1
  osc triangle 0.3
  env 0.001 0.08 0 0.08
  filter bandpass 1800 0.9
  gain 0.25
end

pattern bells_major
  seq bell 0 0.5 F5 A5 C6 A5 F5 A5 C6 F6
end
pattern bells_minor
  seq bell 0 0.5 D5 F5 A5 F5 D5 F5 A5 D6
end
pattern march
  seq kick 0 1 C2 . C2 .
  seq snare 1 2 C4 C4
  seq snare 3.5 1 C4@0.5
end
pattern fanfare
  seq brass 0 1 C5 - F5 A5 | Bb5 - A5 F5 | G5 - E5 C5 | F5 - - .
end

# Chords: F Bb C F | Dm Bb C C | F Bb C F | Dm Bb C C
play bells_major 0
play bells_major 4 5
play bells_major 8 -5
play bells_major 12
play bells_minor 16
play bells_major 20 5
play bells_major 24 -5
play bells_major 28 -5
play bells_major 32
play bells_major 36 5
play bells_major 40 -5
play bells_major 44
play bells_minor 48
play bells_major 52 5
play bells_major 56 -5
play bells_major 60 -5

seq bass 0 1 F2 C2 F2 C2 | Bb1 F2 Bb1 F2 | C2 G2 C2 G2 | F2 C2 F2 A2
seq bass 16 1 D2 A1 D2 A1 | Bb1 F2 Bb1 F2 | C2 G2 C2 G2 | C2 E2 G2 E2
seq bass 32 1 F2 C2 F2 C2 | Bb1 F2 Bb1 F2 | C2 G2 C2 G2 | F2 C2 F2 A2
seq bass 48 1 D2 A1 D2 A1 | Bb1 F2 Bb1 F2 | C2 G2 C2 G2 | C2 E2 G2 E2

play fanfare 0
seq brass 16 1 A5 - F5 D5 | D5 - F5 Bb5 | C6 - Bb5 G5 | E5 - G5 -
play fanfare 32
seq brass 48 1 F5 - A5 D6 | D6 - Bb5 F5 | G5 - E5 G5 | C5+E5 - - .

play march 0
play march 4
play march 8
play march 12
play march 16
play march 20
play march 24
play march 28
play march 32
play march 36
play march 40
play march 44
play march 48
play march 52
play march 56
play march 60
