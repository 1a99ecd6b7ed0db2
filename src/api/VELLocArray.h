#pragma once

#include "VELLoc.h"
#include "VELObject.h"

inline constexpr char kVELLocArrayKey[] = "locs";

class VELLocArray : public VELObjectArray<VELLoc, kVELLocArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
    VEL_RECORD_FACTORIES(VELLocArray)
};

using VELLocArrayPtr = std::shared_ptr<VELLocArray>;
