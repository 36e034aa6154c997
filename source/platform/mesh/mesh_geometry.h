#pragma once
// The geometry helpers the engine runs on meshes after loading: vertex normals and tangents
// recomputed from the faces, and the box around a run of vertices.
#include <cstdint>

#include "platform/gfx/math_types.h"
#include "platform/gfx/types.h"

namespace mesh {

class Mesh;

// Every vertex normal becomes the normalised sum of the unit normals of the faces that use it,
// each weighted by the face's angle at that vertex (faces share a vertex only where its index is
// shared, so split vertices keep hard edges). Faces are clockwise seen from the front, the
// normal points at the viewer. Fails when the layout has no three-float normal.
gfx::Result computeNormals(Mesh* mesh);

// Every vertex tangent becomes the direction of growing u of texture coordinate set
// texCoordIndex, summed over the faces that use the vertex, made perpendicular to the vertex
// normal and normalised; where the coordinates give no direction, a unit vector perpendicular to
// the normal is used. Fails when the layout lacks the normal, the tangent or the coordinates.
gfx::Result computeTangents(Mesh* mesh, uint32_t texCoordIndex);

// The smallest and largest coordinates of count positions, stride bytes apart.
gfx::Result computeBoundingBox(const void* firstPosition, uint32_t count, uint32_t stride, gfx::Vector3& min,
                               gfx::Vector3& max);

} // namespace mesh
