# An objective is met: a warm chord ding and a high answer.
gain 0.65
instrument bell
  fm 3.5 1.8 0.5
  env 0.001 1 0 0.6
end
instrument answer
  osc sine 1
  osc sine 0.3 0 1
  env 0.005 0.5 0 0.4
end
note bell 0 C5 0.6
note bell 0 E5 0.6 0.8
note bell 0 G5 0.6 0.8
note answer 0.12 C6 0.5 0.6
