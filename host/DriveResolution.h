#pragma once

// What a setup's internal units derive from: one count of the position encoder and one
// sample period of the controller's loop.
enum class LoadKind { Linear, Rotary };

struct DriveResolution {
  LoadKind load = LoadKind::Linear;
  double countsPerUnit = 1000.0;  // counts per millimetre (linear) or per revolution (rotary)
  double samplePeriod = 0.001;    // seconds
};
