# A thief slips in: two quick, sly plucks rising, with a hushed brush of noise.
gain 0.5
instrument pluck
  osc triangle 1
  env 0.002 0.08 0.2 0.05
end
instrument hush
  osc noise 0.3
  env 0.01 0.12 0 0.05
  gain 0.4
end
note pluck 0 E5 0.08
note pluck 0.1 B5 0.1
note hush 0 C4 0.15
