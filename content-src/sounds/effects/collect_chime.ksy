# Resources arrive: a bright two-note chime.
gain 0.6
tempo 300
instrument chime
  fm 3.5 1.5 0.4
  osc sine 0.6
  env 0.001 0.6 0 0.4
end
seq chime 0 1 E6 B6 -
