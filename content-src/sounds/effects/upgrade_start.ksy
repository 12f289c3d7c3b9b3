# Building work begins on a house: two wooden knocks and a rising saw stroke.
gain 0.55
instrument knock
  osc sine 1
  osc noise 0.3
  pitch 8 0.02
  env 0.001 0.08 0 0.05
  filter lowpass 1800
end
instrument saw
  osc noise 1
  filter bandpass 1400 2
  sweep -600 0.25
  env 0.03 0.2 0.3 0.08
  gain 0.4
end
note knock 0 G3 0.04
note knock 0.14 C4 0.04
note saw 0.3 C4 0.3
