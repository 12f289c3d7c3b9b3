# Nothing to collect here: a low "bonk-bonk".
gain 0.55
tempo 300
instrument bonk
  osc square 1
  osc sine 0.6 0 -1
  env 0.003 0.12 0.3 0.08
  filter lowpass 700 1.2
end
seq bonk 0 0.5 E3 . C3 -
