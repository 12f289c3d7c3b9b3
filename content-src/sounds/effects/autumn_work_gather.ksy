# Picking in the wood: leaves rustling, a twig snapping, fruit dropping into a basket.
gain 0.6
instrument rustle
  osc noise 1
  env 0.02 0.16 0 0.1
  filter bandpass 3000 0.8
end
instrument snap
  osc noise 1
  env 0.0005 0.02 0 0.02
  filter bandpass 2200 2
end
instrument drop
  osc sine 1
  pitch 8 0.04
  env 0.001 0.08 0 0.05
  gain 0.5
end
note rustle 0 C4 0.2
note snap 0.22 C4 0.02
seq drop 0.4 0.12 G3 D3@0.8 A3@0.6
