#include "app/GlDebugOutput.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    GLenum value;
    const char* name;
};

std::string formatted(GLenum source, GLenum type, GLenum severity) {
    return formatGlDebugMessage(source, type, 7, severity, "msg");
}

std::string line(const char* source, const char* type, const char* severity) {
    return std::string("OpenGL Error: msg [Source = ") + source + ", Type = " + type +
           ", Severity = " + severity + ", ID = 7]";
}

TEST(GlDebugOutput, SourceNames) {
    const NameCase cases[] = {
        {GL_DEBUG_SOURCE_API, "API"},
        {GL_DEBUG_CATEGORY_API_ERROR_AMD, "API"},
        {GL_DEBUG_SOURCE_WINDOW_SYSTEM, "Window System"},
        {GL_DEBUG_CATEGORY_WINDOW_SYSTEM_AMD, "Window System"},
        {GL_DEBUG_SOURCE_SHADER_COMPILER, "Shader Compiler"},
        {GL_DEBUG_CATEGORY_SHADER_COMPILER_AMD, "Shader Compiler"},
        {GL_DEBUG_SOURCE_THIRD_PARTY, "Third Party"},
        {GL_DEBUG_SOURCE_APPLICATION, "Application"},
        {GL_DEBUG_CATEGORY_APPLICATION_AMD, "Application"},
        {GL_DEBUG_SOURCE_OTHER, "Other"},
        {GL_DEBUG_CATEGORY_OTHER_AMD, "Other"},
        {GL_DEBUG_TYPE_ERROR, "Unknown"},
        {0, "Unknown"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(formatted(c.value, GL_DEBUG_TYPE_OTHER, GL_DEBUG_SEVERITY_LOW),
                  line(c.name, "Other", "Low"))
            << std::hex << c.value;
    }
}

TEST(GlDebugOutput, TypeNames) {
    const NameCase cases[] = {
        {GL_DEBUG_TYPE_ERROR, "Error"},
        {GL_DEBUG_TYPE_DEPRECATED_BEHAVIOR, "Deprecated Behavior"},
        {GL_DEBUG_CATEGORY_DEPRECATION_AMD, "Deprecated Behavior"},
        {GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR, "Undefined Behavior"},
        {GL_DEBUG_CATEGORY_UNDEFINED_BEHAVIOR_AMD, "Undefined Behavior"},
        {GL_DEBUG_TYPE_PORTABILITY, "Portability"},
        {GL_DEBUG_TYPE_PERFORMANCE, "Performance"},
        {GL_DEBUG_CATEGORY_PERFORMANCE_AMD, "Performance"},
        {GL_DEBUG_TYPE_OTHER, "Other"},
        {GL_DEBUG_CATEGORY_OTHER_AMD, "Other"},
        {GL_DEBUG_TYPE_MARKER, "Unknown"},
        {GL_DEBUG_SOURCE_API, "Unknown"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(formatted(GL_DEBUG_SOURCE_API, c.value, GL_DEBUG_SEVERITY_HIGH),
                  line("API", c.name, "High"))
            << std::hex << c.value;
    }
}

TEST(GlDebugOutput, SeverityNames) {
    const NameCase cases[] = {
        {GL_DEBUG_SEVERITY_HIGH, "High"},
        {GL_DEBUG_SEVERITY_MEDIUM, "Medium"},
        {GL_DEBUG_SEVERITY_LOW, "Low"},
        {GL_DEBUG_SEVERITY_NOTIFICATION, "Unknown"},
        {GL_DEBUG_SEVERITY_HIGH_AMD + 100, "Unknown"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(formatted(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, c.value), line("API", "Error", c.name))
            << std::hex << c.value;
    }
}

TEST(GlDebugOutput, IdInDecimalAndMessageVerbatim) {
    EXPECT_EQ(
        formatGlDebugMessage(GL_DEBUG_SOURCE_APPLICATION, GL_DEBUG_TYPE_MARKER, 4294967295u,
                             GL_DEBUG_SEVERITY_NOTIFICATION, "a [b] c"),
        "OpenGL Error: a [b] c [Source = Application, Type = Unknown, Severity = Unknown, ID = 4294967295]");
}

} // namespace
