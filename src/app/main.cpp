#include "app/Application.h"

int main() {
    Application application;
    return application.run();
}
