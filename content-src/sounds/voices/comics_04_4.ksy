# A murmured line of comic 4 (chief), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 4.02
seed 404
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
note breath 0.15 904.09hz 0.04 0.5
note a1 0.17 113.01hz 0.16 0.9
note a2 0.17 113.01hz 0.16 0.9
note breath 0.41 813.57hz 0.04 0.5
note o1 0.43 101.7hz 0.15 0.9
note o2 0.43 101.7hz 0.15 0.9
note breath 0.8 758.1hz 0.04 0.5
note e1 0.82 94.76hz 0.14 0.9
note e2 0.82 94.76hz 0.14 0.9
note e1 0.99 100.85hz 0.13 0.9
note e2 0.99 100.85hz 0.13 0.9
note i1 1.15 108.31hz 0.11 0.9
note i2 1.15 108.31hz 0.11 0.9
note e1 1.28 110.28hz 0.21 0.9
note e2 1.28 110.28hz 0.21 0.9
note breath 1.85 833.91hz 0.04 0.5
note e1 1.87 104.24hz 0.2 0.9
note e2 1.87 104.24hz 0.2 0.9
note breath 2.15 830.82hz 0.04 0.5
note u1 2.17 103.85hz 0.19 0.9
note u2 2.17 103.85hz 0.19 0.9
note o1 2.46 89.09hz 0.19 0.9
note o2 2.46 89.09hz 0.19 0.9
note breath 2.73 688.42hz 0.04 0.5
note e1 2.75 86.05hz 0.16 0.9
note e2 2.75 86.05hz 0.16 0.9
note breath 2.99 736.14hz 0.04 0.5
note i1 3.01 92.02hz 0.14 0.9
note i2 3.01 92.02hz 0.14 0.9
note e1 3.18 92.26hz 0.18 0.9
note e2 3.18 92.26hz 0.18 0.9
