#pragma once
// Where the value labels of an axis go: the step between them and the values
// that get one. Plain functions of the range and the label room, so that the
// rules hold for any axis and are tested without a chart.

#include <vector>

namespace halvorn {

// The smallest step there is; a range below it has a single label.
constexpr double kMinLabelStep = 1e-12;

// The next step of the series 1, 2, 5, 10, 20, ... scaled to x's decade
// (0.5 becomes 1, 3e-12 becomes 5e-12); x itself when it is not a positive
// finite number.
double NextNiceStep(double x);

// How many labels of `size` pixels along the axis fit on spanPixels, each
// enlarged by `separation` percent of its size; 1 when the labels take no
// room. Below 1 means not even one label fits.
int LabelCountForSize(int spanPixels, int size, int separation);

// The step at which at most `count` labels cover a range of rangeSize: from
// `increment` (or, when it is 0, from 1 for ranges of at least 1 and from
// kMinLabelStep below) up the nice steps until the labels fit. Without
// separation the starting step is kept as it is, and below one label the
// step is kMinLabelStep.
double LabelStepForCount(double rangeSize, int count, double increment, int separation);

// The label values of rangeMin..rangeMax at `step`, from the top down:
// starting at a multiple of the step below the maximum when roundFirstLabel
// is set (at the maximum otherwise, or for a range of one value), down to the
// minimum. None for a step of 0, a reversed range or 10000 steps or more; a
// value that repeated subtraction left a hair beside zero is written as 0.
std::vector<double> LabelValues(double rangeMin, double rangeMax, double step,
                                bool roundFirstLabel);

}  // namespace halvorn
