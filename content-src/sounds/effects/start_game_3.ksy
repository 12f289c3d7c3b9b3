# "Off you go": a playful turn on a whistle.
gain 0.6
tempo 180
instrument whistle
  osc sine 1
  osc triangle 0.2 0 1
  env 0.02 0.1 0.8 0.12
  vibrato 6 0.15
  pitch -2 0.04
end
seq whistle 0 0.5 E5 D5 G5 - -
