# Fog lifts: an airy falling whoosh.
gain 0.55
instrument air
  osc noise 1
  env 0.12 0.3 0.5 0.45
  filter lowpass 300 0.8
  sweep 2700 0.3
end
note air 0 C4 0.5
