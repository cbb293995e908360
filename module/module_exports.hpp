// Marks the two records a gauge module exports. On Linux a linker version script
// also keeps every other symbol local; on Windows the names are exported undecorated.
#pragma once

// Use inside an extern "C" block, on the definition.
#if defined(_WIN32)
#define GAUGE_EXPORT __declspec(dllexport)
#else
#define GAUGE_EXPORT __attribute__((visibility("default")))
#endif
