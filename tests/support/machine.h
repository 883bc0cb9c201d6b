#pragma once

// The game's form on the plain forms runtime, with a scripted platform.

#include "scripted_platform.h"
#include "window/frmMain.h"

struct Machine {
    ScriptedPlatform platform;
    forms::Runtime runtime { platform };
    frmMain form { runtime };
};
