(a slot of 50 x 10 mm, as a CAM program writes it)
G21 G90 G17
G0 X10 Y5
G1 X60 F600
G3 X60 Y15 I0 J5
G1 X10
G3 X10 Y5 R5
M30
