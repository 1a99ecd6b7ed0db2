#pragma once

#include "VELEvent.h"
#include "VELObject.h"

inline constexpr char kVELEventArrayKey[] = "events";

class VELEventArray : public VELObjectArray<VELEvent, kVELEventArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
};

using VELEventArrayPtr = std::shared_ptr<VELEventArray>;
