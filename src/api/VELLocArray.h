#pragma once

#include "VELLoc.h"
#include "VELObject.h"

inline constexpr char kVELLocArrayKey[] = "locs";

class VELLocArray : public VELObjectArray<VELLoc, kVELLocArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
};

using VELLocArrayPtr = std::shared_ptr<VELLocArray>;
