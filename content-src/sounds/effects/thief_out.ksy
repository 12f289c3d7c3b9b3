# Sneaky falling pizzicato notes.
gain 0.55
tempo 260
instrument pizz
  osc pluck 1 0 0 0.7
  env 0.001 0.2 0 0.08
  filter lowpass 2400
end
seq pizz 0 0.5 E4 . C4 . A3 . E3
