# A murmured line of comic 3 (narrator), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 3.7
seed 304
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
note breath 0.15 1116.89hz 0.04 0.5
note a1 0.17 139.61hz 0.16 0.9
note a2 0.17 139.61hz 0.16 0.9
note breath 0.41 998.36hz 0.04 0.5
note a1 0.43 124.8hz 0.16 0.9
note a2 0.43 124.8hz 0.16 0.9
note i1 0.62 117.7hz 0.17 0.9
note i2 0.62 117.7hz 0.17 0.9
note breath 0.87 919.64hz 0.04 0.5
note o1 0.89 114.95hz 0.2 0.9
note o2 0.89 114.95hz 0.2 0.9
note breath 1.44 994.62hz 0.04 0.5
note e1 1.46 124.33hz 0.14 0.9
note e2 1.46 124.33hz 0.14 0.9
note e1 1.63 129.15hz 0.15 0.9
note e2 1.63 129.15hz 0.15 0.9
note i1 1.82 125.2hz 0.1 0.9
note i2 1.82 125.2hz 0.1 0.9
note e1 1.95 116.09hz 0.17 0.9
note e2 1.95 116.09hz 0.17 0.9
note breath 2.2 968.13hz 0.04 0.5
note u1 2.22 121.02hz 0.22 0.9
note u2 2.22 121.02hz 0.22 0.9
note breath 2.51 805.05hz 0.04 0.5
note a1 2.53 100.63hz 0.13 0.9
note a2 2.53 100.63hz 0.13 0.9
note i1 2.69 98.25hz 0.13 0.9
note i2 2.69 98.25hz 0.13 0.9
note e1 2.85 103.55hz 0.19 0.9
note e2 2.85 103.55hz 0.19 0.9
