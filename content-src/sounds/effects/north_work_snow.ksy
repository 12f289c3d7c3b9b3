# A shovel bites into packed snow and throws it aside.
gain 0.7
instrument crunch
  osc noise 1
  env 0.005 0.09 0.2 0.06
  filter bandpass 900 1.5
  sweep -400 0.1
end
instrument thud
  osc sine 1
  pitch 5 0.03
  env 0.002 0.08 0 0.05
end
note crunch 0 C4 0.12
note thud 0.02 A2 0.05
note crunch 0.2 C4 0.06 0.5
