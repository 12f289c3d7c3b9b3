# An axe into seasoned oak and birch: a bright knock and a crack.
gain 0.7
instrument knock
  osc triangle 1
  pitch 6 0.02
  env 0.001 0.1 0 0.06
end
instrument crack
  osc noise 1
  env 0.0006 0.04 0 0.03
  filter bandpass 1800 1.6
end
note knock 0 A2 0.05
note crack 0 C4 0.03
note crack 0.07 C4 0.02 0.5
