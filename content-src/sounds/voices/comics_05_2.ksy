# A murmured line of comic 5 (narrator), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 4
seed 502
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
note o1 0.17 140.06hz 0.14 0.9
note o2 0.17 140.06hz 0.14 0.9
note e1 0.34 134.2hz 0.17 0.9
note e2 0.34 134.2hz 0.17 0.9
note a1 0.61 126.43hz 0.21 0.9
note a2 0.61 126.43hz 0.21 0.9
note i1 0.92 118.42hz 0.16 0.9
note i2 0.92 118.42hz 0.16 0.9
note breath 1.16 1049.97hz 0.04 0.5
note e1 1.18 131.25hz 0.21 0.9
note e2 1.18 131.25hz 0.21 0.9
note breath 1.47 1056.64hz 0.04 0.5
note o1 1.49 132.08hz 0.2 0.9
note o2 1.49 132.08hz 0.2 0.9
note breath 1.76 918.15hz 0.04 0.5
note e1 1.78 114.77hz 0.16 0.9
note e2 1.78 114.77hz 0.16 0.9
note breath 2.02 901.38hz 0.04 0.5
note a1 2.04 112.67hz 0.2 0.9
note a2 2.04 112.67hz 0.2 0.9
note e1 2.47 122.93hz 0.17 0.9
note e2 2.47 122.93hz 0.17 0.9
note e1 2.75 114.57hz 0.17 0.9
note e2 2.75 114.57hz 0.17 0.9
note e1 3.01 98.4hz 0.14 0.9
note e2 3.01 98.4hz 0.14 0.9
note e1 3.18 100.2hz 0.15 0.9
note e2 3.18 100.2hz 0.15 0.9
