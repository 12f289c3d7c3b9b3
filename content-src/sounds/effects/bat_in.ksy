# A bat flutters in: wing beats and a high squeak.
gain 0.6
instrument wing
  osc noise 1
  env 0.005 0.03 0 0.03
  filter bandpass 1100 1.5
end
instrument squeak
  osc sine 1
  pitch 4 0.03
  vibrato 30 0.8
  env 0.005 0.05 0.4 0.04
  gain 0.35
end
seq wing 0 0.07 C4@0.4 C4@0.6 C4@0.8 C4 C4 C4@0.9
note squeak 0.3 E7 0.08
