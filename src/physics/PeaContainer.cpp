#include "physics/PeaContainer.h"

#include "render/Geometry.h"
#include "render/Material.h"

#include <utility>

namespace {

// The per-instance model matrix occupies four attribute locations, one column each.
constexpr GLuint kFirstMatrixAttribute = 5;

const glm::mat4 kIdentity(1.0f);

} // namespace

PeaContainer::PeaContainer(std::shared_ptr<Geometry> geometry, std::shared_ptr<Material> material)
    : geometry(std::move(geometry)), material(std::move(material)) {
    instanceMatrices.fill(kIdentity);
    this->geometry->bind();
    glGenBuffers(1, &instanceBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    glBufferData(GL_ARRAY_BUFFER, kInstanceBufferBytes, nullptr, GL_STREAM_DRAW);
    for (GLuint column = 0; column < 4; ++column) {
        const GLuint location = kFirstMatrixAttribute + column;
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, 4, GL_FLOAT, GL_FALSE, sizeof(glm::mat4),
                              reinterpret_cast<const void*>(column * sizeof(glm::vec4)));
        glVertexAttribDivisor(location, 1);
    }
}

PeaContainer::~PeaContainer() {
    glDeleteBuffers(1, &instanceBuffer);
}

void PeaContainer::addPea(std::shared_ptr<Pea> pea) {
    peas.add(std::move(pea));
}

void PeaContainer::update(double dt) {
    peas.update(dt);
}

void PeaContainer::drawInstances() {
    const int count = peas.collectTransforms(instanceMatrices);
    geometry->bind();
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    // Orphaning lets the driver hand out fresh storage instead of waiting for last frame's draw.
    glBufferData(GL_ARRAY_BUFFER, kInstanceBufferBytes, nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, count * static_cast<GLsizeiptr>(sizeof(glm::mat4)),
                    instanceMatrices.data());
    geometry->drawInstanced(count);
}

void PeaContainer::drawWithShader(std::shared_ptr<Shader> program) {
    material->setupDraw(program, kIdentity);
    drawInstances();
}

void PeaContainer::draw() {
    material->setupDraw(kIdentity);
    drawInstances();
}
