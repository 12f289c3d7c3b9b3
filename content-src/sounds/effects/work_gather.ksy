# Rustling leaves and twigs while something is gathered.
gain 0.6
instrument rustle
  osc noise 1
  env 0.004 0.05 0 0.04
  filter bandpass 3500 1.5
end
instrument twig
  osc noise 1
  env 0.0005 0.012 0 0.01
  filter bandpass 2000 3
  gain 0.7
end
seq rustle 0 0.05 C4 C4@0.6 . C4@0.8 . C4@0.5 C4 . C4@0.7 C4@0.4
note twig 0.12 C4 0.01
note twig 0.31 C4 0.01 0.7
