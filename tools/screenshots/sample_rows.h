#pragma once

#include "core/result_list.h"

namespace quexa::screenshots {

// Twenty made-up results with every status and visit code, some checked, some with long texts.
void FillSampleRows(core::ResultList& list, int previewHeight);

}  // namespace quexa::screenshots
