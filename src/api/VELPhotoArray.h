#pragma once

#include "VELPhoto.h"
#include "VELObject.h"

inline constexpr char kVELPhotoArrayKey[] = "photos";

class VELPhotoArray : public VELObjectArray<VELPhoto, kVELPhotoArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
};

using VELPhotoArrayPtr = std::shared_ptr<VELPhotoArray>;
