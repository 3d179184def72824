// The readings' part of the overview: which readings fall in each column, the light bands
// beyond the limits, and each channel's trace.
#pragma once

#include <cstdint>

#include "chart/overview.h"

namespace zv {

// The first slot of a column (bucket); bucket == buckets gives the end of the last one.
uint32_t BucketStart(const OverviewLayout& layout, uint32_t bucket);

// Reads every slot of the layout once, keeping each column's readings of each channel drawn.
void GatherColumns(const OverviewInputs& inputs, const OverviewLayout& layout,
                   OverviewColumns& columns);

void DrawLimitBands(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& inputs,
                    const OverviewColumns& columns);

// A min/max column per bucket when slots outnumber the columns, a polyline otherwise.
void DrawTraces(PictureDraw& draw, const OverviewLayout& layout, const OverviewInputs& inputs,
                const OverviewColumns& columns, float lineWidth);

}  // namespace zv
