#pragma once

// Everything the module may call in the host library is marked with this; the rest stays hidden.
#define TARNOC_API __attribute__((visibility("default")))
