# A pick strikes stone: a hard clink and a little crumble.
gain 0.7
instrument clink
  fm 3.7 2 0.03
  env 0.0005 0.12 0 0.08
end
instrument crumble
  osc noise 1
  env 0.001 0.03 0 0.03
  filter lowpass 1800
  gain 0.7
end
note clink 0 D7 0.03
seq crumble 0.04 0.035 C4 C4@0.7 . C4@0.5 C4@0.3
