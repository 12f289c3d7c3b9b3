# The eagle takes off: a falling screech.
gain 0.6
instrument screech
  osc saw 1
  osc saw 0.5 12
  pitch 5 0.15
  vibrato 7 0.4
  env 0.03 0.2 0.6 0.2
  filter bandpass 2200 1.5
end
note screech 0 E6 0.5
