# Level music 5, the red desert: a driving loop on E with the flat second and the raised
# third (E F G# A B C D). 32 bars of four beats at 96 beats per minute (128 beats, 80 s): a
# drone of E and B, hand drums in a dancing 3+3+2, a plucked lute's running figure and, from
# bar 9, a breathy reed flute with the tune; the lute takes the tune in the third part. The
# last bar turns on F back to E.
channels 2
tempo 96
length 128
loop
quality 0.3
gain 0.8

instrument lute
  osc pluck 1 0 0 0.4
  osc pluck 0.4 7 0 0.6
  env 0.001 0.4 0 0.15
  filter lowpass 3000
  gain 0.3
  pan 0.3
  echo 0.31 0.2 0.15
end
instrument drone
  osc saw 0.5 -4 -1
  osc saw 0.5 4 -1
  env 1 1 0.85 1.5
  filter lowpass 500 0.7
  gain 0.14
end
instrument reed
  osc sine 1
  osc triangle 0.25
  osc noise 0.05
  env 0.08 0.2 0.8 0.25
  filter lowpass 2600
  vibrato 5.5 0.18
  pitch -1 0.08
  gain 0.28
  pan -0.25
  echo 0.47 0.3 0.25
end
instrument doum
  osc sine 1
  pitch 6 0.04
  env 0.001 0.3 0 0.2
  gain 0.55
end
instrument tek
  osc noise 1
  env 0.001 0.04 0 0.03
  filter bandpass 3200 2
  gain 0.2
  pan 0.15
end
instrument bass
  osc triangle 1
  osc sine 0.6 0 -1
  env 0.005 0.3 0.6 0.2
  filter lowpass 450
  gain 0.45
end

# One bar of hand drums: low strokes at 1, the "and" of 2 and 4; sharp strokes between.
pattern drums
  seq doum 0 0.5 E2 . . E2 . . E2@0.7 .
  seq tek 0 0.5 . C4@0.5 C4 . C4@0.6 C4 . C4@0.8
end
# The lute's running figure on E, and on F for the turn.
pattern run_e
  seq lute 0 0.5 E4 F4 G#4 F4 E4 B3 C4 B3
end
pattern run_a
  seq lute 0 0.5 A4 B4 C5 B4 A4 E4 F4 E4
end
pattern run_f
  seq lute 0 0.5 F4 G#4 A4 G#4 F4 E4 D4 E4
end
pattern part
  play run_e 0
  play run_e 4
  play run_a 8
  play run_e 12
  play run_e 16
  play run_a 20
  play run_e 24
  play run_f 28
end
pattern groove
  play drums 0
  play drums 4
  play drums 8
  play drums 12
  play drums 16
  play drums 20
  play drums 24
  play drums 28
  seq bass 0 2 E2 . E2 B1 | A1 . E2 . | E2 . E2 B1 | A1 . F2 E2
end

play part 0
play part 32
play part 96
play groove 0
play groove 32
play groove 64
play groove 96
seq drone 0 8 E2+B2 E2+B2 A2+E3 E2+B2 | E2+B2 A2+E3 E2+B2 F2+C3
seq drone 64 8 E2+B2 E2+B2 A2+E3 E2+B2 | E2+B2 A2+E3 E2+B2 F2+C3

# The reed's tune (bars 9-16) and its answer (bars 25-32).
seq reed 32 0.5 B4 - - - C5 B4 G#4 - | A4 - - - G#4 F4 E4 - | G#4 A4 B4 - C5 - D5 - | C5 B4 A4 - B4 - - - | E5 - - D5 C5 B4 A4 - | B4 C5 B4 A4 G#4 - - - | F4 G#4 A4 - G#4 F4 E4 - | F4 - - - E4 - - -
seq reed 96 0.5 E5 - - - F5 E5 D5 - | C5 - - - B4 A4 G#4 - | A4 B4 C5 - D5 - E5 - | F5 E5 D5 - C5 - - - | B4 - - C5 B4 A4 G#4 - | A4 B4 A4 G#4 F4 - - - | E4 F4 G#4 - A4 G#4 F4 - | F4 - - - E4 - - -
# The third part (bars 17-24): the lute takes the tune, the reed rests.
seq lute 64 0.5 E4 . G#4 . B4 . C5 B4 | A4 . . . G#4 F4 E4 . | F4 . A4 . C5 . B4 A4 | G#4 . . . . . . . | E5 . D5 C5 B4 . A4 . | B4 C5 B4 A4 G#4 . . . | A4 . G#4 F4 E4 . F4 . | F4 . E4 . . . . .
seq lute 64 1 E3 . . . | A3 . . . | F3 . . . | E3 . . . | A3 . . . | E3 . . . | A3 . . . | F3 . E3 .
