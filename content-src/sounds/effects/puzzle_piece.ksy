# A wooden click as a puzzle piece drops.
gain 0.6
instrument wood
  osc pluck 1 0 1 0.9
  env 0.0005 0.08 0 0.04
  filter bandpass 1500 1.5
end
instrument knock
  osc noise 1
  env 0.0005 0.01 0 0.01
  filter bandpass 900 3
  gain 0.5
end
note wood 0 A4 0.04
note knock 0 C4 0.01
