# "Off you go": a quick arpeggio with a bell on top.
gain 0.65
tempo 220
instrument marimba
  fm 4 1.4 0.12
  env 0.001 0.35 0 0.2
end
instrument bell
  fm 3.5 2 0.4
  env 0.001 0.8 0 0.4
  gain 0.6
end
seq marimba 0 0.5 C5 E5 G5 C6
note bell 2 C7 1
