# A murmured line of comic 4 (narrator), written by content-src/art/generated/comics.py.
rate 22050
channels 1
tempo 60
gain 0.7
length 3.66
seed 402
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
note breath 0.15 1120.01hz 0.04 0.5
note u1 0.17 140hz 0.21 0.9
note u2 0.17 140hz 0.21 0.9
note breath 0.46 1009.68hz 0.04 0.5
note e1 0.48 126.21hz 0.19 0.9
note e2 0.48 126.21hz 0.19 0.9
note breath 0.75 943.71hz 0.04 0.5
note i1 0.77 117.96hz 0.19 0.9
note i2 0.77 117.96hz 0.19 0.9
note o1 1.06 130.33hz 0.18 0.9
note o2 1.06 130.33hz 0.18 0.9
note breath 1.32 1044.97hz 0.04 0.5
note a1 1.34 130.62hz 0.21 0.9
note a2 1.34 130.62hz 0.21 0.9
note e1 1.93 112.9hz 0.2 0.9
note e2 1.93 112.9hz 0.2 0.9
note o1 2.23 110.12hz 0.18 0.9
note o2 2.23 110.12hz 0.18 0.9
note u1 2.52 119.18hz 0.2 0.9
note u2 2.52 119.18hz 0.2 0.9
note o1 2.82 109.98hz 0.18 0.9
note o2 2.82 109.98hz 0.18 0.9
