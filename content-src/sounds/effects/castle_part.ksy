# A new part of the castle: a stone thud and a bright chime.
gain 0.7
instrument stone
  osc sine 1
  pitch 12 0.03
  env 0.001 0.3 0 0.2
end
instrument dust
  osc noise 1
  env 0.002 0.25 0 0.2
  filter lowpass 500
  gain 0.5
end
instrument chime
  fm 3.5 1.6 0.5
  env 0.001 1 0 0.6
  gain 0.6
end
note stone 0 G1 0.15
note dust 0 C4 0.1
note chime 0.2 G5 0.5
note chime 0.32 D6 0.6
