# A gift of resources: bells tumbling down and a bright chord.
gain 0.65
tempo 300
instrument bell
  fm 3.5 1.6 0.35
  env 0.001 0.6 0 0.4
end
seq bell 0 0.5 G6 E6 C6 G5
note bell 2 C6 1.5 0.8
note bell 2 E6 1.5 0.7
note bell 2 G6 1.5 0.7
