#pragma once

#include "base/Geometry.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"

#include <optional>

namespace dispcraft {

// What the declarations of an object kind's members use (see ObjectKinds).
class ImageContext;
class MessageSink;
class ObjectCanvas;
struct OpenContext;
struct StoreContext;

} // namespace dispcraft
