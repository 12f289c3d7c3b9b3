# "Off you go": a rising marimba motif.
gain 0.65
tempo 200
instrument marimba
  fm 4 1.4 0.12
  osc sine 1
  env 0.001 0.35 0 0.2
end
seq marimba 0 0.5 G4 C5 E5 - C6
