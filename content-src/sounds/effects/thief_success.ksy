# A thief gets away with the loot: a falling, mocking three-note run.
gain 0.5
instrument pluck
  osc triangle 1
  osc sine 0.3
  env 0.002 0.08 0.3 0.06
end
note pluck 0 A5 0.08
note pluck 0.09 F5 0.08
note pluck 0.18 C5 0.16
