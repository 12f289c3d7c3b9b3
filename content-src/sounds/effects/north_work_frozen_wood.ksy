# An axe into frozen wood: a hard crack with a little ring.
gain 0.7
instrument crack
  osc noise 1
  env 0.0005 0.04 0 0.04
  filter bandpass 2200 2.5
end
instrument knock
  osc triangle 1
  pitch 9 0.015
  env 0.001 0.1 0 0.06
end
instrument frost
  fm 2.9 1 0.04
  env 0.001 0.1 0 0.08
  gain 0.25
end
note crack 0 C4 0.03
note knock 0 A2 0.05
note frost 0.01 B6 0.03
