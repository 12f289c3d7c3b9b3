# A murmured line of comic 6 (narrator), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 3.03
seed 603
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
note e1 0.17 139.61hz 0.16 0.9
note e2 0.17 139.61hz 0.16 0.9
note a1 0.43 124.8hz 0.13 0.9
note a2 0.43 124.8hz 0.13 0.9
note e1 0.59 117.7hz 0.19 0.9
note e2 0.59 117.7hz 0.19 0.9
note breath 0.86 919.64hz 0.04 0.5
note e1 0.88 114.95hz 0.1 0.9
note e2 0.88 114.95hz 0.1 0.9
note o1 1.01 122.34hz 0.1 0.9
note o2 1.01 122.34hz 0.1 0.9
note e1 1.15 131.39hz 0.2 0.9
note e2 1.15 131.39hz 0.2 0.9
note i1 1.44 124.33hz 0.18 0.9
note i2 1.44 124.33hz 0.18 0.9
note u1 1.73 121.02hz 0.13 0.9
note u2 1.73 121.02hz 0.13 0.9
note e1 1.89 113.07hz 0.21 0.9
note e2 1.89 113.07hz 0.21 0.9
note a1 2.2 100.63hz 0.17 0.9
note a2 2.2 100.63hz 0.17 0.9
