# Something grows back: a rising whoosh with a sparkle.
gain 0.6
instrument whoosh
  osc noise 1
  env 0.15 0.2 0.6 0.2
  filter bandpass 4000 1.2
  sweep -3600 0.25
end
instrument sparkle
  fm 5 1.2 0.1
  env 0.001 0.25 0 0.15
  gain 0.4
end
note whoosh 0 C4 0.35
note sparkle 0.3 E7 0.1
note sparkle 0.36 B7 0.1
