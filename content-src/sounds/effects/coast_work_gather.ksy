# Hands in the shallows: a splash, a wet swish and shells clicking into a basket.
gain 0.6
instrument splash
  osc noise 1
  env 0.01 0.14 0 0.1
  filter bandpass 1200 0.8
  sweep 900 0.2
end
instrument plop
  osc sine 1
  pitch 10 0.05
  env 0.001 0.07 0 0.05
  gain 0.4
end
instrument shell
  fm 4.3 0.8 0.02
  env 0.0005 0.03 0 0.02
  gain 0.4
end
note splash 0 C4 0.18
note plop 0.12 A4 0.05
note splash 0.35 C4 0.12 0.6
seq shell 0.6 0.06 E6 G6@0.7 D6@0.5
