// The whole run for the plots, in bounded memory: the run is cut into buckets of equal length,
// each holding the lowest and the highest value of every plotted quantity within it. When the
// buckets reach CAPACITY, neighbours merge pairwise and the bucket length doubles, so an hour's
// run takes the same memory as a minute's and a nutation far faster than a bucket still shows as
// the band it fills.
#pragma once

#include <vector>

struct PlotSample {
    double time = 0, theta = 0;                    // s, rad
    double phiRate = 0, spin = 0;                  // rad/s
    double kinetic = 0, potential = 0, total = 0;  // J, change since release
};

struct PlotBand {
    double time = 0;  // start of the bucket, s
    PlotSample low, high;
};

class RunHistory {
public:
    static constexpr std::size_t CAPACITY = 2048;
    static constexpr double FIRST_BUCKET = 0.01;  // s

    void Clear();
    void Add(const PlotSample& sample);
    const std::vector<PlotBand>& Bands() const { return m_bands; }
    double BucketLength() const { return m_length; }

private:
    void MergePairs();

    std::vector<PlotBand> m_bands;
    double m_length = FIRST_BUCKET;
};

// The band that covers both (lowest and highest of each quantity); its time is the earlier one.
PlotBand Merged(const PlotBand& a, const PlotBand& b);
