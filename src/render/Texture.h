#pragma once

#include <GL/glew.h>

// A GL texture made lazily: construction does no GL work and reads no file; the first bind
// generates the texture object and uploads its storage and data.
class Texture {
public:
    Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // The GL target the texture is bound to.
    virtual GLenum target() const = 0;
    // Deletes the texture object if one was made.
    virtual ~Texture();

    // Activates the unit and binds the texture there, creating and uploading it the first time.
    void bind(unsigned unit);

    bool isCreated() const { return created; }
    GLuint getId() const { return textureId; }

protected:
    // Creates storage, data and sampling parameters for the bound texture object.
    virtual void upload() = 0;

private:
    bool created = false;
    GLuint textureId = ~0u;
};
