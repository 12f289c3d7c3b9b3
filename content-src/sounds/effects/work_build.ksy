# A hammer strikes: a metallic ping over a knock.
gain 0.7
instrument ping
  fm 2.76 3 0.05
  env 0.0005 0.25 0 0.15
  gain 0.6
end
instrument knock
  osc sine 1
  pitch 14 0.015
  env 0.0005 0.1 0 0.06
end
note ping 0 E6 0.06
note knock 0 D3 0.04
