#include "app/AppState.h"

AppState appState;
