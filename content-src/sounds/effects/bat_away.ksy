# A bat flies off: wing beats growing faint.
gain 0.55
instrument wing
  osc noise 1
  env 0.005 0.03 0 0.03
  filter bandpass 1000 1.5
end
instrument squeak
  osc sine 1
  pitch -3 0.05
  env 0.005 0.05 0.3 0.04
  gain 0.3
end
note squeak 0 D7 0.06
seq wing 0.05 0.08 C4 C4@0.85 C4@0.7 C4@0.55 C4@0.4 C4@0.28 C4@0.18 C4@0.1
