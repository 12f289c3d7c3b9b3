# A murmured line of comic 1 (chief), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 3.4
seed 105
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
note breath 0.15 904.63hz 0.04 0.5
note a1 0.17 113.08hz 0.21 0.9
note a2 0.17 113.08hz 0.21 0.9
note e1 0.48 101.94hz 0.21 0.9
note e2 0.48 101.94hz 0.21 0.9
note e1 0.79 95.28hz 0.17 0.9
note e2 0.79 95.28hz 0.17 0.9
note breath 1.04 842.16hz 0.04 0.5
note o1 1.06 105.27hz 0.17 0.9
note o2 1.06 105.27hz 0.17 0.9
note e1 1.33 105.5hz 0.17 0.9
note e2 1.33 105.5hz 0.17 0.9
note o1 1.75 91.19hz 0.16 0.9
note o2 1.75 91.19hz 0.16 0.9
note breath 1.99 711.52hz 0.04 0.5
note i1 2.01 88.94hz 0.17 0.9
note i2 2.01 88.94hz 0.17 0.9
note breath 2.26 770.06hz 0.04 0.5
note e1 2.28 96.26hz 0.18 0.9
note e2 2.28 96.26hz 0.18 0.9
note e1 2.56 88.83hz 0.18 0.9
note e2 2.56 88.83hz 0.18 0.9
