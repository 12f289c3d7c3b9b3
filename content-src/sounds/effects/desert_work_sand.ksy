# A shovel into dry, loose sand: a hiss, a trickle running off the blade.
gain 0.7
instrument hiss
  osc noise 1
  env 0.006 0.12 0.1 0.08
  filter bandpass 2200 0.9
  sweep -900 0.12
end
instrument trickle
  osc noise 1
  env 0.001 0.02 0 0.02
  filter highpass 3200
  gain 0.4
end
instrument thump
  osc sine 1
  pitch 3 0.03
  env 0.002 0.07 0 0.04
  gain 0.6
end
note thump 0 A2 0.04
note hiss 0.01 C4 0.14
seq trickle 0.18 0.04 C4 C4@0.7 C4@0.5 C4@0.3
