# A pick on old field stones: a hard clink, a second ring and grit falling into the leaves.
gain 0.7
instrument clink
  fm 3.1 1.4 0.05
  env 0.0005 0.14 0 0.08
end
instrument grit
  osc noise 1
  env 0.001 0.03 0 0.03
  filter highpass 2200
  gain 0.5
end
note clink 0 B5 0.05
note clink 0.11 E5 0.04 0.5
seq grit 0.03 0.03 C4 C4@0.7 C4@0.4
