# A bird is caught: two quick chirps.
gain 0.55
instrument chirp
  osc sine 1
  pitch 12 0.025
  env 0.002 0.05 0 0.03
end
note chirp 0 C7 0.04
note chirp 0.08 E7 0.05
