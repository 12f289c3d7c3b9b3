# The puzzle is complete: an arpeggio up and a ringing chord.
gain 0.7
tempo 240
instrument marimba
  fm 4 1.2 0.15
  osc sine 1
  env 0.001 0.4 0 0.2
end
instrument bell
  fm 3.5 2 0.6
  env 0.001 1.2 0 0.8
  gain 0.7
end
seq marimba 0 0.5 C5 E5 G5 C6 E6 G6
note bell 3 C6 2
note bell 3 E6 2 0.7
note bell 3 G6 2 0.7
