# A job is done: a soft knock with a little chime.
gain 0.6
instrument knock
  osc sine 1
  pitch 10 0.02
  env 0.001 0.12 0 0.08
end
instrument chime
  fm 3 1.2 0.3
  env 0.001 0.5 0 0.3
  gain 0.5
end
note knock 0 D3 0.05
note chime 0.06 A5 0.3
