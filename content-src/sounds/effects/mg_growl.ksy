# A threat comes: a short growl.
gain 0.55
instrument growl
  osc saw 1
  osc noise 0.3
  vibrato 22 0.8
  env 0.04 0.3 0.4 0.15
  filter lowpass 600 1.5
end
note growl 0 D2 0.45
