# Star 1 of the level result: 1 rising bell note(s).
gain 0.6
tempo 240
instrument bell
  fm 3.01 1.6 0.3
  env 0.001 0.7 0 0.5
end
instrument shine
  osc sine 0.5 0 1
  env 0.001 0.25 0 0.2
  gain 0.4
end
seq bell 0 0.5 C6
seq shine 0 0.5 C6
