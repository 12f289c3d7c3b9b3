# A soft rising two-note pop when a message appears.
gain 0.55
instrument pop
  osc sine 1
  osc triangle 0.3 0 1
  env 0.003 0.15 0 0.08
  pitch -5 0.02
end
note pop 0 A5 0.08
note pop 0.07 E6 0.14
