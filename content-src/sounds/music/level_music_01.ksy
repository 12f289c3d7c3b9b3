# Level music 1, the meadow: a bright, busy loop in G major. 32 bars at 112 beats per minute
# (128 beats, 69 s): marimba, plucked bass and a shaker from the start, the whistle tune and
# claps from bar 5; a bridge in E minor from bar 17, then the second half of the tune again.
# The last bar (D) leads back to the first (G).
channels 2
tempo 112
length 128
loop
quality 0.3
gain 0.8

instrument marimba
  fm 4 1.4 0.12
  osc sine 1
  env 0.001 0.35 0 0.2
  gain 0.35
  pan 0.25
end
instrument bass
  osc pluck 1 0 -1 0.6
  osc sine 0.5 0 -1
  env 0.002 0.5 0.3 0.12
  filter lowpass 900
  gain 0.6
end
instrument whistle
  osc sine 1
  osc triangle 0.25 0 1
  env 0.03 0.2 0.8 0.15
  vibrato 6 0.12
  pitch -1 0.05
  gain 0.38
  pan -0.25
  echo 0.402 0.25 0.2
end
instrument pad
  osc saw 0.4 -7
  osc saw 0.4 7
  env 0.5 1 0.7 0.8
  filter lowpass 1100 0.7
  gain 0.12
end
instrument kick
  osc sine 1
  pitch 24 0.03
  env 0.001 0.14 0 0.08
  gain 0.5
end
instrument clap
  osc noise 1
  env 0.001 0.06 0 0.06
  filter bandpass 1500 1.2
  gain 0.22
  echo 0.05 0.2 0.3
end
instrument shaker
  osc noise 1
  env 0.004 0.03 0 0.03
  filter bandpass 6500 1.5
  gain 0.12
  pan 0.5
end

pattern mar_major
  seq marimba 0 0.5 G4 B4 D5 B4 G4 B4 D5 G5
end
pattern mar_minor
  seq marimba 0 0.5 E4 G4 B4 G4 E4 G4 B4 E5
end
pattern groove
  seq kick 0 2 C2 C2
  seq shaker 0 0.5 C4@0.6 C4 C4@0.6 C4 C4@0.6 C4 C4@0.6 C4
end
pattern clapping
  seq clap 1 2 C4 C4
end

# Chords: G D Em C | G D Em C | G D Em C | C D G D
play mar_major 0
play mar_major 4 -5
play mar_minor 8
play mar_major 12 -7
play mar_major 16
play mar_major 20 -5
play mar_minor 24
play mar_major 28 -7
play mar_major 32
play mar_major 36 -5
play mar_minor 40
play mar_major 44 -7
play mar_major 48 -7
play mar_major 52 -5
play mar_major 56
play mar_major 60 -5

seq pad 0 4 G3+B3+D4 F#3+A3+D4 G3+B3+E4 G3+C4+E4 G3+B3+D4 F#3+A3+D4 G3+B3+E4 G3+C4+E4
seq pad 32 4 G3+B3+D4 F#3+A3+D4 G3+B3+E4 G3+C4+E4 G3+C4+E4 F#3+A3+D4 G3+B3+D4 F#3+A3+D4

seq bass 0 1 G2 . G2 D3 | D2 . D2 A2 | E2 . E2 B2 | C2 . C2 G2
seq bass 16 1 G2 . G2 D3 | D2 . D2 A2 | E2 . E2 B2 | C2 . C2 G2
seq bass 32 1 G2 . G2 D3 | D2 . D2 A2 | E2 . E2 B2 | C2 . C2 G2
seq bass 48 1 C2 . C2 G2 | D2 . D2 A2 | G2 . G2 D3 | D2 . A2 F#2

seq whistle 16 1 D5 - B4 G4 | A4 - F#4 A4 | B4 - G4 B4 | C5 - E5 -
seq whistle 32 1 D5 G5 - D5 | F#5 - E5 D5 | E5 - B4 - | C5 E5 G5 -
seq whistle 48 1 E5 - D5 C5 | D5 - A4 F#4 | G4 B4 D5 G5 | F#5 - - .

play groove 0
play groove 4
play groove 8
play groove 12
play groove 16
play groove 20
play groove 24
play groove 28
play groove 32
play groove 36
play groove 40
play groove 44
play groove 48
play groove 52
play groove 56
play groove 60
play clapping 16
play clapping 20
play clapping 24
play clapping 28
play clapping 32
play clapping 36
play clapping 40
play clapping 44
play clapping 48
play clapping 52
play clapping 56
play clapping 60

# The bridge (bars 17-24): Em C G D twice, the whistle lower and calmer.
play mar_minor 64
play mar_major 68 -7
play mar_major 72
play mar_major 76 -5
play mar_minor 80
play mar_major 84 -7
play mar_major 88
play mar_major 92 -5
seq pad 64 4 E3+G3+B3 E3+G3+C4 D3+G3+B3 D3+F#3+A3 E3+G3+B3 E3+G3+C4 D3+G3+B3 D3+F#3+A3
seq bass 64 1 E2 . E2 B2 | C2 . C2 G2 | G2 . G2 D3 | D2 . D2 A2
seq bass 80 1 E2 . E2 B2 | C2 . C2 G2 | G2 . G2 D3 | D2 . A2 F#2
seq whistle 64 1 B4 - - G4 | E5 - - C5 | D5 - B4 G4 | A4 - - - | B4 - G4 B4 | E5 - G5 E5 | D5 - B4 D5 | A4 - F#4 -
# The second half of the tune again (bars 25-32), as bars 9-16.
play mar_major 96
play mar_major 100 -5
play mar_minor 104
play mar_major 108 -7
play mar_major 112 -7
play mar_major 116 -5
play mar_major 120
play mar_major 124 -5
seq pad 96 4 G3+B3+D4 F#3+A3+D4 G3+B3+E4 G3+C4+E4 G3+C4+E4 F#3+A3+D4 G3+B3+D4 F#3+A3+D4
seq bass 96 1 G2 . G2 D3 | D2 . D2 A2 | E2 . E2 B2 | C2 . C2 G2
seq bass 112 1 C2 . C2 G2 | D2 . D2 A2 | G2 . G2 D3 | D2 . A2 F#2
seq whistle 96 1 D5 G5 - D5 | F#5 - E5 D5 | E5 - B4 - | C5 E5 G5 -
seq whistle 112 1 E5 - D5 C5 | D5 - A4 F#4 | G4 B4 D5 G5 | F#5 - - .
play groove 64
play groove 68
play groove 72
play groove 76
play groove 80
play groove 84
play groove 88
play groove 92
play groove 96
play groove 100
play groove 104
play groove 108
play groove 112
play groove 116
play groove 120
play groove 124
play clapping 64
play clapping 68
play clapping 72
play clapping 76
play clapping 96
play clapping 100
play clapping 104
play clapping 108
play clapping 112
play clapping 116
play clapping 120
play clapping 124
