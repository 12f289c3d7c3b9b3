# A bat is hit: a squeak that drops and a soft thump.
gain 0.6
instrument squeak
  osc sine 1
  osc triangle 0.2
  pitch 6 0.05
  env 0.002 0.1 0.3 0.06
end
instrument thump
  osc sine 1
  pitch 12 0.02
  env 0.001 0.1 0 0.06
  gain 0.8
end
note squeak 0 C7 0.1
note thump 0 A2 0.04
