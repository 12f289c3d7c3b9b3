# A rake and a spade in wet leaves and mud: a dry rustle, a squelch.
gain 0.7
instrument rustle
  osc noise 1
  env 0.01 0.12 0.2 0.08
  filter bandpass 2600 0.9
  sweep -900 0.14
end
instrument squelch
  osc noise 1
  env 0.003 0.06 0 0.05
  filter lowpass 700
  sweep 300 0.06
end
note rustle 0 C4 0.16
note squelch 0.2 C4 0.06 0.7
