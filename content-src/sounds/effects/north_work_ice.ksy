# A pick on hard ice: a glassy ring and a spray of chips.
gain 0.7
instrument ring
  fm 5.1 1.6 0.05
  env 0.0005 0.18 0 0.1
end
instrument chips
  osc noise 1
  env 0.001 0.02 0 0.02
  filter highpass 3500
  gain 0.6
end
note ring 0 E7 0.04
seq chips 0.02 0.025 C4 C4@0.8 C4@0.6 . C4@0.4
