# A lightning strike: a sharp crack and a rolling rumble.
gain 0.8
instrument crack
  osc noise 1
  env 0.0005 0.05 0 0.05
  filter highpass 1800
end
instrument rumble
  osc noise 1
  env 0.02 1 0.2 0.9
  filter lowpass 180 0.9
  gain 1.5
end
instrument boom
  osc sine 1
  pitch 12 0.05
  env 0.002 0.6 0 0.4
  gain 0.7
end
note crack 0 C4 0.03
note rumble 0.02 C4 0.6
note boom 0.02 E1 0.3
