#pragma once

#include "imageproc/VQtSimd.h"

#include <gtest/gtest.h>

// Runs body with the vector row kernels (where the processor has them) and again with
// the portable loops, which machines without AVX2 use; both must give the same numbers.
template <class Body> void onBothKernelPaths(Body body) {
    for (bool vector : {true, false}) {
        vqtSetVectorKernels(vector);
        SCOPED_TRACE(vector ? "vector rows" : "portable rows");
        body();
    }
    vqtSetVectorKernels(true);
}
