#pragma once
// The flat arrows laid just above the ground: a path's ribbon (1 wide at height 1.0, its v the
// distance along the path) with its head, and the facing arrow (2 wide, 4 long, at height 1.2).
// Only x and z of the points count. A zero-length step has no direction: it keeps the direction
// of the step before it (or, at the start, of the first step that has one); a path with no
// direction at all, like a facing arrow whose tip is its base, gives no geometry.
#include "app/parameter_kind.h"
#include "scene/textured_mesh.h"

struct PathArrowGeometry {
    TexturedGeometry ribbon;
    TexturedGeometry head;
};

PathArrowGeometry buildPathArrow(const PointPathAndColourValue& path);
TexturedGeometry buildFacingArrow(const Vector3Value& base, const Vector3Value& tip);
