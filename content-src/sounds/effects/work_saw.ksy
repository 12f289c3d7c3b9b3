# Sawing wood, one push and one pull; it loops for as long as the work lasts.
gain 0.6
length 0.8
loop
instrument stroke
  osc noise 1
  osc saw 0.15
  env 0.06 0.1 0.7 0.1
  filter bandpass 2600 2
  sweep -900 0.2
end
note stroke 0 C3 0.28
note stroke 0.4 D3 0.28 0.85
