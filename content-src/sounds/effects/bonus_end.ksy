# A bonus runs out: two soft falling notes.
gain 0.5
tempo 180
instrument soft
  osc triangle 1
  osc sine 0.5 0 1
  env 0.01 0.3 0.3 0.25
  filter lowpass 2500
end
seq soft 0 1 G5 C5 -
