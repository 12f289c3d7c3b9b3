# The wrong one: a dull clunk, falling.
gain 0.55
instrument clunk
  osc square 1
  pitch 5 0.1
  env 0.002 0.15 0 0.08
  filter lowpass 500
end
note clunk 0 C3 0.1
note clunk 0.12 G2 0.14
