#pragma once

// The library is built with hidden visibility; only what carries this mark is visible to
// programs that install the backend.
#define FRAMEWORK_WX_API __attribute__((visibility("default")))
