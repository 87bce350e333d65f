#include "GlTest.h"

#include <gtest/gtest.h>

namespace {

class GlDebugOutputGLTest : public GlTest {};

void insertMessage(GLuint id, GLenum severity, const char* text) {
    glDebugMessageInsert(GL_DEBUG_SOURCE_APPLICATION, GL_DEBUG_TYPE_MARKER, id, severity, -1, text);
}

TEST_F(GlDebugOutputGLTest, DriverErrorsReachTheConsoleFormatted) {
    testing::internal::CaptureStdout();
    glBindBuffer(0x1234, 0);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_NE(output.find("OpenGL Error: "), std::string::npos) << output;
    EXPECT_NE(output.find("[Source = API, Type = Error, Severity = High, ID = "), std::string::npos)
        << output;
}

TEST_F(GlDebugOutputGLTest, KnownChatterIdsAreDroppedAndNotificationsShowUnknownSeverity) {
    testing::internal::CaptureStdout();
    insertMessage(131185, GL_DEBUG_SEVERITY_NOTIFICATION, "buffer info");
    insertMessage(131218, GL_DEBUG_SEVERITY_MEDIUM, "recompile");
    insertMessage(42, GL_DEBUG_SEVERITY_NOTIFICATION, "hello");
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output,
              "OpenGL Error: hello [Source = Application, Type = Unknown, Severity = Unknown, ID = 42]\n");
}

} // namespace
