#pragma once

#include <GL/glew.h>
#include <string>

// One console line describing a GL debug message.
std::string formatGlDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity,
                                 const std::string& message);

// The GL debug-output callback: prints every message but the two known driver chatter ids.
void GLAPIENTRY reportGlDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                                     const GLchar* message, const void* userParam);
