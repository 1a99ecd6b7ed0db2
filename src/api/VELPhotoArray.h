#pragma once

#include "VELObject.h"
#include "VELPhoto.h"

inline constexpr char kVELPhotoArrayKey[] = "photos";

class VELPhotoArray : public VELObjectArray<VELPhoto, kVELPhotoArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
    VEL_RECORD_FACTORIES(VELPhotoArray)
};

using VELPhotoArrayPtr = std::shared_ptr<VELPhotoArray>;
