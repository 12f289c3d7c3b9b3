# An axe into sun-dried wood: a hard, bright crack and a splinter.
gain 0.7
instrument crack
  osc triangle 1
  pitch 9 0.015
  env 0.0005 0.08 0 0.05
end
instrument splinter
  osc noise 1
  env 0.0005 0.04 0 0.03
  filter bandpass 2400 2.2
end
note crack 0 C3 0.05
note splinter 0 C4 0.03
note splinter 0.07 C4 0.025 0.5
