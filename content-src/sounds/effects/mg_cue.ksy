# A new wish: two soft chimes.
gain 0.5
instrument chime
  osc sine 1
  fm 4 0.8 0.2
  env 0.002 0.3 0 0.2
end
note chime 0 C6 0.15
note chime 0.12 G6 0.25
