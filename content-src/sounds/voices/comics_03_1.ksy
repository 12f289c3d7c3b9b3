# A murmured line of comic 3 (narrator), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 3.3
seed 301
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
note i1 0.17 139.8hz 0.18 0.9
note i2 0.17 139.8hz 0.18 0.9
note breath 0.43 1003.77hz 0.04 0.5
note a1 0.45 125.47hz 0.18 0.9
note a2 0.45 125.47hz 0.18 0.9
note a1 0.73 116.39hz 0.12 0.9
note a2 0.73 116.39hz 0.12 0.9
note a1 0.88 123.87hz 0.17 0.9
note a2 0.88 123.87hz 0.17 0.9
note breath 1.13 1017.57hz 0.04 0.5
note o1 1.15 127.2hz 0.22 0.9
note o2 1.15 127.2hz 0.22 0.9
note breath 1.44 1004.82hz 0.04 0.5
note e1 1.46 125.6hz 0.22 0.9
note e2 1.46 125.6hz 0.22 0.9
note e1 1.78 106.49hz 0.13 0.9
note e2 1.78 106.49hz 0.13 0.9
note e1 1.94 103.97hz 0.22 0.9
note e2 1.94 103.97hz 0.22 0.9
note breath 2.24 810.63hz 0.04 0.5
note a1 2.26 101.33hz 0.16 0.9
note a2 2.26 101.33hz 0.16 0.9
note o1 2.45 109.39hz 0.19 0.9
note o2 2.45 109.39hz 0.19 0.9
