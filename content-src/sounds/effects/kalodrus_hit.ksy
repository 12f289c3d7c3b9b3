# A hit: a deep thump and a short crash.
gain 0.75
instrument thump
  osc sine 1
  pitch 24 0.025
  env 0.001 0.25 0 0.15
end
instrument crash
  osc noise 1
  env 0.001 0.12 0 0.1
  filter lowpass 1200
  sweep 4000 0.04
  gain 0.6
end
note thump 0 A1 0.15
note crash 0 C4 0.05
