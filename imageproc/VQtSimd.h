#pragma once

// Run-time choice of the image-processing row kernels. Each vector kernel is compiled
// for AVX2 (and FMA) next to its portable loop and used only when the processor has
// both; either way the numbers are the same, sample for sample.

// True when the processor has AVX2 and FMA and vector kernels are switched on.
bool vqtUseAvx2();

// Switches the vector kernels on or off, so the portable loops can be checked
// against them; returns whether vector kernels are now in use.
bool vqtSetVectorKernels(bool enabled);
