// ResultCode: the outcome of every operation that can fail. 0 is success; any other value is at
// the same time the id of the string-table entry that describes the failure (resource_ids.h).
#ifndef CUTTER_RESULT_CODE_H
#define CUTTER_RESULT_CODE_H

#include <cstdint>

#include "../resources/resource_ids.h"

using ResultCode = std::uint32_t;

constexpr ResultCode RC_SUCCESS = 0;

#endif
