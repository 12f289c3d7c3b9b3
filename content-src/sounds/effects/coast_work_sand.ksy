# A spade into wet sand and seaweed: a soft, heavy crunch and a slap.
gain 0.7
instrument crunch
  osc noise 1
  env 0.004 0.1 0.2 0.06
  filter bandpass 650 1.2
  sweep -300 0.1
end
instrument slap
  osc noise 1
  env 0.001 0.03 0 0.03
  filter lowpass 1400
  gain 0.6
end
instrument thud
  osc sine 1
  pitch 4 0.03
  env 0.002 0.09 0 0.05
end
note crunch 0 C4 0.12
note thud 0.02 G2 0.05
note slap 0.22 C4 0.04 0.6
