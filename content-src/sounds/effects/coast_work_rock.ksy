# A pick on coral and cliff rock: a dry clink, grit falling and a drip of water.
gain 0.7
instrument clink
  fm 3.7 1.2 0.04
  env 0.0005 0.12 0 0.08
end
instrument grit
  osc noise 1
  env 0.001 0.03 0 0.03
  filter highpass 2500
  gain 0.5
end
instrument drip
  osc sine 1
  pitch 12 0.04
  env 0.001 0.06 0 0.04
  gain 0.35
end
note clink 0 C6 0.04
seq grit 0.02 0.03 C4 C4@0.7 C4@0.5 C4@0.3
note drip 0.3 E5 0.04
