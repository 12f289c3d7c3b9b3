# Level music 2, the coast: an adventurous loop in D minor. 32 bars at 100 beats per minute
# (128 beats, 77 s): a pizzicato ostinato, strings and toms throughout, the horn tune from
# bar 5; a brighter bridge in F major from bar 17, then the last half of the tune again. The
# last bar (A major) leads back to the first (D minor).
channels 2
tempo 100
length 128
loop
quality 0.3
gain 0.8

instrument pizz
  osc pluck 1 0 0 0.75
  env 0.001 0.3 0 0.1
  filter lowpass 2600
  gain 0.4
  pan 0.3
  echo 0.45 0.25 0.2
end
instrument strings
  osc saw 0.5 -9
  osc saw 0.5 9
  osc saw 0.3 0 -1
  env 0.6 1 0.85 1
  filter lowpass 1300 0.7
  vibrato 4.5 0.06
  gain 0.2
  pan -0.15
end
instrument bass
  osc triangle 1
  osc sine 0.7 0 -1
  env 0.01 0.5 0.6 0.2
  filter lowpass 500
  gain 0.55
end
instrument horn
  osc saw 0.7
  osc pulse 0.4 4 0 0.35
  env 0.05 0.3 0.75 0.25
  filter lowpass 1400 0.9
  sweep 900 0.12
  vibrato 5 0.1
  gain 0.36
  pan -0.3
  echo 0.45 0.3 0.25
end
instrument tom
  osc sine 1
  osc triangle 0.3
  pitch 9 0.05
  env 0.001 0.3 0 0.2
  gain 0.5
end
instrument rim
  osc noise 1
  env 0.0005 0.02 0 0.02
  filter bandpass 2500 3
  gain 0.18
  pan 0.4
end

pattern ost_minor
  seq pizz 0 0.5 D4 A4 F4 A4 D4 A4 F4 A4
end
pattern ost_major
  seq pizz 0 0.5 D4 A4 F#4 A4 D4 A4 F#4 A4
end
pattern drums
  seq tom 0 0.5 D2 . . D2 A2 . A2@0.6 E2@0.7
  seq rim 1 2 C4 C4
end

# Chords: Dm Bb C A | Dm Bb C A | Gm Bb F A | Dm Bb C A
play ost_minor 0
play ost_major 4 -4
play ost_major 8 -2
play ost_major 12 -5
play ost_minor 16
play ost_major 20 -4
play ost_major 24 -2
play ost_major 28 -5
play ost_minor 32 -7
play ost_major 36 -4
play ost_major 40 -9
play ost_major 44 -5
play ost_minor 48
play ost_major 52 -4
play ost_major 56 -2
play ost_major 60 -5

seq strings 0 4 D3+F3+A3 D3+F3+Bb3 C3+E3+G3 C#3+E3+A3 D3+F3+A3 D3+F3+Bb3 C3+E3+G3 C#3+E3+A3
seq strings 32 4 D3+G3+Bb3 D3+F3+Bb3 C3+F3+A3 C#3+E3+A3 D3+F3+A3 D3+F3+Bb3 C3+E3+G3 C#3+E3+A3

seq bass 0 2 D2 A1 | Bb1 F2 | C2 G2 | A1 E2 | D2 A1 | Bb1 F2 | C2 G2 | A1 E2
seq bass 32 2 G1 D2 | Bb1 F2 | F1 C2 | A1 E2 | D2 A1 | Bb1 F2 | C2 G2 | A1 C#2

seq horn 16 1 A4 - D5 - | F5 - D5 - | E5 - G5 E5 | C#5 - - .
seq horn 32 1 D5 - Bb4 G4 | F5 - D5 Bb4 | C5 - A4 C5 | E5 - C#5 -
seq horn 48 1 D5 - F5 A5 | Bb5 - A5 F5 | G5 - E5 C5 | A4 - C#5 E5

play drums 0
play drums 4
play drums 8
play drums 12
play drums 16
play drums 20
play drums 24
play drums 28
play drums 32
play drums 36
play drums 40
play drums 44
play drums 48
play drums 52
play drums 56
play drums 60

# The bridge (bars 17-24): F C Dm Bb | F C Bb A, the horn broad and high.
pattern ost_bright
  seq pizz 0 0.5 F4 C5 A4 C5 F4 C5 A4 C5
end
play ost_bright 64
play ost_bright 68 -5
play ost_minor 72
play ost_bright 76 5
play ost_bright 80
play ost_bright 84 -5
play ost_bright 88 5
play ost_major 92 -5
seq strings 64 4 F3+A3+C4 E3+G3+C4 D3+F3+A3 D3+F3+Bb3 F3+A3+C4 E3+G3+C4 D3+F3+Bb3 C#3+E3+A3
seq bass 64 2 F2 C2 | C2 G2 | D2 A1 | Bb1 F2 | F2 C2 | C2 G2 | Bb1 F2 | A1 E2
seq horn 64 1 C5 - F5 - | G5 - E5 C5 | D5 - F5 A5 | Bb5 - - . | A5 - F5 C5 | G5 - E5 G5 | F5 - D5 Bb4 | C#5 - E5 -
# The last half of the tune again (bars 25-32), as bars 9-16.
play ost_minor 96 -7
play ost_major 100 -4
play ost_major 104 -9
play ost_major 108 -5
play ost_minor 112
play ost_major 116 -4
play ost_major 120 -2
play ost_major 124 -5
seq strings 96 4 D3+G3+Bb3 D3+F3+Bb3 C3+F3+A3 C#3+E3+A3 D3+F3+A3 D3+F3+Bb3 C3+E3+G3 C#3+E3+A3
seq bass 96 2 G1 D2 | Bb1 F2 | F1 C2 | A1 E2 | D2 A1 | Bb1 F2 | C2 G2 | A1 C#2
seq horn 96 1 D5 - Bb4 G4 | F5 - D5 Bb4 | C5 - A4 C5 | E5 - C#5 -
seq horn 112 1 D5 - F5 A5 | Bb5 - A5 F5 | G5 - E5 C5 | A4 - C#5 E5
play drums 64
play drums 68
play drums 72
play drums 76
play drums 80
play drums 84
play drums 88
play drums 92
play drums 96
play drums 100
play drums 104
play drums 108
play drums 112
play drums 116
play drums 120
play drums 124
