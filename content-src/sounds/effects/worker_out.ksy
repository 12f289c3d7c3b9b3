# A worker sets out: a short "hup" whistle and a step.
gain 0.55
instrument hup
  osc sine 1
  osc triangle 0.2
  pitch -7 0.06
  env 0.01 0.1 0.5 0.06
end
instrument step
  osc noise 1
  env 0.001 0.03 0 0.03
  filter bandpass 700 1.5
  gain 0.6
end
note hup 0 A5 0.1
note step 0.12 C4 0.02
