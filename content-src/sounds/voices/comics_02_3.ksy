# A murmured line of comic 2 (narrator), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 3.52
seed 203
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
note a1 0.17 139.92hz 0.16 0.9
note a2 0.17 139.92hz 0.16 0.9
note breath 0.41 1007.28hz 0.04 0.5
note a1 0.43 125.91hz 0.14 0.9
note a2 0.43 125.91hz 0.14 0.9
note e1 0.6 118.75hz 0.2 0.9
note e2 0.6 118.75hz 0.2 0.9
note a1 0.9 117.32hz 0.14 0.9
note a2 0.9 117.32hz 0.14 0.9
note e1 1.07 124.86hz 0.19 0.9
note e2 1.07 124.86hz 0.19 0.9
note a1 1.51 129.06hz 0.2 0.9
note a2 1.51 129.06hz 0.2 0.9
note breath 1.79 1028.64hz 0.04 0.5
note e1 1.81 128.58hz 0.17 0.9
note e2 1.81 128.58hz 0.17 0.9
note breath 2.06 882.37hz 0.04 0.5
note e1 2.08 110.3hz 0.21 0.9
note e2 2.08 110.3hz 0.21 0.9
note e1 2.39 106.54hz 0.19 0.9
note e2 2.39 106.54hz 0.19 0.9
note breath 2.66 911.42hz 0.04 0.5
note o1 2.68 113.93hz 0.17 0.9
note o2 2.68 113.93hz 0.17 0.9
