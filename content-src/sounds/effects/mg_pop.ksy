# Something pops up: a rising blip.
gain 0.5
instrument blip
  osc sine 1
  pitch -12 0.06
  env 0.002 0.08 0 0.04
end
note blip 0 A5 0.08
