#pragma once

// One group of statistics (frame, line, column) of integer samples.
struct VQtStatisticalInfo {
    int min = 65536;
    int max = 0;
    int maxMin = 0;
    int average = 0;
    double standard = 0.0;

    // Back to the state before the first sample: min above any sample, the rest 0.
    void setInitZero();
    // Every field 0: what an area outside the image shows.
    void setZero();
};
