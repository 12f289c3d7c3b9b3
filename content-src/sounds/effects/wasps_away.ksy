# The wasps leave: the buzz falls and fades.
gain 0.5
instrument buzz
  osc saw 1
  osc saw 0.8 23
  osc saw 0.6 -17
  vibrato 19 0.3
  pitch -4 0.4
  env 0.02 0.5 0.2 0.3
  filter bandpass 800 1.2
  sweep 400 0.3
end
note buzz 0 A3 0.5
