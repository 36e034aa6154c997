#pragma once
// A standing humanoid skeleton of the 35 bones a rag doll knows by name, for tests and
// benchmarks: arms hanging 46 degrees below the horizontal, every bone's Y axis pointing along
// its limb, and its capsules reaching from 0.1 to 12.3 units above its feet's level.
#include <string>

#include "platform/gfx/math_types.h"
#include "scene/skeleton.h"

// The rotation that takes the Y axis to the direction (normalised here), placed at the position.
gfx::Matrix boneMatrix(const gfx::Vector3& position, const gfx::Vector3& yDirection);

// The humanoid raised by lift: with lift 0 its toe capsules touch y = 0.1 and its head reaches 12.3.
Skeleton humanoidSkeleton(float lift);
