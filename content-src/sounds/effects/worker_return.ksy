# A worker is back home: two friendly falling notes.
gain 0.5
tempo 240
instrument call
  osc triangle 1
  osc sine 0.4 0 1
  env 0.01 0.2 0.4 0.15
end
seq call 0 1 G5 E5 -
