# The right bell: a clear ding.
gain 0.55
instrument bell
  osc sine 1
  fm 2.76 2 0.4
  env 0.001 0.6 0 0.3
end
note bell 0 E6 0.5
