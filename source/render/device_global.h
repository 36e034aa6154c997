#pragma once
// The one process-wide drawing device and the vertex layouts made once beside it. The render
// task creates and releases them; every render component draws through them, on the main thread.
#include "platform/gfx/device.h"

extern gfx::Device* deviceGlobal;

extern gfx::VertexDeclaration* vdPosition;
extern gfx::VertexDeclaration* vdPositionColour;
extern gfx::VertexDeclaration* vdPosition4Normal;
extern gfx::VertexDeclaration* vdPositionTex;
extern gfx::VertexDeclaration* vdPositionColourTex;
extern gfx::VertexDeclaration* vdMesh;
extern gfx::VertexDeclaration* vdMeshTwoTex;
extern gfx::VertexDeclaration* vdHalfMesh;
extern gfx::VertexDeclaration* vdPosition4Tex;
extern gfx::VertexDeclaration* vdHalfInstance;
extern gfx::VertexDeclaration* vdHalfPositionTex;
// Never created; kept so the table keeps its twelve slots.
extern gfx::VertexDeclaration* vdReserved;
// The one-quad UI rectangles (UIRectangleVertex).
extern gfx::VertexDeclaration* vdUIRectangle;

void createVertexDeclarations();
void releaseVertexDeclarations();
