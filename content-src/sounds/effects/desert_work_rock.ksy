# A pick on sandstone: a dull chock, the stone crumbling into grit.
gain 0.7
instrument chock
  fm 2.3 1.6 0.03
  env 0.0005 0.09 0 0.06
end
instrument crumble
  osc noise 1
  env 0.002 0.05 0 0.05
  filter bandpass 1600 1.1
  gain 0.5
end
note chock 0 G4 0.04
seq crumble 0.03 0.04 C4 C4@0.6 C4@0.4
