# The story pages: a gentle storybook loop in A minor. 12 bars at 84 beats per minute
# (34 s): celesta tune over harp and soft strings. The last bar (E major) leads back to A
# minor.
channels 2
tempo 84
length 48
loop
quality 0.3
gain 0.8

instrument celesta
  fm 3.5 1.3 0.35
  osc sine 0.6
  env 0.001 0.9 0 0.6
  gain 0.45
  pan -0.2
  echo 0.536 0.35 0.3
end
instrument harp
  osc pluck 1 0 0 0.45
  env 0.001 1.5 0 0.6
  gain 0.3
  pan 0.3
end
instrument strings
  osc saw 0.5 -8
  osc saw 0.5 8
  env 1 1 0.85 1.5
  filter lowpass 800 0.7
  gain 0.2
end
instrument bass
  osc sine 1
  osc triangle 0.3
  env 0.02 0.6 0.5 0.3
  gain 0.45
end

pattern arp_minor
  seq harp 0 0.5 A3 E4 A4 C5 E5 C5 A4 E4
end
pattern arp_major
  seq harp 0 0.5 C4 G4 C5 E5 G5 E5 C5 G4
end

# Chords: Am F C G | Am F C E | Dm G C E
play arp_minor 0
play arp_major 4 -7
play arp_major 8
play arp_major 12 -5
play arp_minor 16
play arp_major 20 -7
play arp_major 24
play arp_major 28 4
play arp_minor 32 -7
play arp_major 36 -5
play arp_major 40
play arp_major 44 4

seq strings 0 4 A2+C3+E3 A2+C3+F3 G2+C3+E3 G2+B2+D3 A2+C3+E3 A2+C3+F3 G2+C3+E3 G#2+B2+E3
seq strings 32 4 A2+D3+F3 G2+B2+D3 G2+C3+E3 G#2+B2+E3

seq bass 0 2 A1 E2 | F1 C2 | C2 G1 | G1 D2 | A1 E2 | F1 C2 | C2 G1 | E1 B1 | D2 A1 | G1 D2 | C2 G1 | E1 G#1

seq celesta 0 1 A4 C5 E5 - | F5 - E5 C5 | E5 - G5 - | D5 - B4 -
seq celesta 16 1 A4 C5 E5 A5 | A5 - G5 F5 | E5 - C5 E5 | G#5 - - .
seq celesta 32 1 F5 - D5 A4 | B4 - D5 G5 | E5 - C5 G4 | B4 - G#4 -
