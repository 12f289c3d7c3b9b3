# A rising whistle, the burst and the crackles falling after it.
gain 0.7
instrument whistle
  osc sine 1
  pitch -14 0.5
  vibrato 11 0.25
  env 0.05 0 1 0.03
  gain 0.35
end
instrument burst
  osc noise 1
  env 0.001 0.4 0 0.5
  filter lowpass 300 0.9
  sweep 5000 0.08
end
instrument crackle
  osc noise 1
  env 0.0005 0.012 0 0.01
  filter highpass 2500
  gain 0.6
end
note whistle 0 C7 0.55
note burst 0.55 C4 0.2
seq crackle 0.75 0.045 C4 C4@0.6 . C4@0.8 C4 . C4@0.5 C4@0.7 . . C4@0.4 C4 . C4@0.3 . C4@0.5
