# A murmured line of comic 1 (chief), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 3.89
seed 104
instrument a1
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 760 4
  vibrato 5.5 0.15
  gain 1.0
end
instrument a2
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 1250 6
  vibrato 5.5 0.15
  gain 0.55
end
instrument o1
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 520 4
  vibrato 5.5 0.15
  gain 1.0
end
instrument o2
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 900 6
  vibrato 5.5 0.15
  gain 0.55
end
instrument e1
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 480 4
  vibrato 5.5 0.15
  gain 1.0
end
instrument e2
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 1850 6
  vibrato 5.5 0.15
  gain 0.55
end
instrument i1
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 320 4
  vibrato 5.5 0.15
  gain 1.0
end
instrument i2
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 2250 6
  vibrato 5.5 0.15
  gain 0.55
end
instrument u1
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 360 4
  vibrato 5.5 0.15
  gain 1.0
end
instrument u2
  osc saw 1
  osc pulse 0.4 0 0 0.3
  env 0.02 0.05 0.8 0.06
  filter bandpass 780 6
  vibrato 5.5 0.15
  gain 0.55
end
instrument breath
  osc noise 1
  env 0.01 0.04 0.3 0.04
  filter highpass 2500
  gain 0.25
end
note e1 0.17 113.13hz 0.22 0.9
note e2 0.17 113.13hz 0.22 0.9
note breath 0.47 816.9hz 0.04 0.5
note i1 0.49 102.11hz 0.2 0.9
note i2 0.49 102.11hz 0.2 0.9
note u1 0.79 95.65hz 0.17 0.9
note u2 0.79 95.65hz 0.17 0.9
note breath 1.04 848.06hz 0.04 0.5
note i1 1.06 106.01hz 0.21 0.9
note i2 1.06 106.01hz 0.21 0.9
note a1 1.37 106.68hz 0.16 0.9
note a2 1.37 106.68hz 0.16 0.9
note a1 1.63 92.7hz 0.11 0.9
note a2 1.63 92.7hz 0.11 0.9
note a1 1.77 90.5hz 0.17 0.9
note a2 1.77 90.5hz 0.17 0.9
note a1 2.18 91hz 0.2 0.9
note a2 2.18 91hz 0.2 0.9
note breath 2.46 794.32hz 0.04 0.5
note e1 2.48 99.29hz 0.19 0.9
note e2 2.48 99.29hz 0.19 0.9
note o1 2.77 92.54hz 0.17 0.9
note o2 2.77 92.54hz 0.17 0.9
note breath 3.02 635.82hz 0.04 0.5
note i1 3.04 79.48hz 0.19 0.9
note i2 3.04 79.48hz 0.19 0.9
