# One stroke of an axe into wood.
gain 0.7
instrument blade
  osc noise 1
  env 0.0005 0.06 0 0.05
  filter bandpass 1300 2
end
instrument thunk
  osc sine 1
  osc triangle 0.4
  pitch 12 0.02
  env 0.001 0.12 0 0.08
end
note blade 0 C4 0.03
note thunk 0 G2 0.06
