#pragma once

#include "VELObject.h"
#include "VELTicket.h"

inline constexpr char kVELTicketArrayKey[] = "orders";

class VELTicketArray : public VELObjectArray<VELTicket, kVELTicketArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
    VEL_RECORD_FACTORIES(VELTicketArray)
};

using VELTicketArrayPtr = std::shared_ptr<VELTicketArray>;
