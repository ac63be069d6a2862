#pragma once

// The motion motion-host translates when it is given no command: a rectangle of 100 x 60 mm
// with rounded corners of 10 mm, driven on X and Y of the demo setup with the rotary table as
// tangent axis, fast on the straight edges and slow round the corners.
inline constexpr char kDemoMotion[] =
    "ConfigureMode=1\n"
    "ClearBuffer=1\n"
    "InsertEndSegment=1\n"
    "SlaveX=0\n"
    "SlaveY=1\n"
    "SlaveTangent=2\n"
    "SegmentType[]=0, 1, 0, 1, 0, 1, 0, 1\n"
    "CACC[m/s^2]=1, 0, 0, 0, 0, 0, 0, 0\n"
    "CSPD[m/s]=0.2, 0.05, 0.2, 0.05, 0.2, 0.05, 0.2, 0.05\n"
    "X_TPOS[mm]=80, 0, -80, 0\n"
    "Y_TPOS[mm]=0, 40, 0, -40\n"
    "Radius[mm]=10, 10, 10, 10\n"
    "InitAngle[deg]=-90, 0, 90, 180\n"
    "AngleIncrement[deg]=90, 90, 90, 90\n"
    "Execute=0\n"
    "WaitForCompletion=1\n";
