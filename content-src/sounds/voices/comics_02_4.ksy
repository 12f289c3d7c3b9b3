# A murmured line of comic 2 (narrator), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 4.17
seed 204
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
note breath 0.15 1120.49hz 0.04 0.5
note a1 0.17 140.06hz 0.18 0.9
note a2 0.17 140.06hz 0.18 0.9
note breath 0.43 1011.4hz 0.04 0.5
note a1 0.45 126.43hz 0.19 0.9
note a2 0.45 126.43hz 0.19 0.9
note breath 0.86 947.37hz 0.04 0.5
note e1 0.88 118.42hz 0.18 0.9
note e2 0.88 118.42hz 0.18 0.9
note breath 1.14 1049.97hz 0.04 0.5
note e1 1.16 131.25hz 0.2 0.9
note e2 1.16 131.25hz 0.2 0.9
note breath 1.72 1056.64hz 0.04 0.5
note u1 1.74 132.08hz 0.22 0.9
note u2 1.74 132.08hz 0.22 0.9
note e1 2.06 114.77hz 0.15 0.9
note e2 2.06 114.77hz 0.15 0.9
note a1 2.31 112.67hz 0.17 0.9
note a2 2.31 112.67hz 0.17 0.9
note o1 2.51 121.64hz 0.21 0.9
note o2 2.51 121.64hz 0.21 0.9
note breath 2.8 983.44hz 0.04 0.5
note i1 2.82 122.93hz 0.16 0.9
note i2 2.82 122.93hz 0.16 0.9
note breath 3.06 916.56hz 0.04 0.5
note i1 3.08 114.57hz 0.17 0.9
note i2 3.08 114.57hz 0.17 0.9
note breath 3.33 787.21hz 0.04 0.5
note u1 3.35 98.4hz 0.16 0.9
note u2 3.35 98.4hz 0.16 0.9
