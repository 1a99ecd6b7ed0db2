#pragma once

#include "VELObject.h"
#include "VELPhoto.h"

inline constexpr char kVELPhotoArrayKey[] = "photos";

class VELPhotoArray : public VELObjectArray<VELPhoto, kVELPhotoArrayKey>
{
public:
    using VELObjectArray::VELObjectArray;
};

using VELPhotoArrayPtr = std::shared_ptr<VELPhotoArray>;
