# The clock stops: tick, tock and a low clunk.
gain 0.6
instrument tick
  osc noise 1
  env 0.0005 0.015 0 0.01
  filter bandpass 4000 4
end
instrument tock
  osc noise 1
  env 0.0005 0.02 0 0.015
  filter bandpass 1800 4
end
instrument clunk
  osc sine 1
  osc square 0.2
  pitch 7 0.02
  env 0.001 0.2 0 0.12
  filter lowpass 900
end
note tick 0 C5 0.01
note tock 0.18 C5 0.01
note clunk 0.36 A2 0.08
