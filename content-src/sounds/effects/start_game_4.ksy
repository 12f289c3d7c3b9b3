# "Off you go": a drum hit under a bright chord.
gain 0.7
tempo 160
instrument drum
  osc sine 1
  pitch 18 0.03
  env 0.001 0.2 0 0.15
end
instrument chord
  osc saw 0.5 -5
  osc saw 0.5 5
  env 0.01 0.3 0.4 0.3
  filter lowpass 1800 0.9
  sweep 3000 0.12
end
seq drum 0 0.5 C2 C2 . C2
seq chord 0 0.5 C5 G5 . C5+E5+G5+C6 - -
