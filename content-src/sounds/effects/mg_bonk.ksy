# A mini-game hit that counts: a wooden knock with a bright ring.
gain 0.6
instrument knock
  osc triangle 1
  pitch 12 0.02
  env 0.001 0.09 0 0.05
  filter lowpass 1800
end
instrument ring
  osc sine 0.5
  fm 3.5 1.2 0.1
  env 0.002 0.2 0 0.1
end
note knock 0 G3 0.06
note ring 0.02 D6 0.12
