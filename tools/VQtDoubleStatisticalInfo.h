#pragma once

// A statistics group of real values (column means, column deviations).
struct VQtDoubleStatisticalInfo {
    double min = 65536.0;
    double max = 0.0;
    double maxMin = 0.0;
    double average = 0.0;
    double standard = 0.0;

    void setInitZero();
    void setZero();
};
