# Picking dates and milking goats: a rustle of dry fronds, a bleat and dates dropping into a basket.
gain 0.6
instrument rustle
  osc noise 1
  env 0.02 0.12 0.1 0.1
  filter bandpass 3000 1.2
  gain 0.5
end
instrument bleat
  osc saw 1
  vibrato 7 0.04
  env 0.03 0.2 0.4 0.1
  filter lowpass 1800
  gain 0.3
end
instrument drop
  osc sine 1
  pitch 8 0.03
  env 0.001 0.05 0 0.04
  gain 0.4
end
note rustle 0 C4 0.2
note bleat 0.28 E4 0.25
seq drop 0.65 0.07 A4 F4@0.8 G4@0.6
