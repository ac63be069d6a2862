#pragma once

// The library is built with hidden visibility; only what carries this mark is
// visible to the host and to modules.
#define FRAMEWORK_API __attribute__((visibility("default")))
