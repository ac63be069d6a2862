g21g90
g0x10y0
g1z-1f300
g2i-10j0
g1x20
g18
g1x30
g17
g80 g0 z5
o100 sub
(a (b) c)
#1=5
G0 X[#1*2]
G12 I5
G31 X30 F100
