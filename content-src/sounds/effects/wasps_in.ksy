# A swarm of wasps arrives: a buzz growing louder.
gain 0.55
instrument buzz
  osc saw 1
  osc saw 0.8 23
  osc saw 0.6 -17
  vibrato 19 0.3
  env 0.5 0.1 1 0.15
  filter bandpass 900 1.2
end
note buzz 0 A3 0.7
