# The episode map: a cheerful travelling loop in F major. 26 bars of four beats at 100 beats
# per minute (104 beats, 62 s): an accordion-like reed plays the tune over a walking bass, a
# strummed guitar and brushes; a middle part in D minor from bar 11, then the tune again.
# The last bar (C) leads back to the first (F).
channels 2
tempo 100
length 104
loop
quality 0.3
gain 0.8

instrument reed
  osc saw 0.5 -6
  osc saw 0.5 6
  osc pulse 0.3 0 1 0.3
  env 0.03 0.2 0.8 0.2
  filter lowpass 2200 0.8
  vibrato 6 0.08
  gain 0.22
  pan -0.2
  echo 0.3 0.2 0.15
end
instrument guitar
  osc pluck 1 0 0 0.5
  env 0.001 0.35 0 0.12
  filter lowpass 2800
  gain 0.22
  pan 0.3
end
instrument bass
  osc triangle 1
  osc sine 0.6 0 -1
  env 0.005 0.35 0.5 0.15
  filter lowpass 500
  gain 0.5
end
instrument brush
  osc noise 1
  env 0.01 0.08 0 0.06
  filter bandpass 5000 0.8
  gain 0.1
  pan -0.35
end

pattern strum_f
  seq guitar 0 1 . F3+A3+C4+F4 . F3+A3+C4+F4
end
pattern strum_dm
  seq guitar 0 1 . D3+F3+A3+D4 . D3+F3+A3+D4
end
pattern strum_bb
  seq guitar 0 1 . Bb2+D3+F3+Bb3 . Bb2+D3+F3+Bb3
end
pattern strum_c
  seq guitar 0 1 . C3+E3+G3+C4 . C3+E3+G3+C4
end
pattern strum_g
  seq guitar 0 1 . G2+B2+D3+G3 . G2+B2+D3+G3
end
pattern strum_a
  seq guitar 0 1 . A2+C#3+E3+A3 . A2+C#3+E3+A3
end
pattern brushes
  seq brush 0 0.5 C4@0.5 C4 C4@0.5 C4 C4@0.5 C4 C4@0.5 C4@0.8
end
# The tune's harmony, ten bars: F C Dm Bb | F C Bb C | F C.
pattern verse
  play strum_f 0
  play strum_c 4
  play strum_dm 8
  play strum_bb 12
  play strum_f 16
  play strum_c 20
  play strum_bb 24
  play strum_c 28
  play strum_f 32
  play strum_c 36
  seq bass 0 1 F2 A2 C3 A2 | C2 E2 G2 E2 | D2 F2 A2 F2 | Bb1 D2 F2 D2 | F2 A2 C3 A2 | C2 E2 G2 E2 | Bb1 D2 F2 D2 | C2 E2 G2 E2 | F2 A2 C3 A2 | C2 E2 G2 C2
end
# The middle, six bars: Dm A Dm Bb G C.
pattern middle
  play strum_dm 0
  play strum_a 4
  play strum_dm 8
  play strum_bb 12
  play strum_g 16
  play strum_c 20
  seq bass 0 1 D2 F2 A2 F2 | A1 C#2 E2 C#2 | D2 F2 A2 F2 | Bb1 D2 F2 D2 | G1 B1 D2 B1 | C2 E2 G2 E2
end

play verse 0
play middle 40
play verse 64
seq reed 0 1 C5 - A4 C5 | E5 - D5 C5 | D5 - F5 A5 | G5 - F5 D5 | C5 - A4 F4 | G4 - E4 G4 | F4 - D4 F4 | E4 - G4 -
seq reed 32 1 A4 C5 F5 - | E5 - - .
seq reed 40 1 A4 - D5 F5 | E5 - C#5 A4 | F5 - E5 D5 | F5 - D5 Bb4 | B4 - D5 G5 | G5 - E5 C5
seq reed 64 1 C5 - A4 C5 | E5 - D5 C5 | D5 - F5 A5 | G5 - F5 D5 | C5 - A4 F4 | G4 - E4 G4 | F4 - D4 F4 | E4 - G4 - | A4 C5 F5 - | E5 - G5 -
play brushes 0
play brushes 4
play brushes 8
play brushes 12
play brushes 16
play brushes 20
play brushes 24
play brushes 28
play brushes 32
play brushes 36
play brushes 40
play brushes 44
play brushes 48
play brushes 52
play brushes 56
play brushes 60
play brushes 64
play brushes 68
play brushes 72
play brushes 76
play brushes 80
play brushes 84
play brushes 88
play brushes 92
play brushes 96
play brushes 100
