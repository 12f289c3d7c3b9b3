# A puzzle piece is found: a quick high sparkle.
gain 0.6
tempo 400
instrument sparkle
  fm 5 1.5 0.15
  osc sine 0.5
  env 0.001 0.3 0 0.2
end
seq sparkle 0 0.5 E6 G#6 B6 E7 G#7
