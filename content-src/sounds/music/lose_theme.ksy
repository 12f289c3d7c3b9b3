# The level is lost: a gentle, rueful loop in C minor that says "try again". 8 bars of four
# beats at 72 beats per minute (32 beats, 27 s): a music box plays the falling tune over soft
# strings and a slow bass; the last bar (G) turns back hopefully to the first.
channels 2
tempo 72
length 32
loop
quality 0.3
gain 0.7

instrument musicbox
  fm 5 0.9 0.5
  osc sine 1
  env 0.001 1.2 0 0.8
  gain 0.28
  pan 0.25
  echo 0.42 0.35 0.3
end
instrument strings
  osc saw 0.4 -7
  osc saw 0.4 7
  env 0.9 1 0.8 1.5
  filter lowpass 850 0.6
  gain 0.14
end
instrument bass
  osc sine 1 0 -1
  osc triangle 0.3
  env 0.05 0.6 0.5 0.6
  filter lowpass 400
  gain 0.4
end

# Cm Ab Fm G | Cm Ab Bb G
seq strings 0 4 C3+Eb3+G3 Ab2+C3+Eb3 F2+Ab2+C3 G2+B2+D3 C3+Eb3+G3 Ab2+C3+Eb3 Bb2+D3+F3 G2+B2+D3
seq bass 0 2 C2 G1 | Ab1 Eb2 | F1 C2 | G1 D2 | C2 G1 | Ab1 Eb2 | Bb1 F2 | G1 B1
seq musicbox 0 0.5 G5 . Eb5 . C5 . . . | Ab5 . G5 . Eb5 . . . | F5 . Ab5 . C6 . Ab5 . | G5 . . . D5 . . .
seq musicbox 16 0.5 C6 . G5 . Eb5 . . . | C5 . Eb5 . Ab5 . G5 . | F5 . D5 . Bb4 . D5 . | G5 . B4 . D5 . G5 .
