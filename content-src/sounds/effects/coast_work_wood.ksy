# An axe into wet, salt-soaked wood: a dull knock and a short split.
gain 0.7
instrument knock
  osc triangle 1
  pitch 7 0.02
  env 0.001 0.12 0 0.07
end
instrument split
  osc noise 1
  env 0.0008 0.05 0 0.04
  filter bandpass 1300 1.8
end
note knock 0 G2 0.06
note split 0 C4 0.04
note split 0.09 C4 0.03 0.4
