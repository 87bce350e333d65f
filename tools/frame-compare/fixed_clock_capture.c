// Preloaded into a build of the game to make one frame reproducible: the GLFW clock advances by a
// fixed step per presented frame instead of with the wall clock, the mouse turns the view by a
// fixed amount per frame, and the chosen frame is read back from the window just before it is
// presented and written as a binary PPM; the game then ends. Two builds run this way show the
// same camera at the same game time, whatever either's frame rate.
//
// Environment: ZELVIRA_CAPTURE_FILE (PPM to write), ZELVIRA_CAPTURE_FRAME (1-based frame number,
// default 60), ZELVIRA_CAPTURE_STEP (seconds per frame, default 1/30), ZELVIRA_CAPTURE_TURN
// (cursor pixels per frame, default 0).
#define _GNU_SOURCE
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

static long presentedFrames = 0;

static double numberFromEnvironment(const char* name, double fallback) {
    const char* text = getenv(name);
    return text != NULL ? atof(text) : fallback;
}

double glfwGetTime(void) {
    return 1.0 + (double)presentedFrames * numberFromEnvironment("ZELVIRA_CAPTURE_STEP", 1.0 / 30.0);
}

void glfwGetCursorPos(GLFWwindow* window, double* x, double* y) {
    (void)window;
    if (x != NULL) {
        *x = (double)presentedFrames * numberFromEnvironment("ZELVIRA_CAPTURE_TURN", 0.0);
    }
    if (y != NULL) {
        *y = 0.0;
    }
}

static void writeWindowImage(GLFWwindow* window, const char* path) {
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    unsigned char* pixels = malloc((size_t)width * (size_t)height * 3);
    // The game leaves the window bound after drawing the HUD.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    FILE* file = fopen(path, "wb");
    if (file == NULL) {
        fprintf(stderr, "frame capture: cannot write %s\n", path);
        _exit(1);
    }
    fprintf(file, "P6\n%d %d\n255\n", width, height);
    // GL rows run bottom to top, PPM rows top to bottom.
    for (int row = height - 1; row >= 0; --row) {
        fwrite(pixels + (size_t)row * (size_t)width * 3, 1, (size_t)width * 3, file);
    }
    fclose(file);
    free(pixels);
}

void glfwSwapBuffers(GLFWwindow* window) {
    static void (*realSwapBuffers)(GLFWwindow*) = NULL;
    if (realSwapBuffers == NULL) {
        realSwapBuffers = (void (*)(GLFWwindow*))dlsym(RTLD_NEXT, "glfwSwapBuffers");
    }
    ++presentedFrames;
    if (presentedFrames == (long)numberFromEnvironment("ZELVIRA_CAPTURE_FRAME", 60)) {
        const char* path = getenv("ZELVIRA_CAPTURE_FILE");
        writeWindowImage(window, path != NULL ? path : "frame.ppm");
        _exit(0);
    }
    realSwapBuffers(window);
}
