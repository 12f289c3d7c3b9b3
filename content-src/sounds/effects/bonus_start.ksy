# A bonus starts: a quick rising run and a whoosh.
gain 0.65
tempo 360
instrument run
  fm 2 1 0.2
  osc triangle 0.6
  env 0.001 0.25 0 0.15
end
instrument whoosh
  osc noise 1
  env 0.08 0.1 0.5 0.2
  filter bandpass 3000 1
  sweep -2500 0.2
  gain 0.5
end
seq run 0 0.5 C5 E5 G5 C6 E6 G6 C7
note whoosh 0 C4 2
