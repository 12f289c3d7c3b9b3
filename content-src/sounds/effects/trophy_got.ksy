# A small brass fanfare with sparkles for a new trophy.
gain 0.7
tempo 150
instrument brass
  osc saw 0.6 -6
  osc saw 0.6 6
  env 0.02 0.3 0.6 0.3
  filter lowpass 1200 1
  sweep 2500 0.15
end
instrument sparkle
  fm 4 2 0.2
  env 0.001 0.3 0 0.2
  gain 0.5
end
seq brass 0 0.5 G4 C5 E5
note brass 1.5 G5 1.5
note brass 1.5 E5 1.5 0.7
note brass 1.5 C5 1.5 0.7
seq sparkle 1.5 0.25 C7 G6 E7 C7 G7
