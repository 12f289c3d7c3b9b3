# A building stands finished: a bright rising chord with a bell on top.
gain 0.6
instrument pad
  osc triangle 1
  osc sine 0.5 7
  env 0.01 0.2 0.5 0.3
end
instrument bell
  fm 3.5 1.5 0.4
  env 0.001 0.6 0 0.4
  gain 0.5
end
note pad 0 C5 0.12
note pad 0.1 E5 0.12
note pad 0.2 G5 0.35
note bell 0.3 C6 0.5
