// The update side's handle to a 3D scene object: its parameters and initial transform.
#include <algorithm>

#include "app/simple_parameter_group.h"
#include "platform/gfx/math_matrix.h"
#include "render/render_interface.h"

namespace {

gfx::Matrix toMatrix(const float values[16]) {
    gfx::Matrix matrix;
    std::copy(values, values + 16, matrix.data());
    return matrix;
}

MatrixValue toValue(const gfx::Matrix& matrix) {
    MatrixValue value;
    std::copy(matrix.data(), matrix.data() + 16, value.begin());
    return value;
}

// Exact comparison in row order; a NaN differs from everything.
bool isIdentity(const float values[16]) {
    for (int i = 0; i < 16; ++i) {
        float expected = (i % 5 == 0) ? 1.0f : 0.0f;
        if (!(values[i] == expected)) return false;
    }
    return true;
}

} // namespace

RenderInterface::RenderableObject::RenderableObject(const std::string& typeName,
                                                     ParameterManager::ParameterGroupPair* pair,
                                                     const float initialMatrix[16])
    : typeName_(typeName), pair_(pair) {
    SimpleParameterGroup* group = pair_->updateGroup();
    MatrixValue start;
    std::copy(initialMatrix, initialMatrix + 16, start.begin());
    matrix_ = group->addMatrix("matrix", start);
    if (!isIdentity(initialMatrix)) {
        hasInitialTransform_ = true;
        gfx::Vector3 scale, translation;
        gfx::Quaternion rotation;
        gfx::decompose(toMatrix(initialMatrix), scale, rotation, translation);
        initialScale_ = group->addVector3("initialScale", {scale.x, scale.y, scale.z});
        initialTranslation_ = group->addVector3("initialTranslation", {translation.x, translation.y, translation.z});
        initialRotation_ = group->addVector4("initialRotation", {rotation.x, rotation.y, rotation.z, rotation.w});
        // Rebuilt from its parts, so any shear in the given matrix is dropped.
        const Vector3Value& s = initialScale_->getValue();
        const Vector4Value& q = initialRotation_->getValue();
        const Vector3Value& t = initialTranslation_->getValue();
        gfx::Matrix rebuilt = gfx::transformationMatrix(gfx::Vector3{s[0], s[1], s[2]},
                                                        gfx::Quaternion{q[0], q[1], q[2], q[3]},
                                                        gfx::Vector3{t[0], t[1], t[2]});
        std::copy(rebuilt.data(), rebuilt.data() + 16, initialTransform_);
    }
    skeleton_ = group->addMatrixVector("skeleton", {});
    pair_->live = true;
}

void RenderInterface::RenderableObject::setMatrix(const float matrix[16]) {
    if (hasInitialTransform_) {
        matrix_->setValue(toValue(toMatrix(initialTransform_) * toMatrix(matrix)));
    } else {
        MatrixValue value;
        std::copy(matrix, matrix + 16, value.begin());
        matrix_->setValue(value);
    }
}

