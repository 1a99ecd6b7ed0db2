#pragma once

#include "VELEvent.h"
#include "VELObject.h"

inline constexpr char kVELEventArrayKey[] = "events";

class VELEventArray : public VELObjectArray<VELEvent, kVELEventArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
    VEL_RECORD_FACTORIES(VELEventArray)
};

using VELEventArrayPtr = std::shared_ptr<VELEventArray>;
