# Main menu: a calm, warm loop in C major. 16 bars at 96 beats per minute (40 s): four bars
# of pad, harp and bass, then the flute tune over a soft beat. The last bar (G) leads back
# to the first (C).
channels 2
tempo 96
length 64
loop
quality 0.3
gain 0.8

instrument pad
  osc saw 0.5 -8
  osc saw 0.5 8
  osc triangle 0.6 0 -1
  env 0.8 1 0.8 1.2
  filter lowpass 900 0.8
  gain 0.22
  echo 0.469 0.3 0.25
end
instrument bass
  osc triangle 1
  osc sine 0.6 0 -1
  env 0.005 0.4 0.5 0.15
  filter lowpass 600
  gain 0.5
end
instrument harp
  osc pluck 1 0 0 0.5
  env 0.001 1.5 0 0.6
  gain 0.32
  pan 0.3
  echo 0.469 0.35 0.3
end
instrument flute
  osc triangle 1
  osc sine 0.4 0 1
  osc noise 0.03
  env 0.06 0.3 0.8 0.25
  vibrato 5 0.12
  filter lowpass 3000
  gain 0.42
  pan -0.2
  echo 0.469 0.3 0.25
end
instrument kick
  osc sine 1
  pitch 24 0.03
  env 0.001 0.15 0 0.1
  gain 0.45
end
instrument hat
  osc noise 1
  env 0.001 0.03 0 0.03
  filter highpass 7000
  gain 0.1
  pan 0.4
end

# One bar of harp arpeggio on a major chord (C) and on a minor chord (A minor).
pattern arp_major
  seq harp 0 0.5 C4 G4 C5 E5 G5 E5 C5 G4
end
pattern arp_minor
  seq harp 0 0.5 A3 E4 A4 C5 E5 C5 A4 E4
end
pattern beat
  seq kick 0 2 C2 C2
  seq hat 0.5 1 C4 C4 C4 C4
end

# Chords: C Am F G | C Am F G | F G Em Am | F G C G
seq pad 0 4 C3+E3+G3 C3+E3+A3 C3+F3+A3 B2+D3+G3 C3+E3+G3 C3+E3+A3 C3+F3+A3 B2+D3+G3
seq pad 32 4 C3+F3+A3 B2+D3+G3 B2+E3+G3 C3+E3+A3 C3+F3+A3 B2+D3+G3 C3+E3+G3 B2+D3+G3

seq bass 0 1 C2 - G2 - | A1 - E2 - | F1 - C2 - | G1 - D2 -
seq bass 16 1 C2 - G2 - | A1 - E2 - | F1 - C2 - | G1 - D2 -
seq bass 32 1 F1 - C2 - | G1 - D2 - | E1 - B1 - | A1 - E2 -
seq bass 48 1 F1 - C2 - | G1 - D2 - | C2 - G2 - | G1 - B1 D2

play arp_major 0
play arp_minor 4
play arp_major 8 -7
play arp_major 12 -5
play arp_major 16
play arp_minor 20
play arp_major 24 -7
play arp_major 28 -5
play arp_major 32 -7
play arp_major 36 -5
play arp_minor 40 -5
play arp_minor 44
play arp_major 48 -7
play arp_major 52 -5
play arp_major 56
play arp_major 60 -5

seq flute 16 1 E5 - G5 E5 | D5 C5 - A4 | C5 - A4 C5 | D5 - - .
seq flute 32 1 A5 - G5 F5 | E5 - D5 - | B4 - E5 G5 | A5 - - E5
seq flute 48 1 F5 - E5 D5 | G5 - F5 D5 | E5 - C5 - | D5 - B4 .

play beat 16
play beat 20
play beat 24
play beat 28
play beat 32
play beat 36
play beat 40
play beat 44
play beat 48
play beat 52
play beat 56
play beat 60
