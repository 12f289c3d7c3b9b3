# Level music 4, the snowy north: a slow, wide loop in D minor. 18 bars of four beats at 66
# beats per minute (72 beats, 65 s): a soft string pad and a low drone carry long chords
# while glassy bells ring a sparse tune over them and a distant low drum keeps the walk. A
# celesta joins in the second half. The last bar (A) leads back to the first (D minor).
channels 2
tempo 66
length 72
loop
quality 0.3
gain 0.8

instrument pad
  osc saw 0.4 -8
  osc saw 0.4 8
  osc triangle 0.4 0 -1
  env 1.6 1 0.8 2.2
  filter lowpass 900 0.6
  vibrato 0.3 0.05
  gain 0.16
end
instrument drone
  osc sine 1 0 -1
  osc triangle 0.4
  env 2 1 0.9 2.5
  filter lowpass 300
  gain 0.3
end
instrument bell
  fm 3.5 1.6 0.9
  osc sine 1
  env 0.001 2.2 0 1.8
  gain 0.22
  pan 0.35
  echo 0.68 0.4 0.35
end
instrument celesta
  fm 7 0.7 0.3
  osc sine 1 0 1
  env 0.001 0.9 0 0.7
  gain 0.15
  pan -0.4
  echo 0.45 0.35 0.3
end
instrument drum
  osc sine 1
  osc noise 0.15
  pitch 5 0.08
  env 0.002 0.6 0 0.5
  filter lowpass 260
  gain 0.55
end
instrument wind
  osc noise 1
  env 3 1 0.7 3
  filter bandpass 800 0.7
  sweep -300 6
  gain 0.04
  pan -0.2
end

# Chords, a bar of four beats each: Dm Bb F C | Dm Bb Gm A, twice, then Bb A.
seq pad 0 4 D3+F3+A3+E4 Bb2+D3+F3+A3 F3+A3+C4+G4 C3+E3+G3+D4 D3+F3+A3+E4 Bb2+D3+F3+A3 G2+Bb2+D3+F3 A2+C#3+E3+A3
seq pad 32 4 D3+F3+A3+E4 Bb2+D3+F3+A3 F3+A3+C4+G4 C3+E3+G3+D4 D3+F3+A3+E4 Bb2+D3+F3+A3 G2+Bb2+D3+F3 A2+C#3+E3+A3
seq pad 64 4 Bb2+D3+F3+A3 A2+C#3+E3+G3
seq drone 0 8 D2 Bb1 D2 G1 | D2 Bb1 D2 G1 | Bb1 A1

pattern walk
  seq drum 0 2 D1 D1@0.6
end
play walk 8
play walk 12
play walk 16
play walk 20
play walk 24
play walk 28
play walk 32
play walk 36
play walk 40
play walk 44
play walk 48
play walk 52
play walk 56
play walk 60
play walk 64
play walk 68

seq wind 0 24 C4 C4 C4

# The bells: a few notes a bar, room between them.
seq bell 0 1 A5 . . . | F5 . . D5 | C6 . A5 . | G5 . . . | A5 . . E5 | F5 . D5 . | Bb5 . G5 . | A5 . . .
seq bell 32 1 D6 . . A5 | F5 . . . | E5 . C6 . | G5 . . . | F5 . A5 . | D6 . . Bb5 | G5 . . E5 | C#6 . . .
seq bell 64 1 F5 . D5 . | E5 . . .
# The celesta's small figures in the second half.
seq celesta 32 0.5 D6 F6 A6 . . . . . | . . . . Bb5 D6 F6 . | C6 E6 G6 . . . . . | . . . . E6 G6 . .
seq celesta 48 0.5 D6 F6 A6 . . . . . | . . . . Bb5 D6 F6 . | G5 Bb5 D6 . . . . . | A5 C#6 E6 . . . . .
seq celesta 64 0.5 . . Bb5 D6 F6 . . . | A5 C#6 E6 . . . . .
