# The wasps are swatted: a slap and an angry buzz cut short.
gain 0.65
instrument slap
  osc noise 1
  env 0.0005 0.04 0 0.04
  filter bandpass 1800 0.8
end
instrument buzz
  osc saw 1
  osc saw 0.8 31
  vibrato 23 0.6
  pitch 5 0.1
  env 0.005 0.1 0.6 0.08
  filter bandpass 1100 1.5
  gain 0.6
end
note slap 0 C4 0.02
note buzz 0.02 C4 0.2
