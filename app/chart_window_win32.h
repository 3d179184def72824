// The chart window (template IDD_CHART): the downloaded samples as a scrollable chart.
#pragma once

#include <cstdint>

#include "app/win32_api.h"
#include "base/sample_memory.h"

namespace zv {

// Runs the chart modally over the owner and returns when it closes. It only reads the samples.
void ShowChart(HINSTANCE instance, HWND owner, const SampleBuffer& samples, uint8_t channelMode);

}  // namespace zv
