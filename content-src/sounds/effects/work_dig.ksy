# A shovel bites into the ground and throws the earth aside.
gain 0.65
instrument scrape
  osc noise 1
  env 0.02 0.1 0.5 0.08
  filter bandpass 2200 1.2
  sweep -1200 0.1
end
instrument earth
  osc noise 1
  env 0.005 0.15 0 0.15
  filter lowpass 450
  gain 1.2
end
note scrape 0 C4 0.15
note earth 0.2 C4 0.1
