// The readings' part of the overview: which readings fall in each column, the light bands
// beyond the limits, and each channel's trace.
#pragma once

#include <cstdint>

#include "chart/overview.h"

namespace zv {

// The lowest and highest reading of the channels drawn; false when they hold none.
bool ReadingRange(const OverviewInputs& inputs, int32_t& minSixteenths, int32_t& maxSixteenths);

// The first slot of a column (bucket); bucket == buckets gives the end of the last one.
uint32_t BucketStart(const OverviewLayout& layout, uint32_t bucket);

void DrawLimitBands(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& inputs);

// A min/max column per bucket when slots outnumber the columns, a polyline otherwise.
void DrawTraces(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& inputs,
                float lineWidth);

}  // namespace zv
