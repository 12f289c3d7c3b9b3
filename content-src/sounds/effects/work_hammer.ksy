# One hammer blow on a nail: a bright ping over a firm knock.
gain 0.7
instrument ping
  fm 2.76 2.5 0.04
  osc sine 0.3 0 1
  env 0.0005 0.2 0 0.12
  gain 0.55
end
instrument knock
  osc sine 1
  osc triangle 0.3
  pitch 16 0.012
  env 0.0005 0.08 0 0.05
end
note ping 0 A6 0.05
note knock 0 F3 0.03
