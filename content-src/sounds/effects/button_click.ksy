# A short, dry click for buttons.
gain 0.6
instrument tick
  osc pulse 1 0 0 0.3
  osc noise 0.35
  env 0.0005 0.02 0 0.015
  filter bandpass 3200 1.5
end
note tick 0 E6 0.01
