#pragma once
// All of the engine's maths in one include.
#include "platform/gfx/math_half.h"
#include "platform/gfx/math_matrix.h"
#include "platform/gfx/math_plane.h"
#include "platform/gfx/math_quaternion.h"
#include "platform/gfx/math_types.h"
#include "platform/gfx/math_vector.h"
