# Level music 3, the autumn wood: a warm folk loop in A minor that swings in threes. 32 bars
# of two lilting beats at 72 beats per minute (96 beats, 80 s): a plucked guitar rolls its
# chords in triplets under a low drone and a soft frame drum; the fiddle sings the tune from
# bar 9, the recorder answers it from bar 17, and both join in the last eight bars. The last
# bar (E) leads back to the first (A minor).
channels 2
tempo 72
length 96
loop
quality 0.3
gain 0.8

instrument guitar
  osc pluck 1 0 0 0.55
  env 0.001 0.6 0 0.2
  filter lowpass 2400
  gain 0.34
  pan -0.25
  echo 0.28 0.2 0.15
end
instrument drone
  osc saw 0.5 -5 -1
  osc saw 0.5 5 -1
  env 1.5 1 0.8 2
  filter lowpass 420 0.6
  gain 0.16
end
instrument fiddle
  osc saw 0.8 -4
  osc saw 0.5 4
  env 0.08 0.3 0.8 0.3
  filter lowpass 2100 0.8
  vibrato 5.5 0.14
  gain 0.24
  pan 0.2
  echo 0.42 0.25 0.2
end
instrument recorder
  osc sine 1
  osc triangle 0.3 0 1
  env 0.04 0.2 0.75 0.2
  vibrato 5 0.1
  pitch -0.5 0.04
  gain 0.26
  pan -0.35
end
instrument drum
  osc sine 1
  osc noise 0.2
  pitch 7 0.06
  env 0.001 0.25 0 0.15
  filter lowpass 900
  gain 0.5
end
instrument shaker
  osc noise 1
  env 0.002 0.05 0 0.03
  filter highpass 6000
  gain 0.08
  pan 0.35
end

# One bar of two beats, each beat three rolled eighths.
pattern roll_am
  seq guitar 0 0.3333 A3 E4 A4 C5 A4 E4
end
pattern roll_g
  seq guitar 0 0.3333 G3 D4 G4 B4 G4 D4
end
pattern roll_f
  seq guitar 0 0.3333 F3 C4 F4 A4 F4 C4
end
pattern roll_e
  seq guitar 0 0.3333 E3 B3 E4 G#4 E4 B3
end
pattern roll_c
  seq guitar 0 0.3333 C4 G4 C5 E5 C5 G4
end
pattern roll_dm
  seq guitar 0 0.3333 D4 A4 D5 F5 D5 A4
end
pattern beat
  seq drum 0 0.3333 A1 . A1@0.5 E2@0.7 . .
  seq shaker 0 0.3333 C4@0.6 C4@0.4 C4@0.8 C4@0.5 C4@0.4 C4@0.9
end
# Eight bars: Am G F E | Am G F E (the last E turning home).
pattern verse
  play roll_am 0
  play roll_g 2
  play roll_f 4
  play roll_e 6
  play roll_am 8
  play roll_g 10
  play roll_f 12
  play roll_e 14
end
# Eight bars of the middle: F C G Am | Dm Am E E.
pattern middle
  play roll_f 0
  play roll_c 2
  play roll_g 4
  play roll_am 6
  play roll_dm 8
  play roll_am 10
  play roll_e 12
  play roll_e 14
end

play verse 0
play verse 16
play middle 32
play verse 48
play middle 64
play verse 80

seq drone 0 8 A2+E3 A2+E3 | F2+C3 A2+E3
seq drone 32 4 F2+C3 C3+G3 G2+D3 A2+E3 | D3+A3 A2+E3 E2+B2 E2+B2
seq drone 48 8 A2+E3 A2+E3 | F2+C3 A2+E3
seq drone 64 4 F2+C3 C3+G3 G2+D3 A2+E3 | D3+A3 A2+E3 E2+B2 E2+B2
seq drone 80 8 A2+E3 A2+E3 | F2+C3 E2+B2

# The frame drum plays from the fifth bar on.
play beat 8
play beat 10
play beat 12
play beat 14
play beat 16
play beat 18
play beat 20
play beat 22
play beat 24
play beat 26
play beat 28
play beat 30
play beat 32
play beat 36
play beat 40
play beat 44
play beat 48
play beat 50
play beat 52
play beat 54
play beat 56
play beat 58
play beat 60
play beat 62
play beat 64
play beat 68
play beat 72
play beat 76
play beat 80
play beat 82
play beat 84
play beat 86
play beat 88
play beat 90
play beat 92
play beat 94

# The fiddle's tune over the second verse (in thirds of a beat: long notes hold with "-").
seq fiddle 16 0.3333 E5 - - - - D5 | C5 - B4 A4 - - | C5 - - D5 - - | E5 - - - - - | A5 - - G5 - E5 | D5 - - C5 - D5 | C5 - B4 A4 - - | B4 - - G#4 - -
# The recorder answers over the middle.
seq recorder 32 0.3333 A4 - C5 F5 - E5 | E5 - - G5 - - | D5 - B4 G4 - B4 | C5 - - A4 - - | F5 - - E5 - D5 | C5 - - E5 - - | B4 - - G#4 - B4 | E5 - - - - -
# Third verse: the fiddle again, an octave lower and freer.
seq fiddle 48 0.3333 A4 - - C5 - E5 | D5 - - B4 - G4 | A4 - - F4 - A4 | G#4 - - E4 - - | A4 - C5 E5 - A5 | G5 - - D5 - B4 | C5 - A4 F4 - A4 | B4 - - - - -
# Second middle: both, the recorder a third above the fiddle.
seq fiddle 64 0.3333 A4 - - C5 - - | G4 - - C5 - - | B4 - G4 D5 - - | C5 - - A4 - - | D5 - - F5 - E5 | C5 - - A4 - - | B4 - - G#4 - - | E4 - - - - -
seq recorder 64 0.3333 C5 - - E5 - - | E5 - - G5 - - | D5 - B4 G5 - - | E5 - - C5 - - | F5 - - A5 - G5 | E5 - - C5 - - | D5 - - B4 - - | G#4 - - - - -
# Last verse: the tune of the first, ending on E for the loop.
seq fiddle 80 0.3333 E5 - - - - D5 | C5 - B4 A4 - - | C5 - - D5 - - | E5 - - - - - | A5 - - G5 - E5 | D5 - - C5 - D5 | C5 - B4 A4 - - | B4 - - G#4 - -
seq recorder 80 0.3333 . . . . . . | . . . . . . | A4 - - B4 - - | C5 - - - - - | E5 - - D5 - C5 | B4 - - A4 - B4 | A4 - G4 E4 - - | E4 - - D4 - -
