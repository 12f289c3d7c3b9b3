# A bonus can be used: a rising shimmer.
gain 0.55
tempo 300
instrument rise
  osc sine 1
  osc sine 0.4 7
  env 0.05 0.3 0.6 0.25
  pitch -12 0.12
end
instrument sparkle
  fm 5 1.5 0.15
  env 0.001 0.25 0 0.15
  gain 0.5
end
note rise 0 E5 1.5
seq sparkle 0.5 0.5 E6 G6 B6 E7
