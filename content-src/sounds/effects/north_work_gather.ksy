# Hands brush snow off and gather: soft swishes and a crisp bite.
gain 0.6
instrument swish
  osc noise 1
  env 0.03 0.1 0 0.08
  filter bandpass 1800 1
  sweep 800 0.15
end
instrument bite
  osc noise 1
  env 0.001 0.02 0 0.02
  filter highpass 4000
  gain 0.5
end
note swish 0 C4 0.15
note swish 0.3 C4 0.15 0.7
seq bite 0.6 0.05 C4 C4@0.6 C4@0.4
